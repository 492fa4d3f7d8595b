#ifndef SPINEEVENT_H
#define SPINEEVENT_H

#include "spine/spineeventdata.h"

#include <QObject>
#include <QString>

namespace spine {
struct Event;
}

// One firing of an animation event; lives until the next animation update.
class SpineEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SpineEventData *data READ data NOTIFY dataChanged)
    Q_PROPERTY(int intValue READ intValue NOTIFY intValueChanged)
    Q_PROPERTY(float floatValue READ floatValue NOTIFY floatValueChanged)
    Q_PROPERTY(QString stringValue READ stringValue NOTIFY stringValueChanged)
public:
    explicit SpineEvent(QObject *parent = nullptr);
    SpineEvent(const spine::Event &event, QObject *parent);

    SpineEventData *data() const { return m_data; }
    int intValue() const { return m_intValue; }
    float floatValue() const { return m_floatValue; }
    QString stringValue() const { return m_stringValue; }

signals:
    // Values are fixed at creation; declared so that QML bindings accept them.
    void dataChanged();
    void intValueChanged();
    void floatValueChanged();
    void stringValueChanged();

private:
    SpineEventData *m_data;
    int m_intValue = 0;
    float m_floatValue = 0;
    QString m_stringValue;
};

#endif
