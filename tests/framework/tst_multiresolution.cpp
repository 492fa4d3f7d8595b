// Images and sprite strips keep their logical size in every density of their files.
#include "support/qmlcase.h"

#include <QtTest/QtTest>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

namespace {

// Each density has its own colour so a grab tells which file was drawn.
const QColor densityColour[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
const char *densityFolder[3] = {"", "+hd/", "+hd2/"};
// Where each density is addressed directly: the base copy in "sd/" has no variants to resolve to.
const char *explicitFolder[3] = {"sd/", "+hd/", "+hd2/"};

// A strip of four 30 x 20 frames (logical); each frame's left half is green, right half yellow,
// so a frame cut at the wrong pixel size shows the wrong colours.
QImage makeStrip(int scale)
{
    QImage strip(4 * 30 * scale, 20 * scale, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int frame = 0; frame < 4; ++frame) {
        painter.fillRect(frame * 30 * scale, 0, 15 * scale, 20 * scale, QColor(0, 255, 0));
        painter.fillRect(frame * 30 * scale + 15 * scale, 0, 15 * scale, 20 * scale, QColor(255, 255, 0));
    }
    // A second row of bigger frames for the second sprite.
    return strip;
}

} // namespace

class TestMultiResolution : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void imageKeepsLogicalSize_data();
    void imageKeepsLogicalSize();
    void interceptedImage();
    void factorFollowsLoadedFile_data();
    void factorFollowsLoadedFile();
    void explicitSizeStretchesFile();
    void sourceChangeFollowsNewFile();
    void missingFileKeepsDefaultSize();
    void drawnPixelSizeReadsCoveringFile_data();
    void drawnPixelSizeReadsCoveringFile();
    void sequenceKeepsLogicalSize_data();
    void sequenceKeepsLogicalSize();
    void sequenceFollowsStripChange();
    void sequenceFollowsAbsoluteStrip();
    void sequenceResizesWithCurrentSprite();
    void mirroredSequenceStaysInPlace();

private:
    QQuickWindow *load(const QByteArray &body);
    // The 40x20 picture at (10, 10) shows in its colour, nothing beside it.
    static bool drawnAtLogicalSize(QQuickWindow *window, QQuickItem *image, const QColor &colour)
    {
        const QImage shot = window->grabWindow();
        return image->width() == 40.0 && image->height() == 20.0 && near(shot.pixelColor(11, 11), colour)
               && near(shot.pixelColor(48, 28), colour) && near(shot.pixelColor(51, 15), Qt::black);
    }
    static bool near(const QColor &a, const QColor &b) { return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40; }

    QTemporaryDir m_dir;
    QString m_selector;
    QmlCase m_case;
};

void TestMultiResolution::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const int scales[3] = {1, 2, 4};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("img/") + densityFolder[i]));
        QImage picture(40 * scales[i], 20 * scales[i], QImage::Format_ARGB32);
        picture.fill(densityColour[i]);
        QVERIFY(picture.save(m_dir.filePath(QStringLiteral("img/%1pic.png").arg(densityFolder[i]))));
        QVERIFY(makeStrip(scales[i]).save(m_dir.filePath(QStringLiteral("img/%1strip.png").arg(densityFolder[i]))));
        if (i == 0) {
            QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("img/sd")));
            QVERIFY(picture.save(m_dir.filePath(QStringLiteral("img/sd/pic.png"))));
            QVERIFY(makeStrip(1).save(m_dir.filePath(QStringLiteral("img/sd/strip.png"))));
            // Exists in the base density only.
            QVERIFY(picture.save(m_dir.filePath(QStringLiteral("img/only.png"))));
        }
    }
}

QQuickWindow *TestMultiResolution::load(const QByteArray &body)
{
    QQuickWindow *window = m_case.loadWindow(m_dir.filePath(QStringLiteral("case.qml")),
                                             "import QtQuick 2.15\nimport QtQuick.Window 2.2\nimport Zarno 2.0\n"
                                             "Window { width: 200; height: 120; visible: true; color: 'black'\n"
                                                 + body + "\n}\n");
    m_selector = m_case.engine()->rootContext()->contextProperty(QStringLiteral("fileSelectorForImages")).toString();
    return window;
}

static QQuickItem *child(QQuickWindow *window, const char *name)
{
    return window ? window->findChild<QQuickItem *>(QString::fromLatin1(name)) : nullptr;
}

void TestMultiResolution::imageKeepsLogicalSize_data()
{
    QTest::addColumn<int>("density");
    QTest::addColumn<double>("factor");
    QTest::newRow("base") << 0 << 1.0;
    QTest::newRow("+hd") << 1 << 0.5;
    QTest::newRow("+hd2") << 2 << 0.25;
}

void TestMultiResolution::imageKeepsLogicalSize()
{
    QFETCH(int, density);
    QFETCH(double, factor);
    QQuickWindow *window = load(QByteArray("MultiResolutionImage { objectName: 'image'; x: 10; y: 10; source: 'img/")
                                + explicitFolder[density] + "pic.png' }");
    QVERIFY(window);
    QQuickItem *image = child(window, "image");
    QVERIFY(image);
    QCOMPARE(image->property("contentScaleFactor").toDouble(), factor);
    QVERIFY(drawnAtLogicalSize(window, image, densityColour[density]));
    QVERIFY(near(window->grabWindow().pixelColor(20, 31), Qt::black));
}

void TestMultiResolution::interceptedImage()
{
    // The plain name resolves to the density the screen warrants.
    QQuickWindow *window = load("MultiResolutionImage { objectName: 'image'; source: 'img/pic.png' }");
    QVERIFY(window);
    QQuickItem *image = child(window, "image");
    QVERIFY(image);
    const int density = m_selector == QLatin1String("hd2") ? 2 : m_selector == QLatin1String("hd") ? 1 : 0;
    QVERIFY2(image->property("source").toString().contains(QLatin1String("img/") + densityFolder[density] + "pic.png"),
             qPrintable(image->property("source").toString()));
    QCOMPARE(image->width(), 40.0);
    QCOMPARE(image->height(), 20.0);
    QVERIFY(near(window->grabWindow().pixelColor(20, 10), densityColour[density]));
}

void TestMultiResolution::factorFollowsLoadedFile_data()
{
    // How the source is given (%DIR% is the folder of the document, as an absolute
    // URL), and whether the file exists in the base density only.
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("baseOnly");
    const QByteArray image = "MultiResolutionImage { id: image; objectName: 'image'; ";
    QTest::newRow("absolute text") << image + "source: '%DIR%/img/pic.png' }" << false;
    QTest::newRow("text from a property") << QByteArray("property string path: '%DIR%/img/pic.png'\n") + image + "source: path }" << false;
    QTest::newRow("resolved URL") << image + "source: Qt.resolvedUrl('img/pic.png') }" << false;
    QTest::newRow("assigned later") << image + "}\nComponent.onCompleted: image.source = '%DIR%/img/pic.png'" << false;
    QTest::newRow("createObject") << QByteArray("Component { id: made; MultiResolutionImage { objectName: 'image' } }\n"
                                     "Component.onCompleted: made.createObject(contentItem, {source: '%DIR%/img/pic.png'})") << false;
    QTest::newRow("folder plus name") << image + "source: Qt.resolvedUrl('img/') + 'pic.png' }" << false;
    QTest::newRow("folder plus base-only name") << image + "source: Qt.resolvedUrl('img/') + 'only.png' }" << true;
}

void TestMultiResolution::factorFollowsLoadedFile()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, baseOnly);
    body.replace("%DIR%", QUrl::fromLocalFile(m_dir.path()).toEncoded());
    QQuickWindow *window = load(body);
    QVERIFY(window);
    QQuickItem *image = nullptr;
    QTRY_VERIFY((image = child(window, "image")));
    const int density = baseOnly ? 0 : m_selector == QLatin1String("hd2") ? 2 : m_selector == QLatin1String("hd") ? 1 : 0;
    const double factors[3] = {1.0, 0.5, 0.25};
    QTRY_COMPARE(image->width(), 40.0);
    QCOMPARE(image->height(), 20.0);
    QCOMPARE(image->property("contentScaleFactor").toDouble(), factors[density]);
    QTRY_VERIFY(near(window->grabWindow().pixelColor(20, 10), densityColour[density]));
    QVERIFY(near(window->grabWindow().pixelColor(45, 10), Qt::black));
}

void TestMultiResolution::explicitSizeStretchesFile()
{
    QQuickWindow *window = load("MultiResolutionImage { objectName: 'image'; width: 100; height: 50; source: 'img/+hd2/pic.png' }");
    QVERIFY(window);
    QQuickItem *image = child(window, "image");
    QVERIFY(image);
    QCOMPARE(image->width(), 100.0);
    QCOMPARE(image->height(), 50.0);
    auto *inner = image->property("image").value<QQuickItem *>();
    QVERIFY(inner);
    QCOMPARE(inner->width(), 400.0);
    QCOMPARE(inner->height(), 200.0);
    const QImage shot = window->grabWindow();
    QVERIFY(near(shot.pixelColor(98, 48), densityColour[2]));
    QVERIFY(near(shot.pixelColor(102, 25), Qt::black));

    // A new outside size stretches the file again; centring follows it.
    image->setWidth(60);
    QCOMPARE(inner->width(), 240.0);
    image->setProperty("translateToCenterAnchor", true);
    QCOMPARE(image->x(), -30.0);
    QCOMPARE(image->y(), -25.0);
}

void TestMultiResolution::sourceChangeFollowsNewFile()
{
    // A size taken from the file follows the next file too.
    QQuickWindow *window = load("MultiResolutionImage { objectName: 'image'; source: 'img/pic.png' }");
    QVERIFY(window);
    QQuickItem *image = child(window, "image");
    QVERIFY(image);
    QImage wide(120, 10, QImage::Format_ARGB32);
    wide.fill(Qt::white);
    QVERIFY(wide.save(m_dir.filePath(QStringLiteral("img/+hd/wide.png"))));
    image->setProperty("source", QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("img/+hd/wide.png"))));
    QCOMPARE(image->property("contentScaleFactor").toDouble(), 0.5);
    QCOMPARE(image->width(), 60.0);
    QCOMPARE(image->height(), 5.0);
}

void TestMultiResolution::missingFileKeepsDefaultSize()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot open: .*img/nothing.png")));
    QQuickWindow *window = load("MultiResolutionImage { objectName: 'image'; source: 'img/nothing.png' }");
    QVERIFY(window);
    QQuickItem *image = child(window, "image");
    QVERIFY(image);
    QCOMPARE(image->width(), -1.0);
    QCOMPARE(image->height(), -1.0);
}

void TestMultiResolution::drawnPixelSizeReadsCoveringFile_data()
{
    // The drawn size (none: the file's own size is read back), then the density
    // read below an hd2 ceiling; the screen's own choice caps it.
    QTest::addColumn<QByteArray>("drawn");
    QTest::addColumn<int>("density");
    QTest::addColumn<QSize>("readSize");
    QTest::newRow("none given") << QByteArray() << 2 << QSize(-1, -1);
    QTest::newRow("base covers") << QByteArray("drawnPixelSize: Qt.size(40, 20)") << 0 << QSize(40, 20);
    QTest::newRow("height alone") << QByteArray("drawnPixelSize.height: 21") << 1 << QSize(0, 21); // width as Qt reports it: not checked
    QTest::newRow("more than hd") << QByteArray("drawnPixelSize: Qt.size(81, 40)") << 2 << QSize(81, 40);
}

void TestMultiResolution::drawnPixelSizeReadsCoveringFile()
{
    QFETCH(QByteArray, drawn);
    QFETCH(int, density);
    QFETCH(QSize, readSize);
    QQuickWindow *window = load("MultiResolutionImage { objectName: 'image'; x: 10; y: 10; width: 40; height: 20; "
                                "source: 'img/pic.png'; " + drawn + " }");
    QVERIFY(window);
    QQuickItem *image = child(window, "image");
    QVERIFY(image);
    const int ceiling = m_selector == QLatin1String("hd2") ? 2 : m_selector == QLatin1String("hd") ? 1 : 0;
    density = qMin(density, ceiling);
    const double factors[3] = {1.0, 0.5, 0.25};
    auto *inner = image->property("image").value<QQuickItem *>();
    QVERIFY(inner);
    QTRY_COMPARE(inner->property("status").toInt(), 1); // Image.Ready
    QCOMPARE(image->property("contentScaleFactor").toDouble(), factors[density]);
    // The plain name keeps resolving as always; only the file read changes.
    QVERIFY(image->property("source").toString().contains(QLatin1String("img/") + densityFolder[ceiling] + "pic.png"));
    if (readSize.width() < 0)
        readSize = QSize(40, 20) * (1 << ceiling);
    const QSize read = image->property("sourceSize").toSize();
    QCOMPARE(read.height(), readSize.height());
    if (readSize.width() > 0)
        QCOMPARE(read.width(), readSize.width());
    QVERIFY(drawnAtLogicalSize(window, image, densityColour[density]));
}

void TestMultiResolution::sequenceKeepsLogicalSize_data()
{
    imageKeepsLogicalSize_data();
}

void TestMultiResolution::sequenceKeepsLogicalSize()
{
    QFETCH(int, density);
    QFETCH(double, factor);
    QQuickWindow *window = load(QByteArray("SpriteSequenceZarno { objectName: 'sequence'; x: 10; y: 10; running: false;"
                                           " defaultSource: 'img/") + explicitFolder[density] + "strip.png'\n"
                                "SpriteZarno { name: 'run'; frameWidth: 30; frameHeight: 20; frameCount: 4; frameRate: 10 } }");
    QVERIFY(window);
    QQuickItem *sequence = child(window, "sequence");
    QVERIFY(sequence);
    QTRY_COMPARE(sequence->property("currentSprite").toString(), QStringLiteral("run"));
    QCOMPARE(sequence->property("contentScaleFactor").toDouble(), factor);
    QCOMPARE(sequence->width(), 30.0);
    QCOMPARE(sequence->height(), 20.0);

    // The whole first frame shows: green left half, yellow right half, nothing beyond.
    QImage shot;
    QTRY_VERIFY((shot = window->grabWindow(), near(shot.pixelColor(12, 20), QColor(0, 255, 0))));
    QVERIFY(near(shot.pixelColor(23, 20), QColor(0, 255, 0)));
    QVERIFY(near(shot.pixelColor(27, 20), QColor(255, 255, 0)));
    QVERIFY(near(shot.pixelColor(38, 28), QColor(255, 255, 0)));
    QVERIFY(near(shot.pixelColor(42, 20), Qt::black));
    QVERIFY(near(shot.pixelColor(20, 32), Qt::black));
}

void TestMultiResolution::sequenceFollowsStripChange()
{
    QQuickWindow *window = load("SpriteSequenceZarno { objectName: 'sequence'; running: false; defaultSource: 'img/sd/strip.png'\n"
                                "SpriteZarno { name: 'run'; frameWidth: 30; frameHeight: 20; frameCount: 4 } }");
    QVERIFY(window);
    QQuickItem *sequence = child(window, "sequence");
    QVERIFY(sequence);
    QTRY_COMPARE(sequence->property("currentSprite").toString(), QStringLiteral("run"));
    QCOMPARE(sequence->property("contentScaleFactor").toDouble(), 1.0);
    // As a creature that changes its type swaps its strip.
    sequence->setProperty("defaultSource", QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("img/+hd2/strip.png"))));
    QTRY_COMPARE(sequence->property("contentScaleFactor").toDouble(), 0.25);
    QTRY_COMPARE(sequence->width(), 30.0);
    QImage shot;
    QTRY_VERIFY((shot = window->grabWindow(), near(shot.pixelColor(27, 10), QColor(255, 255, 0))));
    QVERIFY(near(shot.pixelColor(3, 10), QColor(0, 255, 0)));
    QVERIFY(near(shot.pixelColor(32, 10), Qt::black));
}

void TestMultiResolution::sequenceFollowsAbsoluteStrip()
{
    // The plain name given as an absolute URL still loads the screen's density.
    QQuickWindow *window = load("SpriteSequenceZarno { objectName: 'sequence'; running: false; defaultSource: 'img/sd/strip.png'\n"
                                "SpriteZarno { name: 'run'; frameWidth: 30; frameHeight: 20; frameCount: 4 } }");
    QVERIFY(window);
    QQuickItem *sequence = child(window, "sequence");
    QVERIFY(sequence);
    QTRY_COMPARE(sequence->property("currentSprite").toString(), QStringLiteral("run"));
    sequence->setProperty("defaultSource", QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("img/strip.png"))));
    const double factor = m_selector == QLatin1String("hd2") ? 0.25 : m_selector == QLatin1String("hd") ? 0.5 : 1.0;
    QTRY_COMPARE(sequence->property("contentScaleFactor").toDouble(), factor);
    QTRY_COMPARE(sequence->width(), 30.0);
    QImage shot;
    QTRY_VERIFY((shot = window->grabWindow(), near(shot.pixelColor(27, 10), QColor(255, 255, 0))));
    QVERIFY(near(shot.pixelColor(3, 10), QColor(0, 255, 0)));
    QVERIFY(near(shot.pixelColor(32, 10), Qt::black));
}

void TestMultiResolution::sequenceResizesWithCurrentSprite()
{
    QQuickWindow *window = load("SpriteSequenceZarno { objectName: 'sequence'; running: false; defaultSource: 'img/strip.png'\n"
                                "SpriteZarno { name: 'small'; frameWidth: 30; frameHeight: 20; frameCount: 4 }\n"
                                "SpriteZarno { name: 'big'; frameWidth: 60; frameHeight: 20; frameCount: 2 } }");
    QVERIFY(window);
    QQuickItem *sequence = child(window, "sequence");
    QVERIFY(sequence);
    QTRY_COMPARE(sequence->property("currentSprite").toString(), QStringLiteral("small"));
    QCOMPARE(sequence->property("sprites").toList().size(), 2);
    QCOMPARE(sequence->width(), 30.0);
    QMetaObject::invokeMethod(sequence, "jumpTo", Q_ARG(QVariant, QStringLiteral("big")));
    QTRY_COMPARE(sequence->property("currentSprite").toString(), QStringLiteral("big"));
    QTRY_COMPARE(sequence->width(), 60.0);
    QCOMPARE(sequence->height(), 20.0);
}

void TestMultiResolution::mirroredSequenceStaysInPlace()
{
    QQuickWindow *window = load("SpriteSequenceZarno { objectName: 'sequence'; x: 10; y: 10; running: false; mirrorX: true;"
                                " defaultSource: 'img/+hd/strip.png'\n"
                                "SpriteZarno { name: 'run'; frameWidth: 30; frameHeight: 20; frameCount: 4 } }");
    QVERIFY(window);
    QQuickItem *sequence = child(window, "sequence");
    QVERIFY(sequence);
    // The size follows the current sprite, known once the strip has loaded.
    QTRY_COMPARE(sequence->property("currentSprite").toString(), QStringLiteral("run"));
    QCOMPARE(sequence->x(), 10.0);
    QTRY_COMPARE(sequence->width(), 30.0);
    const QRectF shown = sequence->mapRectToScene(QRectF(0, 0, sequence->width(), sequence->height()));
    QCOMPARE(shown, QRectF(10, 10, 30, 20));
    // Flipped: the yellow half is now on the left.
    QImage shot;
    QTRY_VERIFY((shot = window->grabWindow(), near(shot.pixelColor(12, 20), QColor(255, 255, 0))));
    QVERIFY(near(shot.pixelColor(38, 20), QColor(0, 255, 0)));
}

QTEST_MAIN(TestMultiResolution)
#include "tst_multiresolution.moc"
