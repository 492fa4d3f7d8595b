// Content scale and density-dependent file selection, measured on real X screens:
// the test re-runs itself under its own Xvfb of the wanted size (the "--probe"
// mode) and reads back what the host published and which image files QML loaded.
#include "app/zarnourlinterceptor.h"
#include "app/zrapplication.h"

#include <QApplication>
#include <QFileSelector>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

static const char probeFlag[] = "--probe";

static const char *const publishedNames[] = {
    "defaultSceneWidth", "defaultSceneHeight", "screenDpi", "devicePixelRatio", "devicePixelRatioInverse",
    "fileSelectorForImages", "fileSelectorListForImages", "internalContentScaleFactorForImages",
    "contentScaleFactorForImages", "contentScaleFactorDefault"};

static bool writeSquare(const QString &path, int size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return image.save(path, "PNG");
}

static bool writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Child process: the folder given is the working directory, as the game's asset
// folder is; prints one JSON object on standard output.
static int runProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QDir::setCurrent(QString::fromLocal8Bit(argv[2]));

    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);

    QJsonObject out;
    for (const char *name : publishedNames)
        out.insert(QLatin1String(name), QJsonValue::fromVariant(engine.rootContext()->contextProperty(QLatin1String(name))));
    const QSize screenSize = QGuiApplication::primaryScreen()->size();
    out.insert(QStringLiteral("screen"), QStringLiteral("%1x%2").arg(screenSize.width()).arg(screenSize.height()));

    QQmlComponent component(&engine, QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Probe.qml"))));
    QScopedPointer<QObject> probe(component.create());
    if (!probe) {
        out.insert(QStringLiteral("errors"), component.errorString());
    } else {
        for (const char *name : {"plainWidth", "qrcWidth", "missingStatus"})
            out.insert(QLatin1String(name), QJsonValue::fromVariant(probe->property(name)));
    }
    QTextStream(stdout) << QJsonDocument(out).toJson(QJsonDocument::Compact) << '\n';
    return 0;
}

class tst_ContentScale : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void realScreens_data();
    void realScreens();
    void selectorBoundaries_data();
    void selectorBoundaries();
    void extraSelectorsReplacedByContentScale();
    void interceptorKeepsEmbeddedAndQmldir();
    void interceptorFindsOddFileNamesOnDisk();
    void interceptorSelectsFilesOnly_data();
    void interceptorSelectsFilesOnly();
    void coverSizeChoosesLowestDensity_data();
    void coverSizeChoosesLowestDensity();

private:
    QJsonObject probe(const QString &screen, const QByteArray &scaleFactor);
    QTemporaryDir m_assets;
};

void tst_ContentScale::initTestCase()
{
    QVERIFY(m_assets.isValid());
    const QString root = m_assets.path();
    // Each density has its own pixel size, so the loaded width tells which file won.
    QVERIFY(writeSquare(root + "/img/a.png", 10));
    QVERIFY(writeSquare(root + "/img/+hd/a.png", 20));
    QVERIFY(writeSquare(root + "/img/+hd2/a.png", 40));
    // Reached through a resource URL that is not embedded; no hd set on purpose.
    QVERIFY(writeSquare(root + "/assets/b.png", 10));
    QVERIFY(writeSquare(root + "/assets/+hd2/b.png", 40));
    QVERIFY(writeText(root + "/Probe.qml",
                      "import QtQuick 2.0\n"
                      "Item {\n"
                      "    property int plainWidth: plain.status === Image.Ready ? plain.implicitWidth : -1\n"
                      "    property int qrcWidth: fromQrc.status === Image.Ready ? fromQrc.implicitWidth : -1\n"
                      "    property int missingStatus: missing.status\n"
                      "    Image { id: plain; source: \"img/a.png\" }\n"
                      "    Image { id: fromQrc; source: \"qrc:/assets/b.png\" }\n"
                      "    Image { id: missing; source: \"qrc:/assets/nowhere.png\" }\n"
                      "}\n"));
}

QJsonObject tst_ContentScale::probe(const QString &screen, const QByteArray &scaleFactor)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    if (!scaleFactor.isEmpty())
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(scaleFactor));
    const QStringList args{QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 %1x24").arg(screen),
                           QCoreApplication::applicationFilePath(), QLatin1String(probeFlag), m_assets.path()};
    // xvfb-run -a picks a display number by looking for lock files, which can race
    // with other servers starting at the same moment: try again a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("xvfb-run"), args);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            continue;
        }
        const QByteArray output = process.readAllStandardOutput();
        const int start = output.lastIndexOf("{\"");
        if (process.exitCode() == 0 && start >= 0)
            return QJsonDocument::fromJson(output.mid(start).trimmed()).object();
        qInfo("probe on %s failed (exit %d): %s", qPrintable(screen), process.exitCode(),
              process.readAllStandardError().constData());
    }
    return QJsonObject();
}

void tst_ContentScale::realScreens_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QByteArray>("scaleFactor");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QStringList>("selectors");
    QTest::addColumn<double>("internalFactor");
    QTest::addColumn<int>("plainWidth");
    QTest::addColumn<int>("qrcWidth");

    const QStringList sd{"sd"}, hd{"hd", "sd"}, hd2{"hd2", "hd", "sd"};
    QTest::newRow("480x320") << "480x320" << QByteArray() << 1.0 << 1.0 << sd << 1.0 << 10 << 10;
    QTest::newRow("960x640") << "960x640" << QByteArray() << 1.0 << 2.0 << hd << 2.0 << 20 << 10;
    QTest::newRow("1920x1080") << "1920x1080" << QByteArray() << 1.0 << 4.0 << hd2 << 4.0 << 40 << 40;
    QTest::newRow("portrait 1080x1920") << "1080x1920" << QByteArray() << 1.0 << 4.0 << hd2 << 4.0 << 40 << 40;
    QTest::newRow("320x240 clamps to 1") << "320x240" << QByteArray() << 1.0 << 1.0 << sd << 1.0 << 10 << 10;
    // A 1920x1080 screen at ratio 2 is 960x540 logical; the physical side counts.
    QTest::newRow("ratio 2, 960x540 logical") << "1920x1080" << QByteArray("2") << 2.0 << 4.0 << hd2 << 4.0 << 40 << 40;
}

void tst_ContentScale::realScreens()
{
    QFETCH(QString, screen);
    QFETCH(QByteArray, scaleFactor);
    QFETCH(double, ratio);
    QFETCH(double, scale);
    QFETCH(QStringList, selectors);
    QFETCH(double, internalFactor);
    QFETCH(int, plainWidth);
    QFETCH(int, qrcWidth);

    const QJsonObject result = probe(screen, scaleFactor);
    QVERIFY2(!result.isEmpty(), "the probe did not run under its own X server");
    QVERIFY2(!result.contains(QStringLiteral("errors")), qPrintable(result.value("errors").toString()));
    if (ratio == 1.0)
        QCOMPARE(result.value("screen").toString(), screen);
    else
        QCOMPARE(result.value("screen").toString(), QStringLiteral("960x540"));

    QCOMPARE(result.value("defaultSceneWidth").toInt(), 480);
    QCOMPARE(result.value("defaultSceneHeight").toInt(), 320);
    QCOMPARE(result.value("devicePixelRatio").toDouble(), ratio);
    QCOMPARE(result.value("devicePixelRatioInverse").toDouble(), 1.0 / ratio);
    QVERIFY(result.value("screenDpi").toDouble() > 0);
    QCOMPARE(result.value("contentScaleFactorDefault").toDouble(), scale);
    QCOMPARE(result.value("fileSelectorForImages").toString(), selectors.first());
    QCOMPARE(result.value("fileSelectorListForImages").toVariant().toStringList(), selectors);
    QCOMPARE(result.value("contentScaleFactorForImages").toDouble(), internalFactor);
    QCOMPARE(result.value("internalContentScaleFactorForImages").toDouble(), 1.0 / internalFactor);

    // A plain relative image name picks the best density that exists on disk.
    QCOMPARE(result.value("plainWidth").toInt(), plainWidth);
    // A resource URL that is not embedded is found beside the working directory,
    // then goes through the same selection (there is no hd set of it).
    QCOMPARE(result.value("qrcWidth").toInt(), qrcWidth);
    // Neither embedded nor on disk: passed through, and the image reports an error.
    QCOMPARE(result.value("missingStatus").toInt(), 3); // Image.Error
}

void tst_ContentScale::selectorBoundaries_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QStringList>("selectors");
    QTest::addColumn<double>("internalFactor");
    QTest::newRow("1.99") << 1.99 << QStringList{"sd"} << 1.0;
    QTest::newRow("2") << 2.0 << QStringList{"hd", "sd"} << 2.0;
    QTest::newRow("2.79") << 2.79 << QStringList{"hd", "sd"} << 2.0;
    QTest::newRow("2.8") << 2.8 << QStringList{"hd2", "hd", "sd"} << 4.0;
    QTest::newRow("10") << 10.0 << QStringList{"hd2", "hd", "sd"} << 4.0;
}

void tst_ContentScale::selectorBoundaries()
{
    QFETCH(double, scale);
    QFETCH(QStringList, selectors);
    QFETCH(double, internalFactor);
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    zarnoApp.applyContentScale(scale);
    QQmlContext *context = engine.rootContext();
    QCOMPARE(context->contextProperty("fileSelectorListForImages").toStringList(), selectors);
    QCOMPARE(context->contextProperty("fileSelectorForImages").toString(), selectors.first());
    QCOMPARE(context->contextProperty("contentScaleFactorForImages").toDouble(), internalFactor);
    QCOMPARE(context->contextProperty("contentScaleFactorDefault").toDouble(), scale);
    QCOMPARE(zarnoApp.contentScaleFactor(), scale);
    QCOMPARE(zarnoApp.internalContentScaleFactor(), internalFactor);
    QCOMPARE(zarnoApp.fileSelector()->extraSelectors(), selectors);
}

void tst_ContentScale::extraSelectorsReplacedByContentScale()
{
    QQmlEngine engine;
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    zarnoApp.applyContentScale(1);
    zarnoApp.addGameWindowIsItemSelector();
    QCOMPARE(zarnoApp.extraFileSelectors(), (QStringList{"sd", "gameWindowIsItem"}));
    QCOMPARE(zarnoApp.fileSelector()->extraSelectors(), (QStringList{"sd", "gameWindowIsItem"}));
    // Applying a scale installs the density list alone.
    zarnoApp.applyContentScale(2);
    QCOMPARE(zarnoApp.fileSelector()->extraSelectors(), (QStringList{"hd", "sd"}));
}

void tst_ContentScale::interceptorKeepsEmbeddedAndQmldir()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeText(dir.path() + "/mod/qmldir", "module Mod\n"));
    QVERIFY(writeText(dir.path() + "/mod/+hd/qmldir", "module Wrong\n"));
    QVERIFY(writeText(dir.path() + "/qml/Zarno/qmldir", "module Zarno\n"));
    QVERIFY(writeText(dir.path() + "/qml/Zarno/+hd/qmldir", "module Wrong\n"));

    ZRApplication zarnoApp; // registers the framework resources
    QFileSelector selector;
    selector.setExtraSelectors({"hd", "sd"});
    ZarnoUrlInterceptor interceptor;
    interceptor.setFileSelector(&selector);
    interceptor.setBaseUrlText(QUrl::fromLocalFile(dir.path() + "/").toString());

    const QUrl qmldir = QUrl::fromLocalFile(dir.path() + "/mod/qmldir");
    QCOMPARE(interceptor.intercept(qmldir, QQmlAbstractUrlInterceptor::QmldirFile), qmldir);
    // The same file requested as anything else does get its variant.
    QCOMPARE(interceptor.intercept(qmldir, QQmlAbstractUrlInterceptor::UrlString),
             QUrl::fromLocalFile(dir.path() + "/mod/+hd/qmldir"));

    // Embedded in the program: stays a resource although the same name (and even a
    // density variant of it) exists beside the base folder.
    QVERIFY(QFile::exists(":/qml/Zarno/qmldir"));
    const QUrl embedded(QStringLiteral("qrc:/qml/Zarno/qmldir"));
    QCOMPARE(interceptor.intercept(embedded, QQmlAbstractUrlInterceptor::UrlString), embedded);
    QCOMPARE(interceptor.intercept(embedded, QQmlAbstractUrlInterceptor::QmldirFile), embedded);

    // Without a base URL nothing is looked up on disk.
    interceptor.setBaseUrlText(QString());
    const QUrl notEmbedded(QStringLiteral("qrc:/mod/qmldir"));
    QCOMPARE(interceptor.intercept(notEmbedded, QQmlAbstractUrlInterceptor::UrlString), notEmbedded);
}

void tst_ContentScale::interceptorFindsOddFileNamesOnDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeSquare(dir.path() + "/img/a#1 50%.png", 2));
    QVERIFY(writeSquare(dir.path() + "/img/x:/y.png", 2));

    QFileSelector selector;
    ZarnoUrlInterceptor interceptor;
    interceptor.setFileSelector(&selector);
    interceptor.setBaseUrlText(QUrl::fromLocalFile(dir.path() + "/").toString());

    // "#", "%" and blanks are part of the file name, not a fragment or an escape.
    QUrl odd(QStringLiteral("qrc:/img/"));
    odd.setPath(QStringLiteral("/img/a#1 50%.png"), QUrl::DecodedMode);
    QCOMPARE(interceptor.intercept(odd, QQmlAbstractUrlInterceptor::UrlString).toLocalFile(),
             dir.path() + "/img/a#1 50%.png");
    // Only the resource root maps to the base folder, not a ":/" further on.
    QCOMPARE(interceptor.intercept(QUrl(QStringLiteral("qrc:/img/x:/y.png")), QQmlAbstractUrlInterceptor::UrlString)
                 .toLocalFile(),
             dir.path() + "/img/x:/y.png");
}

void tst_ContentScale::interceptorSelectsFilesOnly_data()
{
    QTest::addColumn<QString>("requested"); // below the scratch folder; "qrc:" marks a resource URL
    QTest::addColumn<QString>("expected");

    QTest::newRow("file with a variant") << "img/a.png" << "img/+hd/a.png";
    QTest::newRow("file without a variant") << "img/base.png" << "img/base.png";
    QTest::newRow("resource file on disk") << "qrc:/img/a.png" << "img/+hd/a.png";
    // A folder is never redirected into its +hd sub-folder, nor to a folder of the same name there.
    QTest::newRow("folder") << "img/" << "img/";
    QTest::newRow("folder without slash") << "img/sub" << "img/sub";
    QTest::newRow("folder inside") << "img/sub/" << "img/sub/";
    QTest::newRow("resource folder on disk") << "qrc:/img/" << "img/";
}

void tst_ContentScale::interceptorSelectsFilesOnly()
{
    QFETCH(QString, requested);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeSquare(dir.path() + "/img/a.png", 1));
    QVERIFY(writeSquare(dir.path() + "/img/+hd/a.png", 2));
    QVERIFY(writeSquare(dir.path() + "/img/base.png", 1));
    QVERIFY(writeSquare(dir.path() + "/img/sub/b.png", 1));
    QVERIFY(writeSquare(dir.path() + "/img/+hd/sub/b.png", 2));
    QVERIFY(writeSquare(dir.path() + "/img/sub/+hd/b.png", 2));

    QFileSelector selector;
    selector.setExtraSelectors({"hd", "sd"});
    ZarnoUrlInterceptor interceptor;
    interceptor.setFileSelector(&selector);
    interceptor.setBaseUrlText(QUrl::fromLocalFile(dir.path() + "/").toString());

    const QUrl url = requested.startsWith("qrc:") ? QUrl(requested) : QUrl::fromLocalFile(dir.path() + "/" + requested);
    const QUrl result = interceptor.intercept(url, QQmlAbstractUrlInterceptor::UrlString);
    QCOMPARE(result, QUrl::fromLocalFile(dir.path() + "/" + expected));
}

void tst_ContentScale::coverSizeChoosesLowestDensity_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QString>("requested"); // below the scratch folder, with its query
    QTest::addColumn<QString>("expected");

    // p.png is 100 x 50, +hd 200 x 100, +hd2 400 x 200; q.png has no +hd file.
    QTest::newRow("480x320 needs more, sd is all there is") << QSize(480, 320) << "img/p.png?coverSize=0x100" << "img/p.png";
    QTest::newRow("960x640 covered by sd") << QSize(960, 640) << "img/p.png?coverSize=0x50" << "img/p.png";
    QTest::newRow("960x640 one row more") << QSize(960, 640) << "img/p.png?coverSize=0x51" << "img/+hd/p.png";
    QTest::newRow("960x640 never above hd") << QSize(960, 640) << "img/p.png?coverSize=0x150" << "img/+hd/p.png";
    QTest::newRow("1920x1280 covered by hd") << QSize(1920, 1280) << "img/p.png?coverSize=0x100" << "img/+hd/p.png";
    QTest::newRow("1920x1280 needs hd2") << QSize(1920, 1280) << "img/p.png?coverSize=0x101" << "img/+hd2/p.png";
    QTest::newRow("width alone") << QSize(1920, 1280) << "img/p.png?coverSize=100x0" << "img/p.png";
    QTest::newRow("width decides") << QSize(1920, 1280) << "img/p.png?coverSize=101x10" << "img/+hd/p.png";
    QTest::newRow("from a variant's URL") << QSize(1920, 1280) << "img/+hd2/p.png?coverSize=0x20" << "img/p.png";
    QTest::newRow("missing density skipped") << QSize(1920, 1280) << "img/q.png?coverSize=0x60" << "img/+hd2/q.png";
    QTest::newRow("resource URL on disk") << QSize(1920, 1280) << "qrc:/img/p.png?coverSize=0x60" << "img/+hd/p.png";
    QTest::newRow("other query items kept") << QSize(1920, 1280) << "img/p.png?a=1&coverSize=0x60" << "img/+hd/p.png";
    QTest::newRow("not a size: usual choice") << QSize(1920, 1280) << "img/p.png?coverSize=big" << "img/+hd2/p.png";
}

void tst_ContentScale::coverSizeChoosesLowestDensity()
{
    QFETCH(QSize, window);
    QFETCH(QString, requested);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (int scale : {1, 2, 4}) {
        const QString folder = scale == 1 ? QString() : scale == 2 ? QStringLiteral("+hd/") : QStringLiteral("+hd2/");
        QImage image(100 * scale, 50 * scale, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QDir().mkpath(dir.path() + "/img/" + folder);
        QVERIFY(image.save(dir.path() + "/img/" + folder + "p.png"));
        if (scale != 2)
            QVERIFY(image.save(dir.path() + "/img/" + folder + "q.png"));
    }

    QQmlEngine engine;
    engine.setBaseUrl(QUrl::fromLocalFile(dir.path() + "/"));
    ZRApplication zarnoApp;
    zarnoApp.initialize(&engine);
    zarnoApp.applyContentScale(qMax(1.0, qMax(window.width(), window.height()) / 480.0));
    QQmlAbstractUrlInterceptor *interceptor = engine.urlInterceptor();
    QVERIFY(interceptor);

    const QString query = requested.mid(requested.indexOf('?') + 1);
    const QString path = requested.left(requested.indexOf('?'));
    QUrl url = path.startsWith("qrc:") ? QUrl(path) : QUrl::fromLocalFile(dir.path() + "/" + path);
    url.setQuery(query);
    const QUrl result = interceptor->intercept(url, QQmlAbstractUrlInterceptor::UrlString);
    QCOMPARE(result.toLocalFile(), dir.path() + "/" + expected);
    if (query != "coverSize=big") {
        QCOMPARE(result.query(), query);
        // The image element resolves its source once more when it loads.
        QCOMPARE(interceptor->intercept(result, QQmlAbstractUrlInterceptor::UrlString), result);
    }
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], probeFlag) == 0)
        return runProbe(argc, argv);
    QApplication app(argc, argv);
    tst_ContentScale test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_contentscale.moc"
