#ifndef ZARNOQUICKKEYEVENT_H
#define ZARNOQUICKKEYEVENT_H

#include <QKeyEvent>
#include <QKeySequence>
#include <QObject>

// A key press as QML sees it while GlobalKeyForwarder re-publishes it. The object
// lives only during one pressed() emission, so QML must not keep it.
class ZarnoQuickKeyEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int key READ key CONSTANT)
    Q_PROPERTY(QString text READ text CONSTANT)
    Q_PROPERTY(int modifiers READ modifiers CONSTANT)
    Q_PROPERTY(bool isAutoRepeat READ isAutoRepeat CONSTANT)
    Q_PROPERTY(int count READ count CONSTANT)
    Q_PROPERTY(quint32 nativeScanCode READ nativeScanCode CONSTANT)
    Q_PROPERTY(bool accepted READ isAccepted WRITE setAccepted NOTIFY acceptedChanged)
public:
    explicit ZarnoQuickKeyEvent(const QKeyEvent &event, QObject *parent = nullptr);

    int key() const { return m_event.key(); }
    QString text() const { return m_event.text(); }
    int modifiers() const { return int(m_event.modifiers()); }
    bool isAutoRepeat() const { return m_event.isAutoRepeat(); }
    int count() const { return m_event.count(); }
    quint32 nativeScanCode() const { return m_event.nativeScanCode(); }

    bool isAccepted() const { return m_event.isAccepted(); }
    void setAccepted(bool accepted);

    Q_REVISION(2) Q_INVOKABLE bool matches(QKeySequence::StandardKey key) const { return m_event.matches(key); }

signals:
    void acceptedChanged();

private:
    QKeyEvent m_event;
};

#endif
