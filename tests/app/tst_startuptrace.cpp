// The start-up trace, seen from outside: a child process runs a window whose cover
// item hides after a while and keeps animating, with ZARNO_STARTUP_TRACE naming an
// item; the test reads what the child printed on standard error.
#include "app/startuptrace.h"

#include <QApplication>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QRegularExpression>
#include <QtTest>

static const char childFlag[] = "--child";

static int runChild(int argc, char **argv)
{
    // As the engine sets it up for a game.
    qputenv("QSG_RENDER_LOOP", "basic");
    QApplication app(argc, argv);
    QQmlApplicationEngine engine;
    StartupTrace::attachIfRequested(&engine);
    engine.loadData(R"(
        import QtQuick 2.0
        import QtQuick.Window 2.2
        Window {
            visible: true; width: 100; height: 100
            Rectangle { width: 10; height: 10; NumberAnimation on rotation { from: 0; to: 360; loops: Animation.Infinite } }
            Rectangle { id: cover; objectName: "cover"; anchors.fill: parent }
            Timer { interval: 300; running: true; onTriggered: cover.visible = false }
            Timer { interval: 800; running: true; onTriggered: Qt.quit() }
        })");
    return app.exec();
}

class TestStartupTrace : public QObject
{
    Q_OBJECT
private slots:
    void trace_data()
    {
        QTest::addColumn<QString>("coverName");
        QTest::addColumn<bool>("reportsTitle");
        QTest::addColumn<bool>("titleIsFirstFrame");
        QTest::newRow("cover hides later") << "cover" << true << false;
        QTest::newRow("no such item: nothing covers") << "nothing" << true << true;
        QTest::newRow("no name: frames only") << "" << false << false;
    }
    void trace()
    {
        QFETCH(QString, coverName);
        QFETCH(bool, reportsTitle);
        QFETCH(bool, titleIsFirstFrame);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZARNO_STARTUP_TRACE"), coverName);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(childFlag)});
        QVERIFY(child.waitForFinished(30000));
        static const QRegularExpression line(QStringLiteral("^zarno-startup: +([\\d.]+) ms \\(cpu +[\\d.]+ ms, gui thread +[\\d.]+ ms\\) (.*)$"));
        QStringList stages;
        double last = 0;
        for (const QString &text : QString::fromLocal8Bit(child.readAllStandardError()).split('\n')) {
            const QRegularExpressionMatch m = line.match(text);
            if (!m.hasMatch())
                continue;
            QVERIFY2(m.captured(1).toDouble() >= last, qPrintable(text));
            last = m.captured(1).toDouble();
            stages << m.captured(2);
        }
        QVERIFY2(stages.size() >= 4, qPrintable(stages.join('|')));
        QCOMPARE(stages.mid(0, 3), QStringList({"engine ready", "main document created", "first frame"}));
        const int title = stages.indexOf(QStringLiteral("first frame without ") + coverName);
        QCOMPARE(title >= 0, reportsTitle);
        if (reportsTitle) {
            // Reported once, then the trace is quiet although frames go on.
            QCOMPARE(title, stages.size() - 1);
            QCOMPARE(title == 3, titleIsFirstFrame);
        }
        QVERIFY(last < 30000);
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], childFlag) == 0)
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestStartupTrace test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startuptrace.moc"
