// Start-up as seen from different working directories. The configuration is read
// once per process, so every folder layout runs in a child process of its own
// (the "--child" mode) that prints what the host set up.
#include "app/zrapplication.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtTest>

static const char childFlag[] = "--child";

static int runChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3 || !QDir::setCurrent(QString::fromLocal8Bit(argv[2])))
        return 2;
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    QJsonObject out;
    out.insert(QStringLiteral("importPaths"), QJsonArray::fromStringList(engine.importPathList()));
    out.insert(QStringLiteral("name"), QCoreApplication::applicationName());
    out.insert(QStringLiteral("domain"), QCoreApplication::organizationDomain());
    out.insert(QStringLiteral("version"), QCoreApplication::applicationVersion());
    out.insert(QStringLiteral("fontPixelSize"), QGuiApplication::font().pixelSize());
    QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact) << '\n';
    return 0;
}

static bool writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

class tst_StartupFolders : public QObject
{
    Q_OBJECT
private slots:
    void diskQmlWithoutTitle();
    void resourcesOnly();

private:
    static QJsonObject startIn(const QString &folder);
};

QJsonObject tst_StartupFolders::startIn(const QString &folder)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(childFlag), folder});
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        qInfo("child failed: %s", child.readAllStandardError().constData());
        return QJsonObject();
    }
    const QByteArray output = child.readAllStandardOutput();
    return QJsonDocument::fromJson(output.mid(output.lastIndexOf("{\"")).trimmed()).object();
}

void tst_StartupFolders::diskQmlWithoutTitle()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeText(dir.path() + "/qml/config.json",
                      "{ \"identifier\": \"org.example.notitle\", \"versionname\": \"3.1\", \"stage\": \"test\" }"));
    QVERIFY(QDir().mkpath(dir.path() + "/plugins"));

    const QJsonObject result = startIn(dir.path());
    QVERIFY(!result.isEmpty());
    // A missing key gives an empty value, and start-up goes on; Qt answers an
    // empty application name with the executable's name.
    QCOMPARE(result.value("name").toString(), QStringLiteral("tst_startupfolders"));
    QCOMPARE(result.value("domain").toString(), QStringLiteral("org.example.notitle"));
    QCOMPARE(result.value("version").toString(), QStringLiteral("3.1"));
    // The default font file is not in this folder, yet the pixel size applies.
    QCOMPARE(result.value("fontPixelSize").toInt(), 14);

    const QStringList paths = result.value("importPaths").toVariant().toStringList();
    const QString canonical = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY2(paths.size() >= 3, qPrintable(paths.join(',')));
    QCOMPARE(paths.at(0), canonical + "/qml");
    QCOMPARE(paths.at(1), QStringLiteral("qrc:/qml"));
    // The plugins folder goes last, as a canonical absolute path.
    QCOMPARE(paths.last(), canonical + "/plugins");
    QCOMPARE(paths.count(QStringLiteral("qrc:/qml")), 1);
}

void tst_StartupFolders::resourcesOnly()
{
    // No qml folder on disk: the embedded one leads, and only once.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QJsonObject result = startIn(dir.path());
    QVERIFY(!result.isEmpty());
    const QStringList paths = result.value("importPaths").toVariant().toStringList();
    QVERIFY(!paths.isEmpty());
    QCOMPARE(paths.first(), QStringLiteral("qrc:/qml"));
    QCOMPARE(paths.count(QStringLiteral("qrc:/qml")), 1);
    QVERIFY(!paths.contains(QString()));
    QCOMPARE(result.value("fontPixelSize").toInt(), 14);
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], childFlag) == 0)
        return runChild(argc, argv);
    QApplication app(argc, argv);
    tst_StartupFolders test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupfolders.moc"
