#ifndef SPINEEVENTDATA_H
#define SPINEEVENTDATA_H

#include <QObject>
#include <QString>

namespace spine {
struct EventData;
}

// The definition of an animation event as declared by the skeleton.
class SpineEventData : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString name READ name NOTIFY nameChanged)
    Q_PROPERTY(int intValue READ intValue NOTIFY intValueChanged)
    Q_PROPERTY(float floatValue READ floatValue NOTIFY floatValueChanged)
    Q_PROPERTY(QString stringValue READ stringValue NOTIFY stringValueChanged)
public:
    explicit SpineEventData(QObject *parent = nullptr);
    SpineEventData(const spine::EventData *data, QObject *parent);

    QString name() const { return m_name; }
    int intValue() const { return m_intValue; }
    float floatValue() const { return m_floatValue; }
    QString stringValue() const { return m_stringValue; }

signals:
    // Values are fixed at creation; declared so that QML bindings accept them.
    void nameChanged();
    void intValueChanged();
    void floatValueChanged();
    void stringValueChanged();

private:
    QString m_name;
    int m_intValue = 0;
    float m_floatValue = 0;
    QString m_stringValue;
};

#endif
