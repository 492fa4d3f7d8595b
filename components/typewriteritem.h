#ifndef TYPEWRITERITEM_H
#define TYPEWRITERITEM_H

#include <QPointer>
#include <QQuickItem>
#include <QString>

class QTimer;

// Reveals a text one character per tick into typeWriterText, which a visible
// text binds to. Draws nothing itself; the timer exists from completion on.
class TypeWriterItem : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(int typeDelay READ typeDelay WRITE setTypeDelay NOTIFY typeDelayChanged)
    Q_PROPERTY(QString textSource READ textSource WRITE setTextSource NOTIFY textSourceChanged)
    Q_PROPERTY(QString typeWriterText READ typeWriterText NOTIFY typeWriterTextChanged)
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)
    Q_PROPERTY(bool finished READ finished NOTIFY finishedChanged)

public:
    explicit TypeWriterItem(QQuickItem *parent = nullptr);

    int typeDelay() const { return m_typeDelay; }
    void setTypeDelay(int typeDelay);
    QString textSource() const { return m_textSource; }
    void setTextSource(const QString &textSource);
    QString typeWriterText() const { return m_typeWriterText; }
    bool running() const { return m_running; }
    bool finished() const { return m_finished; }

    void componentComplete() override;

public slots:
    void start();
    void stop();
    void pause();

signals:
    void typeDelayChanged();
    void textSourceChanged();
    void typeWriterTextChanged();
    void typeWriterFinished();
    void runningChanged();
    void finishedChanged();

private slots:
    void updateTypeWriter();

private:
    void setRunning(bool running);
    void setFinished(bool finished);
    void stopTimer();
    void revealAll();
    static void warnNoTimer();

    QPointer<QTimer> m_timer;
    QString m_textSource;
    QString m_typeWriterText;
    int m_typeDelay = 100;
    int m_index = 0;
    bool m_running = false;
    bool m_finished = false;
};

#endif
