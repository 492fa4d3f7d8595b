#include "zarnowebsocket.h"

#include <QWebSocket>

/*!
    \qmltype WebSocket
    \inqmlmodule Zarno
    \instantiates ZarnoWebSocket
    \brief A web socket client: text and binary messages to and from a server.

    Set \l url and make the socket \l active to connect; \l status follows the
    connection and \l errorString explains a failure. Changing \l url while
    active reconnects to the new address.

    \qml
    WebSocket {
        url: "ws://localhost:8080"
        active: true
        onStatusChanged: if (status === WebSocket.Open) sendTextMessage("hello")
        onTextMessageReceived: console.log("server said", message)
    }
    \endqml
*/

/*!
    \qmlproperty url WebSocket::url
    The server address, a "ws" or "wss" URL. Changing it while \l active closes
    the current connection and opens one to the new address.
*/

/*!
    \qmlproperty enumeration WebSocket::status
    The state of the connection:
    \value WebSocket.Connecting  the opening handshake is in progress
    \value WebSocket.Open        messages can be sent
    \value WebSocket.Closing     the closing handshake is in progress
    \value WebSocket.Closed      no connection (the initial state)
    \value WebSocket.Error       the connection failed; see \l errorString
*/

/*!
    \qmlproperty string WebSocket::errorString
    A description of the last error, empty while there was none.
*/

/*!
    \qmlproperty bool WebSocket::active
    Whether the socket should be connected. Setting it to true opens a
    connection to \l url, false closes it. Defaults to false.
*/

/*!
    \qmlsignal WebSocket::textMessageReceived(string message)
    Emitted for every text \a message that arrives.
*/

/*!
    \qmlsignal WebSocket::binaryMessageReceived(arraybuffer message)
    Emitted for every binary \a message that arrives.
*/

/*!
    \qmlsignal WebSocket::statusChanged(Status status)
    \qmlsignal WebSocket::activeChanged(bool isActive)
    \qmlsignal WebSocket::errorStringChanged(string errorString)
    Notifications of the properties of the same names.
*/

ZarnoWebSocket::ZarnoWebSocket(QObject *parent)
    : QObject(parent)
{
}

ZarnoWebSocket::~ZarnoWebSocket()
{
    // The socket is our child; drop its signals so its teardown does not call back
    // into a half-destroyed object.
    if (m_socket)
        m_socket->disconnect(this);
}

void ZarnoWebSocket::setUrl(const QUrl &url)
{
    if (m_url == url)
        return;
    m_url = url;
    emit urlChanged();
    if (m_active && m_componentComplete) {
        close();
        open();
    }
}

void ZarnoWebSocket::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged(active);
    if (!m_componentComplete)
        return;
    if (active)
        open();
    else
        close();
}

void ZarnoWebSocket::componentComplete()
{
    m_componentComplete = true;
    if (m_active)
        open();
}

/*!
    \qmlmethod int WebSocket::sendTextMessage(string message)
    Sends \a message as a text frame and returns the number of bytes sent,
    or 0 when the socket is not open.
*/
qint64 ZarnoWebSocket::sendTextMessage(const QString &message)
{
    if (!isOpen())
        return 0;
    return m_socket->sendTextMessage(message);
}

/*!
    \qmlmethod int WebSocket::sendBinaryMessage(arraybuffer message)
    Sends \a message as a binary frame and returns the number of bytes sent,
    or 0 when the socket is not open.
*/
qint64 ZarnoWebSocket::sendBinaryMessage(const QByteArray &message)
{
    if (!isOpen())
        return 0;
    return m_socket->sendBinaryMessage(message);
}

bool ZarnoWebSocket::isOpen() const
{
    if (m_status == Open && m_socket)
        return true;
    qWarning("WebSocket WARNING: a message can only be sent while the socket is open, nothing was sent");
    return false;
}

void ZarnoWebSocket::open()
{
    if (!m_url.isValid() || m_url.isEmpty()) {
        setErrorString(QStringLiteral("Invalid url."));
        setStatus(Error);
        return;
    }
    setErrorString(QString());
    m_socket = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
    connect(m_socket, &QWebSocket::textMessageReceived, this, &ZarnoWebSocket::textMessageReceived);
    connect(m_socket, &QWebSocket::binaryMessageReceived, this, &ZarnoWebSocket::binaryMessageReceived);
    connect(m_socket, &QWebSocket::stateChanged, this, &ZarnoWebSocket::onSocketStateChanged);
    connect(m_socket, QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error), this, [this]() {
        setErrorString(m_socket ? m_socket->errorString() : QString());
        setStatus(Error);
    });
    setStatus(Connecting);
    m_socket->open(m_url);
}

void ZarnoWebSocket::close()
{
    if (!m_socket)
        return;
    QWebSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->close();
    socket->deleteLater();
    if (m_status != Error)
        setStatus(Closed);
}

void ZarnoWebSocket::onSocketStateChanged()
{
    if (!m_socket)
        return;
    switch (m_socket->state()) {
    case QAbstractSocket::ConnectingState:
    case QAbstractSocket::HostLookupState:
    case QAbstractSocket::BoundState:
        setStatus(Connecting);
        break;
    case QAbstractSocket::ConnectedState:
        setStatus(Open);
        break;
    case QAbstractSocket::ClosingState:
        setStatus(Closing);
        break;
    case QAbstractSocket::UnconnectedState:
    case QAbstractSocket::ListeningState:
        // A failed connection reports its error first: keep Error rather than Closed.
        if (m_status != Error)
            setStatus(Closed);
        if (m_active) {
            m_active = false;
            emit activeChanged(false);
        }
        break;
    }
}

void ZarnoWebSocket::setStatus(Status status)
{
    if (m_status == status)
        return;
    m_status = status;
    emit statusChanged(status);
}

void ZarnoWebSocket::setErrorString(const QString &errorString)
{
    if (m_errorString == errorString)
        return;
    m_errorString = errorString;
    emit errorStringChanged(errorString);
}
