#include "app/zrapplication.h"
#include "platform/system.h"
#include "scheduling/zrstepdriver.h"
#include "support/warningcollector.h"

#include <QtTest>
#include <QJSEngine>
#include <QNetworkInterface>
#include <QPropertyAnimation>
#include <QQmlContext>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>

#include <sys/resource.h>

// A sprite element that can rebuild its engine.
class RecreatableSprite : public QObject
{
    Q_OBJECT
public:
    int created = 0;
public slots:
    void createEngine() { ++created; }
};

namespace {

// Runs the given test as a working directory that holds qml/config.json with
// the given text (no file at all for a null text), the configuration read anew.
class ConfigurationDir
{
public:
    explicit ConfigurationDir(const QByteArray &config)
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("qml"));
        if (!config.isNull()) {
            QFile file(m_dir.filePath(QStringLiteral("qml/config.json")));
            file.open(QIODevice::WriteOnly);
            file.write(config);
        }
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        System::reloadConfiguration();
    }
    ~ConfigurationDir()
    {
        QDir::setCurrent(m_previous);
        System::reloadConfiguration();
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The child side of the tests that need a process of their own: log output
// under the publish filter, and quitting.
int childMain(int argc, char **argv)
{
    // An aborting child must not leave a core file behind.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    QCoreApplication app(argc, argv);
    const QString mode = QString::fromLatin1(argv[2]);
    System system;
    if (mode == QLatin1String("log")) {
        QMessageLogger("child.cpp", 11, "debugFunction").debug("a debug line");
        QMessageLogger("child.cpp", 12, "infoFunction").info("an info line");
        QMessageLogger("child.cpp", 13, "warningFunction").warning("a warning with %d", 42);
        QMessageLogger("child.cpp", 14, "criticalFunction").critical("a critical line");
        QMessageLogger().warning("no context");
        return 0;
    }
    if (mode == QLatin1String("fatal")) {
        QMessageLogger("child.cpp", 21, "fatalFunction").fatal("the end");
        std::fputs("still running\n", stdout);
        return 0;
    }
    if (mode == QLatin1String("quit")) {
        // Asked for before the event loop runs, so the request must wait for it.
        system.quit();
        QTimer::singleShot(5000, &app, [] { std::fputs("quit did not end the loop\n", stdout); });
        return app.exec() == 0 ? 3 : 4;
    }
    return 2;
}

struct ChildResult
{
    QByteArray out;
    QByteArray err;
    QProcess::ExitStatus status = QProcess::NormalExit;
    int code = -1;
};

ChildResult runChild(const QString &mode, const QByteArray &config)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("qml"));
    QFile file(dir.filePath(QStringLiteral("qml/config.json")));
    file.open(QIODevice::WriteOnly);
    file.write(config);
    file.close();
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    ChildResult result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.status = process.exitStatus();
    result.code = process.exitCode();
    return result;
}

} // namespace

class tst_System : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void configurationIsRead_data();
    void configurationIsRead();
    void missingOrEmptyConfigurationWarnsOnce_data();
    void missingOrEmptyConfigurationWarnsOnce();
    void unreadableConfigurationWarns();
    void malformedConfigurationGivesEmptyConfiguration_data();
    void malformedConfigurationGivesEmptyConfiguration();
    void publishBuildKeepsLogOutputOff();
    void logOutputSwitchesOnlyOnChange();
    void publishFilterFormatsAndDropsInChildProcess();
    void publishFilterFatalAbortsInChildProcess();
    void quitEndsTheEventLoop();
    void platformFacts();

    void typeOfNamesValues_data();
    void typeOfNamesValues();
    void stringifyWritesDescribedForm();
    void stringifyWritesValidJsonForAnyValue();
    void stringifyIncludesAndObjects();
    void stringifyMakesUrlsRelative();
    void parseReadsValues();
    void parseRefusesBadInput_data();
    void parseRefusesBadInput();
    void parseRefusesOverDeepNesting();
    void pointFFromString_data();
    void pointFFromString();
    void unsupportedAndSpriteHelpers();

    void pauseAndResumeEverythingBelowAnObject();
    void pausingTwiceResumesBoth();
    void pauseWithoutContextOrDriverWarns();
    void pauseAndResumeWithoutObjectDoNothing();

private:
    // Every test reads a configuration of its own, never the game's.
    QScopedPointer<ConfigurationDir> m_configuration;
};

void tst_System::initTestCase()
{
    m_configuration.reset(new ConfigurationDir(R"({ "stage": "test" })"));
}

void tst_System::cleanupTestCase()
{
    m_configuration.reset();
}

void tst_System::configurationIsRead_data()
{
    QTest::addColumn<QString>("orientation");
    QTest::addColumn<int>("expected");
    QTest::newRow("portrait") << "portrait" << int(System::ScreenOrientationPortrait);
    QTest::newRow("landscape") << "landscape" << int(System::ScreenOrientationLandscape);
    QTest::newRow("sensorPortrait") << "sensorPortrait" << int(System::ScreenOrientationSensorPortrait);
    QTest::newRow("sensorLandscape") << "sensorLandscape" << int(System::ScreenOrientationSensorLandscape);
    QTest::newRow("case matters") << "Portrait" << int(System::ScreenOrientationAuto);
    QTest::newRow("other") << "upside" << int(System::ScreenOrientationAuto);
}

void tst_System::configurationIsRead()
{
    QFETCH(QString, orientation);
    QFETCH(int, expected);
    const ConfigurationDir dir(QStringLiteral(R"({ "identifier": "org.test.game", "versioncode": 17,
        "orientation": "%1", "stage": "test", "custom": [1, "two"] })").arg(orientation).toUtf8());
    System system;
    QCOMPARE(int(system.screenOrientation()), expected);
    QCOMPARE(system.appIdentifier(), QStringLiteral("org.test.game"));
    QCOMPARE(system.appVersionCode(), 17);
    QVERIFY(!system.publishBuild());
    QVERIFY(system.logOutputEnabled());
    QCOMPARE(system.getConfigValue(QStringLiteral("custom")).toList(), (QVariantList{1ull, QStringLiteral("two")}));
    QVERIFY(!system.getConfigValue(QStringLiteral("missing")).isValid());
}

void tst_System::missingOrEmptyConfigurationWarnsOnce_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("blank") << QByteArray(" \n");
}

void tst_System::missingOrEmptyConfigurationWarnsOnce()
{
    QFETCH(QByteArray, config);
    const ConfigurationDir dir(config);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: cant find config.json file");
    System system;
    QVERIFY(!system.getConfigValue(QStringLiteral("title")).isValid());
    QVERIFY(!System::configurationValue(QStringLiteral("versionname")).isValid());
    QCOMPARE(system.appIdentifier(), QString());
    QCOMPARE(system.appVersionCode(), -1);
    QCOMPARE(system.screenOrientation(), System::ScreenOrientationAuto);
    QVERIFY(!system.publishBuild());
}

void tst_System::unreadableConfigurationWarns()
{
    const ConfigurationDir dir(QByteArray{});
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("qml/config.json")));
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[WARNING] readFile could not open \"qml/config.json\": %1")
                                                      .arg(QStringLiteral("file to open is a directory"))));
    QTest::ignoreMessage(QtWarningMsg, "WARNING: cant find config.json file");
    System system;
    QCOMPARE(system.appVersionCode(), -1);
}

void tst_System::malformedConfigurationGivesEmptyConfiguration_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("warning");
    QTest::newRow("cut off") << QByteArray(R"({ "title": "x",)")
                             << "WARNING: config.json is not valid JSON (expected a member name at offset 15), the configuration is empty";
    QTest::newRow("bare word") << QByteArray(R"({ "stage": publish })")
                               << "WARNING: config.json is not valid JSON (unexpected character at offset 11), the configuration is empty";
    QTest::newRow("trailing text") << QByteArray(R"({ "stage": "publish" } x)")
                                   << "WARNING: config.json is not valid JSON (unexpected text after the value at offset 23), the configuration is empty";
    QTest::newRow("not an object") << QByteArray(R"([ "publish" ])")
                                   << "WARNING: config.json does not hold a JSON object, the configuration is empty";
}

void tst_System::malformedConfigurationGivesEmptyConfiguration()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, warning);
    const ConfigurationDir dir(config);
    QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
    System system;
    QVERIFY(!system.publishBuild());
    QVERIFY(!system.getConfigValue(QStringLiteral("title")).isValid());

    // Start-up goes on with the empty configuration.
    QCoreApplication::setOrganizationDomain(QStringLiteral("before"));
    QCoreApplication::setApplicationVersion(QStringLiteral("before"));
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    QCOMPARE(QCoreApplication::organizationDomain(), QString());
    QCOMPARE(QCoreApplication::applicationVersion(), QString());
}

void tst_System::publishBuildKeepsLogOutputOff()
{
    const ConfigurationDir dir(R"({ "stage": "publish" })");
    System system;
    QVERIFY(system.publishBuild());
    QVERIFY(!system.logOutputEnabled());
    QSignalSpy spy(&system, &System::logOutputEnabledChanged);
    QVERIFY(system.setProperty("logOutputEnabled", true));
    QVERIFY(!system.logOutputEnabled());
    QCOMPARE(spy.count(), 0);

    // Under the filter, warnings still reach a handler installed before it (here
    // the test framework's, so expected warnings are still recognised).
    QTest::ignoreMessage(QtWarningMsg, "seen through the filter");
    qWarning("seen through the filter");
}

void tst_System::logOutputSwitchesOnlyOnChange()
{
    const ConfigurationDir dir(R"({ "stage": "test" })");
    System system;
    QSignalSpy spy(&system, &System::logOutputEnabledChanged);
    system.setLogOutputEnabled(true);
    QCOMPARE(spy.count(), 0);
    system.setLogOutputEnabled(false);
    system.setLogOutputEnabled(false);
    QCOMPARE(spy.count(), 1);
    QTest::ignoreMessage(QtWarningMsg, "still reaches the test log");
    qWarning("still reaches the test log");
    system.setLogOutputEnabled(true);
    QCOMPARE(spy.count(), 2);
    QVERIFY(system.logOutputEnabled());
}

void tst_System::publishFilterFormatsAndDropsInChildProcess()
{
    const ChildResult publish = runChild(QStringLiteral("log"), R"({ "stage": "publish" })");
    QCOMPARE(publish.status, QProcess::NormalExit);
    QCOMPARE(publish.code, 0);
    QCOMPARE(publish.out, QByteArray());
    QCOMPARE(publish.err, QByteArray("Warning: a warning with 42 (child.cpp:13, warningFunction)\n"
                                     "Critical: a critical line (child.cpp:14, criticalFunction)\n"
                                     "Warning: no context (:0, )\n"));

    // Without the publish stage Qt's own output is in place: no filter format.
    const ChildResult test = runChild(QStringLiteral("log"), R"({ "stage": "test" })");
    QCOMPARE(test.code, 0);
    QVERIFY2(test.err.contains("a debug line"), test.err.constData());
    QVERIFY(!test.err.contains("Warning: a warning with 42 (child.cpp:13"));
}

void tst_System::publishFilterFatalAbortsInChildProcess()
{
    const ChildResult fatal = runChild(QStringLiteral("fatal"), R"({ "stage": "publish" })");
    QCOMPARE(fatal.status, QProcess::CrashExit);
    QCOMPARE(fatal.err, QByteArray("Fatal: the end (child.cpp:21, fatalFunction)\n"));
    QCOMPARE(fatal.out, QByteArray());
}

void tst_System::quitEndsTheEventLoop()
{
    const ChildResult quit = runChild(QStringLiteral("quit"), R"({ "stage": "test" })");
    QCOMPARE(quit.status, QProcess::NormalExit);
    QCOMPARE(quit.out, QByteArray());
    QCOMPARE(quit.code, 3);
}

void tst_System::platformFacts()
{
    const ConfigurationDir dir(R"({ "stage": "test" })");
    System system;
    QCOMPARE(system.platform(), System::Linux);
    QVERIFY(system.isPlatform(System::Linux));
    QVERIFY(!system.isPlatform(System::Windows));
    QVERIFY(system.desktopPlatform());
    QVERIFY(!system.debugBuild());
    QVERIFY(!system.cocosRenderer());
    QCOMPARE(system.maxTextureSize(), 2048);
    QCOMPARE(system.zarnoVersionNumber(), 280);
    QCOMPARE(system.zarnoVersion(), QStringLiteral("2.8.0"));
    QCOMPARE(system.qtVersion(), QString::fromLatin1(qVersion()));

    QString mac;
    for (const QNetworkInterface &networkInterface : QNetworkInterface::allInterfaces()) {
        if (!networkInterface.flags().testFlag(QNetworkInterface::IsLoopBack) && !networkInterface.hardwareAddress().isEmpty()) {
            mac = networkInterface.hardwareAddress();
            break;
        }
    }
    QCOMPARE(system.macAddress(), mac);
    QCOMPARE(system.UDID(), QString::number(qHash(mac, 0)));
}

void tst_System::typeOfNamesValues_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");
    QTest::newRow("undefined") << "undefined" << "null";
    QTest::newRow("null") << "null" << "null";
    QTest::newRow("int") << "3" << "number";
    QTest::newRow("double") << "3.5" << "double";
    QTest::newRow("text") << "'xy'" << "string";
    QTest::newRow("bool") << "true" << "boolean";
    QTest::newRow("list") << "[1, 2]" << "list";
    QTest::newRow("object") << "({ a: 1 })" << "map";
}

void tst_System::typeOfNamesValues()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    QJSEngine engine;
    System system;
    QCOMPARE(system.typeOf(QVariant::fromValue(engine.evaluate(expression))), expected);
}

void tst_System::stringifyWritesDescribedForm()
{
    System system;
    const QVariantMap map{{QStringLiteral("b"), 1.0},
                          {QStringLiteral("a"), QVariantList{true, QStringLiteral("xy")}}};
    QCOMPARE(system.stringify(map), QStringLiteral(R"({ "a" : [ true, "xy" ], "b" : 1.0 })"));
    QCOMPARE(system.stringify(QVariantList()), QStringLiteral("[  ]"));
    QCOMPARE(system.stringify(0.1), QStringLiteral("0.10000000000000000555"));
    QCOMPARE(system.stringify(-7), QStringLiteral("-7"));
    QCOMPARE(system.stringify(QVariant::fromValue(18446744073709551615ull)), QStringLiteral("18446744073709551615"));
    QCOMPARE(system.stringify(QPointF(1.5, 2)), QStringLiteral(R"("1.5, 2.0")"));
    QCOMPARE(system.stringify(QColor(Qt::red)), QStringLiteral(R"("#ff0000")"));
    QCOMPARE(system.stringify(QStringList{QStringLiteral("a")}), QStringLiteral(R"([ "a" ])"));
    QCOMPARE(system.typeOf(QPointF(1, 2)), QStringLiteral("point"));
    QCOMPARE(system.typeOf(QColor(Qt::red)), QStringLiteral("color"));
    QCOMPARE(system.typeOf(QUrl(QStringLiteral("qrc:/a"))), QStringLiteral("url"));
    QCOMPARE(system.typeOf(QVariant::fromValue(2.5f)), QStringLiteral("double"));
    QCOMPARE(system.typeOf(QVariant::fromValue(nullptr)), QStringLiteral("null"));
    QCOMPARE(system.stringify(QVariantList{QVariant::fromValue(nullptr), QVariant()}), QStringLiteral("[ null, null ]"));
}

void tst_System::stringifyWritesValidJsonForAnyValue()
{
    System system;
    // Control characters are escaped, non-ASCII text stays as it is.
    const QString text = QStringLiteral("q\"b\\n\nt\tc") + QChar(1) + QChar(0x1f) + QStringLiteral("ë");
    const QString written = system.stringify(QVariantList{text, qQNaN(), qInf(), -qInf(), 2.5f});
    QCOMPARE(written, QStringLiteral(R"([ "q\"b\\n\nt\tc\u0001\u001fë", null, null, null, 2.5 ])"));
    QJsonParseError error;
    QJsonDocument::fromJson(written.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);

    // A value with no JSON form is written as null, with a warning.
    QObject object;
    QTest::ignoreMessage(QtWarningMsg, "[WARNING]: serializeData can't load \"QObject*\"");
    QCOMPARE(system.stringify(QVariantMap{{QStringLiteral("o"), QVariant::fromValue(&object)}}),
             QStringLiteral(R"({ "o" : null })"));

    // Nesting deeper than the writer goes is refused instead of exhausting the stack.
    QVariant deep = 1;
    for (int i = 0; i < 600; ++i)
        deep = QVariantList{deep};
    QTest::ignoreMessage(QtWarningMsg, "[WARNING]: serializeData can't write data nested deeper than 512 levels");
    const QString deepText = system.stringify(deep);
    QVERIFY(deepText.startsWith(QStringLiteral("[ [ [")));
    QVERIFY(deepText.contains(QStringLiteral("null")));
}

void tst_System::stringifyIncludesAndObjects()
{
    System system;
    const QVariantMap map{{QStringLiteral("a"), 1}, {QStringLiteral("b"), QStringLiteral("x")}};
    QCOMPARE(system.stringify(map, {QStringLiteral("b")}), QStringLiteral(R"({ "b" : "x" })"));
    QCOMPARE(system.stringify(map, {QStringLiteral("b"), QStringLiteral("gone"), QStringLiteral("a")}),
             QStringLiteral(R"({ "b" : "x", "gone" : null, "a" : 1 })"));
    // Names are escaped like every other string.
    QCOMPARE(system.stringify(map, {QStringLiteral("q\"")}), QStringLiteral(R"({ "q\"" : null })"));

    QObject object;
    object.setObjectName(QStringLiteral("hero"));
    object.setProperty("dynamic", 5); // dynamic properties are not part of the meta-object
    QCOMPARE(system.stringifyObject(&object), QStringLiteral(R"({ "objectName" : "hero" })"));
    QCOMPARE(system.stringifyObject(&object, {QStringLiteral("objectName")}), QStringLiteral(R"({ "objectName" : "hero" })"));
    QCOMPARE(system.stringifyObject(nullptr), QStringLiteral("null"));
    QVERIFY(system.jsonMapWithPropertiesResolved(map, {}).isEmpty());
    QVERIFY(system.jsonMapForObjectWithPropertiesResolved(map, {}).isEmpty());
}

void tst_System::stringifyMakesUrlsRelative()
{
    System system;
    const QUrl file(QStringLiteral("file:///home/u/game/img/a.png"));
    QCOMPARE(system.stringifyWithBasePath(file), QStringLiteral(R"("file:///home/u/game/img/a.png")"));
    QCOMPARE(system.stringifyWithBasePath(file, {}, QStringLiteral("file:///home/u/game/")), QStringLiteral(R"("img/a.png")"));
    QCOMPARE(system.stringifyWithBasePath(file, {}, QStringLiteral("/home/u/game/")), QStringLiteral(R"("img/a.png")"));
    const QUrl resource(QStringLiteral("qrc:/qml/qrcdata/data.json"));
    QCOMPARE(system.stringifyWithBasePath(resource, {}, QStringLiteral("qrc:/qml/")), QStringLiteral(R"("qrcdata/data.json")"));
    // Only a leading base path goes; the same text later in the path stays.
    QCOMPARE(system.stringifyWithBasePath(QUrl(QStringLiteral("file:///x/home/u/game/a.png")), {}, QStringLiteral("/home/u/game/")),
             QStringLiteral(R"("/x/home/u/game/a.png")"));

    // With a source object, its document's folder is the base.
    QTemporaryDir dir;
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nItem {}", QUrl::fromLocalFile(dir.filePath(QStringLiteral("scenes/Game.qml"))));
    QScopedPointer<QObject> item(component.create());
    QVERIFY(item);
    const QUrl inScenes = QUrl::fromLocalFile(dir.filePath(QStringLiteral("scenes/img/b.png")));
    QCOMPARE(system.stringify(inScenes, {}, item.data()), QStringLiteral(R"("img/b.png")"));
}

void tst_System::parseReadsValues()
{
    System system;
    const QVariantMap map = system.parse(QStringLiteral(
        R"({ "n": -3, "u": 7, "d": 1.5e2, "e": 1e2, "E": 2E-1, "big": 18446744073709551616, "s": "a\"\\\/\b\f\n\r\t\u00e9",
             "l": [true, false, null, {}], "o": { "k": [] } })"));
    QCOMPARE(map.value(QStringLiteral("n")).userType(), int(QMetaType::LongLong));
    QCOMPARE(map.value(QStringLiteral("n")).toLongLong(), -3);
    QCOMPARE(map.value(QStringLiteral("u")).userType(), int(QMetaType::ULongLong));
    QCOMPARE(map.value(QStringLiteral("d")), QVariant(150.0));
    QCOMPARE(map.value(QStringLiteral("e")), QVariant(100.0));
    QCOMPARE(map.value(QStringLiteral("E")), QVariant(0.2));
    QCOMPARE(map.value(QStringLiteral("big")).toDouble(), 18446744073709551616.0);
    QCOMPARE(map.value(QStringLiteral("s")).toString(), QStringLiteral("a\"\\/\b\f\n\r\t") + QChar(0xe9));
    QCOMPARE(map.value(QStringLiteral("l")).toList(), (QVariantList{true, false, QVariant(), QVariantMap()}));
    QCOMPARE(map.value(QStringLiteral("o")).toMap().value(QStringLiteral("k")), QVariant(QVariantList()));

    // What stringify writes, parse reads back.
    const QVariantMap original{{QStringLiteral("t"), QStringLiteral("x\ny\"\u0001")}, {QStringLiteral("d"), 0.1},
                               {QStringLiteral("l"), QVariantList{1.0, QStringLiteral("z")}}};
    const QVariantMap back = system.parse(system.stringify(original));
    QCOMPARE(back.value(QStringLiteral("t")), original.value(QStringLiteral("t")));
    QCOMPARE(back.value(QStringLiteral("d")).toDouble(), 0.1);
    QCOMPARE(back.value(QStringLiteral("l")), original.value(QStringLiteral("l")));

    // Empty text and a non-object are no errors, they just give no map.
    QVERIFY(system.parse(QString()).isEmpty());
    QVERIFY(system.parse(QStringLiteral("[1, 2]")).isEmpty());
}

void tst_System::parseRefusesBadInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("unterminated") << R"({"a": "b)";
    QTest::newRow("missing value") << R"({"a": })";
    QTest::newRow("trailing comma") << R"({"a": 1,})";
    QTest::newRow("bad escape") << R"({"a": "\x"})";
    QTest::newRow("bad unicode") << R"({"a": "\u12"})";
    QTest::newRow("malformed number") << R"({"a": 1-2})";
    QTest::newRow("two values") << R"({} {})";
    QTest::newRow("unquoted key") << R"({a: 1})";
}

void tst_System::parseRefusesBadInput()
{
    QFETCH(QString, text);
    System system;
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("[System]- [WARNING]: System can't parse stringData file \"%1\"").arg(text)));
    QVERIFY(system.parse(text).isEmpty());
}

void tst_System::parseRefusesOverDeepNesting()
{
    System system;
    const auto nested = [](int depth) {
        return QStringLiteral("{\"a\":") + QString(depth - 1, QLatin1Char('[')) + QString(depth - 1, QLatin1Char(']'))
               + QLatin1Char('}');
    };
    QCOMPARE(system.parse(nested(512)).size(), 1);
    for (const int depth : {513, 200000}) {
        QTest::ignoreMessage(QtWarningMsg, "[System]- [WARNING]: System can't parse stringData file, it nests deeper than 512 levels");
        QVERIFY(system.parse(nested(depth)).isEmpty());
    }
}

void tst_System::pointFFromString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("expected");
    QTest::newRow("spaced") << "1.5, 2" << QPointF(1.5, 2);
    QTest::newRow("written") << "1.5, 2.0" << QPointF(1.5, 2);
    QTest::newRow("three") << "1,2,3" << QPointF(0, 0);
    QTest::newRow("none") << "12" << QPointF(0, 0);
    QTest::newRow("not a number") << "a, 2" << QPointF(0, 0);
}

void tst_System::pointFFromString()
{
    QFETCH(QString, text);
    QFETCH(QPointF, expected);
    System system;
    QCOMPARE(system.pointFFromString(text), expected);
}

void tst_System::unsupportedAndSpriteHelpers()
{
    System system;
    QTest::ignoreMessage(QtWarningMsg, "System::captureScreenshot() is not supported in Zarno 2.0 yet");
    system.captureScreenshot(QStringLiteral("shot.png"), 0, 0, 10, 10);

    RecreatableSprite sprite;
    system.recreateSprite(&sprite);
    QCOMPARE(sprite.created, 1);

    // The toolkit's sprite sequence rebuilds its engine this way.
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nSpriteSequence { Sprite { name: 'a'; frameCount: 1; frameWidth: 1; frameHeight: 1 } }", QUrl());
    QScopedPointer<QObject> sequence(component.create());
    QVERIFY(sequence);
    {
        WarningCollector collector;
        system.recreateSprite(sequence.data());
        QCOMPARE(collector.warnings, QStringList());
    }

    QObject plain;
    QString expected;
    QDebug(&expected) << "WARNING: the object" << &plain << "does not have a createEngine() slot";
    QTest::ignoreMessage(QtWarningMsg, qPrintable(expected.trimmed()));
    system.recreateSprite(&plain);
}

static const char *const movingScene = R"(
import QtQuick 2.0
import QtQuick.Particles 2.0
import Zarno 2.0
Item {
    property alias particles: particles
    property alias packed: packed
    property alias heldPacked: heldPacked
    property alias timer: timer
    property alias idleTimer: idleTimer
    property alias animation: animation
    property alias group: group
    property alias sprite: sprite
    property alias sequence: sequence
    Timer { id: timer; interval: 100000; running: true; repeat: true }
    Timer { id: idleTimer; interval: 100000 }
    Item {
        NumberAnimation on x { id: animation; from: 0; to: 100; duration: 100000; loops: Animation.Infinite }
        SequentialAnimation on y {
            id: group; loops: Animation.Infinite
            NumberAnimation { from: 0; to: 10; duration: 100000 }
            PauseAnimation { duration: 100000 }
        }
        Behavior on opacity { NumberAnimation { duration: 100000 } }
        AnimatedSprite { id: sprite; frameCount: 2; frameWidth: 1; frameHeight: 1; frameDuration: 100000; running: true }
        SpriteSequence {
            id: sequence; running: true
            Sprite { name: "still"; frameCount: 1; frameWidth: 1; frameHeight: 1; frameDuration: 100000 }
        }
        TexturePackerSprite { id: packed; running: true }
        TexturePackerSprite { id: heldPacked; running: true; paused: true }
        ParticleSystem { id: particles }
    }
}
)";

// One QML scene with something of every kind that moves, in an engine that
// the application host has prepared, the step driver running.
struct MovingScene
{
    MovingScene()
    {
        config.reset(new ConfigurationDir(R"({ "stage": "test" })"));
        zarnoApp.initialize(&engine);
        zarnoApp.stepDriver()->start(QAbstractAnimation::KeepWhenStopped);
        QQmlComponent component(&engine);
        component.setData(movingScene, QUrl());
        root.reset(component.create());
        if (!root)
            qWarning() << component.errors();
        nativeTimer = new QTimer(root.data());
        nativeTimer->start(100000);
        nativeAnimation = new QPropertyAnimation(root.data(), "opacity", root.data());
        nativeAnimation->setDuration(100000);
        nativeAnimation->setEndValue(0.5);
        nativeAnimation->start();
    }
    QObject *child(const char *name) const { return root->property(name).value<QObject *>(); }

    QScopedPointer<ConfigurationDir> config;
    QQmlEngine engine;
    ZRApplication zarnoApp;
    QScopedPointer<QObject> root;
    QTimer *nativeTimer = nullptr;
    QPropertyAnimation *nativeAnimation = nullptr;
};

void tst_System::pauseAndResumeEverythingBelowAnObject()
{
    MovingScene scene;
    QVERIFY(scene.root);
    System *system = scene.zarnoApp.system();
    QObject *timer = scene.child("timer");
    QObject *animation = scene.child("animation");
    QObject *sprite = scene.child("sprite");
    QObject *sequence = scene.child("sequence");
    QVERIFY(timer->property("running").toBool());
    QVERIFY(animation->property("running").toBool());
    QVERIFY(sprite->property("running").toBool());
    QVERIFY(sequence->property("running").toBool());

    QObject *group = scene.child("group");
    // A running behaviour animation: not a root animation of its own.
    scene.root->findChildren<QQuickItem *>().first()->setOpacity(0.5);

    QSignalSpy paused(system, &System::gamePausedChanged);
    WarningCollector collector;
    system->pauseGameForObject(scene.root.data());
    QVERIFY(group->property("paused").toBool());
    QVERIFY(system->gamePaused());
    QCOMPARE(paused.count(), 1);
    QVERIFY(!timer->property("running").toBool());
    QVERIFY(animation->property("paused").toBool());
    QVERIFY(!sprite->property("running").toBool());
    QVERIFY(!sequence->property("running").toBool());
    QVERIFY(scene.child("packed")->property("paused").toBool());
    // Particle systems age their particles by an animation of their own.
    auto *particleClock = scene.child("particles")->findChild<QAbstractAnimation *>();
    QVERIFY(particleClock);
    QCOMPARE(particleClock->state(), QAbstractAnimation::Paused);
    QVERIFY(!scene.nativeTimer->isActive());
    QCOMPARE(scene.nativeAnimation->state(), QAbstractAnimation::Paused);
    QCOMPARE(scene.zarnoApp.stepDriver()->state(), QAbstractAnimation::Paused);

    system->resumeGameForObject(scene.root.data());
    QCOMPARE(collector.warnings, QStringList());
    QVERIFY(!group->property("paused").toBool());
    QVERIFY(group->property("running").toBool());
    QVERIFY(!system->gamePaused());
    QCOMPARE(paused.count(), 2);
    QVERIFY(timer->property("running").toBool());
    QVERIFY(!animation->property("paused").toBool());
    QVERIFY(animation->property("running").toBool());
    QVERIFY(sprite->property("running").toBool());
    QVERIFY(sequence->property("running").toBool());
    QVERIFY(!scene.child("packed")->property("paused").toBool());
    QVERIFY(scene.child("packed")->property("running").toBool());
    QCOMPARE(particleClock->state(), QAbstractAnimation::Running);
    // Held by the game itself before: stays held.
    QVERIFY(scene.child("heldPacked")->property("paused").toBool());
    QVERIFY(scene.nativeTimer->isActive());
    QCOMPARE(scene.nativeAnimation->state(), QAbstractAnimation::Running);
    QCOMPARE(scene.zarnoApp.stepDriver()->state(), QAbstractAnimation::Running);
    // What was not running before the pause is not started by the resume.
    QVERIFY(!scene.child("idleTimer")->property("running").toBool());
}

void tst_System::pausingTwiceResumesBoth()
{
    MovingScene scene;
    QVERIFY(scene.root);
    System *system = scene.zarnoApp.system();
    QObject *timer = scene.child("timer");
    QObject *idleTimer = scene.child("idleTimer");

    system->pauseGameForObject(scene.root.data());
    idleTimer->setProperty("running", true);
    auto *doomed = new QTimer(scene.root.data());
    doomed->start(100000);
    system->pauseGameForObject(scene.root.data());
    QVERIFY(!idleTimer->property("running").toBool());
    QVERIFY(!doomed->isActive());
    delete doomed; // destroyed while paused: skipped on resume

    system->resumeGameForObject(scene.root.data());
    QVERIFY(timer->property("running").toBool());
    QVERIFY(idleTimer->property("running").toBool());
    QCOMPARE(scene.zarnoApp.stepDriver()->state(), QAbstractAnimation::Running);

    // The lists were emptied: another resume restarts nothing.
    timer->setProperty("running", false);
    system->resumeGameForObject(scene.root.data());
    QVERIFY(!timer->property("running").toBool());
}

void tst_System::pauseWithoutContextOrDriverWarns()
{
    System system;
    // A native object tree has no QML context; its timers are still handled.
    QObject root;
    auto *timer = new QTimer(&root);
    timer->start(100000);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: Context was not found in Context Property!");
    system.pauseGameForObject(&root);
    QVERIFY(!timer->isActive());
    QVERIFY(system.gamePaused());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: Context was not found in Context Property!");
    system.resumeGameForObject(&root);
    QVERIFY(timer->isActive());
    QVERIFY(!system.gamePaused());

    // An engine without the step driver.
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.0\nItem { Timer { objectName: 't'; running: true; interval: 100000 } }", QUrl());
    QScopedPointer<QObject> item(component.create());
    QVERIFY(item);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: Zarno Scheduler was not found in Context Property!");
    system.pauseGameForObject(item.data());
    QObject *qmlTimer = item->findChild<QObject *>(QStringLiteral("t"));
    QVERIFY(qmlTimer);
    QVERIFY(!qmlTimer->property("running").toBool());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: Zarno Scheduler was not found in Context Property!");
    system.resumeGameForObject(item.data());
    QVERIFY(qmlTimer->property("running").toBool());
}

void tst_System::pauseAndResumeWithoutObjectDoNothing()
{
    System system;
    QSignalSpy spy(&system, &System::gamePausedChanged);
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: pauseGameForObject() needs an object, nothing was paused");
    system.pauseGameForObject(nullptr);
    QVERIFY(!system.gamePaused());
    QTest::ignoreMessage(QtWarningMsg, "WARNING: System: resumeGameForObject() needs an object, nothing was resumed");
    system.resumeGameForObject(nullptr);
    QCOMPARE(spy.count(), 0);
}

int main(int argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0)
        return childMain(argc, argv);
    QGuiApplication app(argc, argv);
    tst_System test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_system.moc"
