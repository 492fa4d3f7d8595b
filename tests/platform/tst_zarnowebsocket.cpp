#include "app/zrapplication.h"

#include <QtTest>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QWebSocket>
#include <QWebSocketServer>

// The module's WebSocket against a real server on the loopback interface: the
// server echoes text and binary frames and can drop its clients on demand.
class tst_ZarnoWebSocket : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void echoesTextAndBinary();
    void serverClosingEndsTheConnection();
    void failuresReportAnError_data();
    void failuresReportAnError();
    void sendingWhileClosedSendsNothing();

private:
    QObject *create(const QByteArray &body);

    QWebSocketServer m_server { QStringLiteral("echo"), QWebSocketServer::NonSecureMode };
    QList<QWebSocket *> m_clients;
    QQmlEngine m_engine;
    ZRApplication m_app;
};

void tst_ZarnoWebSocket::initTestCase()
{
    QVERIFY(m_server.listen(QHostAddress::LocalHost));
    connect(&m_server, &QWebSocketServer::newConnection, this, [this]() {
        QWebSocket *client = m_server.nextPendingConnection();
        m_clients.append(client);
        connect(client, &QWebSocket::textMessageReceived, client, [client](const QString &m) { client->sendTextMessage(m.toUpper()); });
        connect(client, &QWebSocket::binaryMessageReceived, client, [client](const QByteArray &m) { client->sendBinaryMessage(m + m); });
    });
    m_app.initialize(&m_engine);
}

QObject *tst_ZarnoWebSocket::create(const QByteArray &body)
{
    QQmlComponent component(&m_engine);
    component.setData("import QtQuick 2.0\nimport Zarno 2.0\n" + body, QUrl());
    QObject *object = component.create();
    if (!object)
        qWarning() << component.errors();
    return object;
}

void tst_ZarnoWebSocket::echoesTextAndBinary()
{
    QScopedPointer<QObject> socket(create(
        "WebSocket { property string text; property int binaryLength\n"
        "  onStatusChanged: if (status === WebSocket.Open) { sendTextMessage('hi'); sendBinaryMessage(new ArrayBuffer(3)) }\n"
        "  onTextMessageReceived: text = message\n"
        "  onBinaryMessageReceived: binaryLength = message.byteLength }"));
    QVERIFY(socket);
    QCOMPARE(socket->property("status").toInt(), 3); // Closed until made active
    socket->setProperty("url", m_server.serverUrl());
    socket->setProperty("active", true);
    QTRY_COMPARE(socket->property("text").toString(), QStringLiteral("HI"));
    QTRY_COMPARE(socket->property("binaryLength").toInt(), 6);
    QCOMPARE(socket->property("status").toInt(), 1);
    QCOMPARE(socket->property("errorString").toString(), QString());

    socket->setProperty("active", false);
    QTRY_COMPARE(socket->property("status").toInt(), 3);
}

void tst_ZarnoWebSocket::serverClosingEndsTheConnection()
{
    QScopedPointer<QObject> socket(create("WebSocket { active: true }"));
    socket->setProperty("url", m_server.serverUrl()); // reconnects to the new address
    QTRY_COMPARE(socket->property("status").toInt(), 1);
    QTRY_VERIFY(!m_clients.isEmpty());
    m_clients.takeLast()->close();
    QTRY_COMPARE(socket->property("status").toInt(), 3);
    QVERIFY(!socket->property("active").toBool());

    // Becoming active again opens a fresh connection.
    socket->setProperty("active", true);
    QTRY_COMPARE(socket->property("status").toInt(), 1);
}

void tst_ZarnoWebSocket::failuresReportAnError_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("nobody listening") << QStringLiteral("ws://127.0.0.1:1");
    QTest::newRow("empty url") << QString();
    QTest::newRow("not a web socket url") << QStringLiteral("http://127.0.0.1:1");
}

void tst_ZarnoWebSocket::failuresReportAnError()
{
    QFETCH(QString, url);
    QScopedPointer<QObject> socket(create("WebSocket {}"));
    socket->setProperty("url", url);
    socket->setProperty("active", true);
    QTRY_COMPARE(socket->property("status").toInt(), 4);
    QVERIFY(!socket->property("errorString").toString().isEmpty());
}

void tst_ZarnoWebSocket::sendingWhileClosedSendsNothing()
{
    QScopedPointer<QObject> socket(create("WebSocket {}"));
    QTest::ignoreMessage(QtWarningMsg, "WebSocket WARNING: a message can only be sent while the socket is open, nothing was sent");
    qint64 sent = -1;
    QVERIFY(QMetaObject::invokeMethod(socket.data(), "sendTextMessage", Q_RETURN_ARG(qint64, sent), Q_ARG(QString, QStringLiteral("x"))));
    QCOMPARE(sent, 0);
}

QTEST_MAIN(tst_ZarnoWebSocket)
#include "tst_zarnowebsocket.moc"
