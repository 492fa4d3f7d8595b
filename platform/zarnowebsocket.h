#ifndef ZARNOWEBSOCKET_H
#define ZARNOWEBSOCKET_H

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QUrl>

class QWebSocket;

// QML web socket client with the interface games know from Qt's own QML type,
// built on the public QWebSocket class (the toolkit's QML class is private API).
class ZarnoWebSocket : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QUrl url READ url WRITE setUrl NOTIFY urlChanged)
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString errorString READ errorString NOTIFY errorStringChanged)
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
public:
    enum Status { Connecting = 0, Open = 1, Closing = 2, Closed = 3, Error = 4 };
    Q_ENUM(Status)

    explicit ZarnoWebSocket(QObject *parent = nullptr);
    ~ZarnoWebSocket() override;

    QUrl url() const { return m_url; }
    void setUrl(const QUrl &url);
    Status status() const { return m_status; }
    QString errorString() const { return m_errorString; }
    bool isActive() const { return m_active; }
    void setActive(bool active);

    Q_INVOKABLE qint64 sendTextMessage(const QString &message);
    Q_INVOKABLE qint64 sendBinaryMessage(const QByteArray &message);

    void classBegin() override {}
    void componentComplete() override;

signals:
    void urlChanged();
    void statusChanged(ZarnoWebSocket::Status status);
    void errorStringChanged(const QString &errorString);
    void activeChanged(bool isActive);
    void textMessageReceived(const QString &message);
    void binaryMessageReceived(const QByteArray &message);

private:
    bool isOpen() const;
    void open();
    void close();
    void setStatus(Status status);
    void setErrorString(const QString &errorString);
    void onSocketStateChanged();

    QPointer<QWebSocket> m_socket;
    QUrl m_url;
    Status m_status = Closed;
    QString m_errorString;
    bool m_active = false;
    bool m_componentComplete = false;
};

#endif
