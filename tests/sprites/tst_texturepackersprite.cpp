#include "sprites/texturepackersheetcache.h"
#include "sprites/texturepackersprite.h"
#include "sprites/texturepackerspritematerial.h"

#include "sprites/packedsheetwriter.h"
#include "support/warningcollector.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QQuickWindow>
#include <QSGGeometryNode>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using namespace packedsheet;

struct ManualClock
{
    qint64 now = 5000;
    CircularStateMachine::Clock function()
    {
        return [this] { return now; };
    }
};

// A real window: the material only draws through an OpenGL scene graph.
struct Scene
{
    QQuickWindow window;
    ManualClock clock;
    Scene()
    {
        window.setColor(Qt::black);
        window.resize(320, 240);
    }
    template<typename Sprite = TexturePackerSprite>
    Sprite *add(const QUrl &source, const QStringList &names, QPointF pos)
    {
        auto *sprite = new Sprite(window.contentItem());
        sprite->setSmooth(false);
        sprite->stateMachine()->setClock(clock.function());
        sprite->setPosition(pos);
        sprite->setSource(source);
        sprite->setFrameNames(names);
        return sprite;
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
    // The first frame of a sprite builds its node; a frame change by the
    // clock shows one frame later. Two renders settle both.
    QImage settle()
    {
        window.grabWindow();
        return window.grabWindow();
    }
};

// Set ZARNO_GRAB_DIR to keep the rendered frames for a look.
void saveGrab(const QImage &image, const char *name)
{
    const QString dir = qEnvironmentVariable("ZARNO_GRAB_DIR");
    if (!dir.isEmpty())
        image.save(dir + QLatin1Char('/') + QLatin1String(name) + QLatin1String(".png"));
}

QString describe(const QColor &c)
{
    return QStringLiteral("(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

bool near(const QColor &a, const QColor &b, int tolerance = 2)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
           && qAbs(a.blue() - b.blue()) <= tolerance;
}

#define COMPARE_PIXEL(image, x, y, expected)                                                                 \
    do {                                                                                                     \
        const QColor actual_ = QColor((image).pixel((x), (y)));                                              \
        QVERIFY2(near(actual_, (expected)), qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")     \
                                                           .arg(x).arg(y).arg(describe(actual_), describe(expected)))); \
    } while (0)

bool regionIsBlack(const QImage &image, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (QColor(image.pixel(x, y)) != Black)
                return false;
    return true;
}

QStringList spriteWarnings(const WarningCollector &collector)
{
    QStringList result;
    for (const QString &w : collector.warnings) {
        // Repaints may repeat a paint-time warning; only the sequence counts.
        if (w.contains(QLatin1String("TexturePackerSprite")) && (result.isEmpty() || result.last() != w))
            result.append(w);
    }
    return result;
}

struct PaintCountingSprite : TexturePackerSprite
{
    using TexturePackerSprite::TexturePackerSprite;
    int paints = 0;
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *data) override
    {
        ++paints;
        return TexturePackerSprite::updatePaintNode(node, data);
    }
};

// Records how the texture of its last paint is sampled.
struct FilterRecordingSprite : TexturePackerSprite
{
    using TexturePackerSprite::TexturePackerSprite;
    QSGTexture::Filtering filtering = QSGTexture::None;
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *data) override
    {
        QSGNode *result = TexturePackerSprite::updatePaintNode(node, data);
        if (result)
            filtering = static_cast<TexturePackerSpriteMaterial *>(static_cast<QSGGeometryNode *>(result)->material())
                            ->filtering();
        return result;
    }
};

} // namespace

class tst_TexturePackerSprite : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void readsFrameRecordsAndMetaDefaults();
    void textureScaleFollowsDensityFolder();
    void sheetIsParsedOncePerUrl();
    void badSheetsWarnAndDrawNothing_data();
    void badSheetsWarnAndDrawNothing();

    void recoversFromSheetWithEmptyFrames_data();
    void recoversFromSheetWithEmptyFrames();
    void drawsTrimmedAndRotatedFramesInPlace();
    void hd2SheetDrawsAtQuarterSize();
    void fillModesAndImplicitSize();
    void animatesByFrameClockAndInterpolates();
    void frameControlOnlyWhilePaused();
    void frameBeyondShortenedListIsMissing();
    void clearCacheRebindsEverySprite();
    void spritesOfOneSheetDrawTheirOwnFrames_data();
    void spritesOfOneSheetDrawTheirOwnFrames();
    void samplesNearestOnlyWhereItDrawsTheSame_data();
    void samplesNearestOnlyWhereItDrawsTheSame();
    void followsAncestorsOntoAndOffWholePixels();
    void repaintsOnlyWhenItsFrameChanges_data();
    void repaintsOnlyWhenItsFrameChanges();
    void frameHandlersMayAddAndDeleteSprites_data();
    void frameHandlersMayAddAndDeleteSprites();

private:
    QTemporaryDir m_dir;
    QString m_main;
    QUrl mainUrl() const { return QUrl::fromLocalFile(m_main); }
};

void tst_TexturePackerSprite::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_main = m_dir.filePath("main/main.json");
    writeSheet(m_dir.filePath("main"), "main.json", "main.png", QSize(128, 64), {
        {"red", solid(16, 16, Red), QRect(0, 0, 16, 16), false, QPoint(2, 2)},
        {"trim", solid(32, 32, Green), QRect(8, 12, 16, 8), false, QPoint(22, 2)},
        {"quad", quadrants(16, 24, Red, Green, Blue, White), QRect(0, 0, 16, 24), true, QPoint(42, 2)},
        {"rottrim", [] {
             QImage image = solid(40, 40, Qt::transparent);
             QPainter(&image).drawImage(6, 4, quadrants(20, 12, Cyan, Magenta, Yellow, Orange));
             return image;
         }(), QRect(6, 4, 20, 12), true, QPoint(70, 2)},
        {"blue", solid(16, 16, Blue), QRect(0, 0, 16, 16), false, QPoint(2, 30)},
        {"half", quadrants(32, 16, Red, Blue, Red, Blue), QRect(0, 0, 32, 16), false, QPoint(22, 30)},
        {"green", solid(16, 16, Green), QRect(0, 0, 16, 16), false, QPoint(60, 30)},
    });
    writeSheet(m_dir.filePath("img/+hd2"), "wide.json", "wide.png", QSize(64, 32), {
        {"wide", quadrants(64, 32, Red, Blue, Red, Blue), QRect(0, 0, 64, 32), false, QPoint(0, 0)},
    });
}

void tst_TexturePackerSprite::init()
{
    TexturePackerSheetCache::clear();
}

void tst_TexturePackerSprite::readsFrameRecordsAndMetaDefaults()
{
    const QString dir = m_dir.filePath("records");
    writeFile(dir + "/sheet.json", R"({
        "frames": {
            "turned": {"frame": {"x": 10, "y": 20, "w": 30, "h": 40}, "rotated": true, "trimmed": true,
                       "spriteSourceSize": {"x": 1, "y": 2, "w": 30, "h": 40}, "sourceSize": {"w": 33, "h": 44}},
            "odd": {"frame": {"x": "10", "y": 2.5, "w": true}, "rotated": "yes"}
        },
        "meta": {"size": {"w": 256, "h": 128}}
    })");
    const auto sheet = TexturePackerSheetCache::load(QUrl::fromLocalFile(dir + "/sheet.json"));
    QVERIFY(sheet);
    QCOMPARE(sheet->size, QSize(256, 128));
    QCOMPARE(sheet->app, QString("invalid app"));
    QCOMPARE(sheet->version, QString("invalid version"));
    QCOMPARE(sheet->format, QString("invalid format"));
    QCOMPARE(sheet->smartupdate, QString("invalid smartupdate"));
    QCOMPARE(sheet->imagePath, dir + "/invalid_image");

    const TexturePackerFrame turned = sheet->frames.value("turned");
    QCOMPARE(turned.frame, QRect(10, 20, 30, 40));
    QCOMPARE(turned.frame.right(), 39);
    QCOMPARE(turned.frame.bottom(), 59);
    QVERIFY(turned.rotated);
    QVERIFY(turned.trimmed);
    QCOMPARE(turned.spriteSourceRect, QRect(1, 2, 30, 40));
    QCOMPARE(turned.sourceSize, QSize(33, 44));

    // Values of the wrong JSON type read as 0 / false.
    const TexturePackerFrame odd = sheet->frames.value("odd");
    QCOMPARE(odd.frame, QRect(0, 2, 0, 0));
    QVERIFY(!odd.rotated);
    QCOMPARE(odd.sourceSize, QSize(0, 0));
}

void tst_TexturePackerSprite::textureScaleFollowsDensityFolder()
{
    const QByteArray doc = R"({"meta": {"image": "a.png"}, "frames": {}})";
    const struct { const char *folder; float scale; } cases[] = {
        {"d/+hd2", 0.25f}, {"d/+HD2", 0.25f}, {"d/+Hd2", 0.25f}, {"d/+hd", 0.5f}, {"d/+HD", 0.5f},
        {"d/hd", 1.0f}, {"d/hd2", 1.0f}, {"d/x+hd2", 1.0f}, {"d", 1.0f},
    };
    for (const auto &c : cases) {
        const QString path = m_dir.filePath(QString("scales/%1/s.json").arg(c.folder));
        writeFile(path, doc);
        const auto sheet = TexturePackerSheetCache::load(QUrl::fromLocalFile(path));
        QVERIFY2(sheet, c.folder);
        QVERIFY2(sheet->textureScale == c.scale, c.folder);
    }
    QCOMPARE(TexturePackerSheetCache::localPathOf(QUrl("qrc:/img/+hd2/s.json")), QString(":/img/+hd2/s.json"));
    QCOMPARE(TexturePackerSheetCache::textureScaleForFolder(":/img/+hd2"), 0.25f);
}

void tst_TexturePackerSprite::sheetIsParsedOncePerUrl()
{
    const QString path = m_dir.filePath("shared/s.json");
    writeFile(path, R"({"meta": {"image": "a.png"}, "frames": {"a": {"sourceSize": {"w": 10, "h": 20}}}})");
    TexturePackerSprite first;
    first.setSource(QUrl::fromLocalFile(path));
    first.setFrameNames({"a"});

    // Edits on disk are not seen while the sheet is cached.
    writeFile(path, R"({"meta": {"image": "a.png"}, "frames": {"a": {"sourceSize": {"w": 99, "h": 99}}}})");
    TexturePackerSprite second;
    second.setSource(QUrl::fromLocalFile(path));
    second.setFrameNames({"a"});
    QCOMPARE(second.implicitWidth(), 10.0);
    QCOMPARE(second.implicitHeight(), 20.0);

    // Setting the same source again reads nothing and signals nothing.
    QSignalSpy changed(&second, &TexturePackerSprite::sourceChanged);
    second.setSource(QUrl::fromLocalFile(path));
    QCOMPARE(changed.count(), 0);

    TexturePackerSheetCache::clear();
    TexturePackerSprite third;
    third.setSource(QUrl::fromLocalFile(path));
    third.setFrameNames({"a"});
    QCOMPARE(third.implicitWidth(), 99.0);
}

void tst_TexturePackerSprite::badSheetsWarnAndDrawNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected"); // %PATH% and %URL% stand for the document

    const QString unreadable = "Warning: TexturePackerSprite could not read \"%URL%\".";
    const QString noNode = "Warning: TexturePackerSprite could not create its render node.";
    const QStringList red{"red"};

    QTest::newRow("missing file") << "bad/none.json" << QByteArray() << red
        << QStringList{"Warning: TexturePackerSprite could not open sprite from file source: \"%PATH%\".", unreadable, noNode};
    QTest::newRow("invalid JSON") << "bad/invalid.json" << QByteArray("{\"meta\": {\"image\": ") << red
        << QStringList{unreadable, noNode};
    QTest::newRow("no meta") << "bad/nometa.json"
        << QByteArray(R"({"frames": {"red": {"frame": {"x": 2, "y": 2, "w": 16, "h": 16}, "sourceSize": {"w": 16, "h": 16}}}})")
        << red << QStringList{unreadable, noNode};
    QTest::newRow("no frames") << "main/noframes.json"
        << QByteArray(R"({"meta": {"image": "main.png", "size": {"w": 128, "h": 64}}})") << red
        << QStringList{"Warning: TexturePackerSprite could not read the frame information in \"%URL%\".",
                       "Warning: TexturePackerSprite has no information for the frame \"red\" in the current source file \"%URL%\"."};
    QTest::newRow("unknown frame") << "main/main.json" << QByteArray() << QStringList{"Nope.png"}
        << QStringList{"Warning: TexturePackerSprite has no information for the frame \"Nope.png\" in the current source file \"%URL%\"."};
    // Sizes that would be divided by: missing ones collapse the quad silently.
    QTest::newRow("no sheet size") << "main/nosize.json"
        << QByteArray(R"({"meta": {"image": "main.png"},
                         "frames": {"red": {"frame": {"x": 2, "y": 2, "w": 16, "h": 16}, "spriteSourceSize": {"x": 0, "y": 0, "w": 16, "h": 16}, "sourceSize": {"w": 16, "h": 16}}}})")
        << red << QStringList();
    QTest::newRow("no source size") << "main/nosource.json"
        << QByteArray(R"({"meta": {"image": "main.png", "size": {"w": 128, "h": 64}},
                         "frames": {"red": {"frame": {"x": 2, "y": 2, "w": 16, "h": 16}, "spriteSourceSize": {"x": 0, "y": 0, "w": 16, "h": 16}}}})")
        << red << QStringList();
    QTest::newRow("missing image") << "bad/noimage.json"
        << QByteArray(R"({"meta": {"image": "gone.png", "size": {"w": 128, "h": 64}},
                         "frames": {"red": {"frame": {"x": 2, "y": 2, "w": 16, "h": 16}, "spriteSourceSize": {"x": 0, "y": 0, "w": 16, "h": 16}, "sourceSize": {"w": 16, "h": 16}}}})")
        << red << QStringList{"Warning: TexturePackerSprite could not load the image \"%DIR%/gone.png\" specified in \"%URL%\"."};
}

void tst_TexturePackerSprite::badSheetsWarnAndDrawNothing()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);

    const QString path = m_dir.filePath(file);
    if (!content.isEmpty())
        writeFile(path, content);
    const QUrl url = QUrl::fromLocalFile(path);
    for (QString &e : expected)
        e.replace("%PATH%", path).replace("%URL%", url.toString()).replace("%DIR%", QFileInfo(path).path());

    Scene scene;
    WarningCollector collector;
    // A broken sprite and, beside it, a sound one showing the first frame:
    // the broken one leaves its whole area untouched.
    TexturePackerSprite *bad = scene.add(url, names, QPointF(10, 10));
    bad->setSize(QSizeF(40, 40));
    scene.add(mainUrl(), {"blue"}, QPointF(100, 10));
    QVERIFY(scene.show());
    const QImage image = scene.settle();

    QCOMPARE(spriteWarnings(collector), expected);
    QVERIFY(regionIsBlack(image, QRect(0, 0, 90, 70)));
    COMPARE_PIXEL(image, 108, 18, Blue);

    // Still alive: a sound source makes it draw.
    bad->setSource(mainUrl());
    bad->setFrameNames({"green"});
    const QImage repaired = scene.settle();
    COMPARE_PIXEL(repaired, 20, 20, Green);
}

void tst_TexturePackerSprite::recoversFromSheetWithEmptyFrames_data()
{
    QTest::addColumn<bool>("namesFirst"); // frame names given with the sheet without frames
    QTest::addColumn<bool>("smooth");
    QTest::addColumn<QString>("image"); // of the sheet without frames
    QTest::newRow("names first") << true << true << "main.png";
    QTest::newRow("names later") << false << true << "main.png";
    QTest::newRow("names later, nearest") << false << false << "main.png";
    QTest::newRow("names later, other image") << false << true << "other.png";
}

void tst_TexturePackerSprite::recoversFromSheetWithEmptyFrames()
{
    QFETCH(bool, namesFirst);
    QFETCH(bool, smooth);
    QFETCH(QString, image);
    const QString path = m_dir.filePath("main/emptyframes-" + image + ".json");
    writeFile(path, QStringLiteral(R"({"frames": {}, "meta": {"image": "%1", "size": {"w": 64, "h": 64}}})").arg(image).toUtf8());
    if (image == "other.png")
        QVERIFY(solid(64, 64, Blue).save(m_dir.filePath("main/other.png")));

    Scene scene;
    const QColor grey(24, 24, 24);
    scene.window.setColor(grey);
    TexturePackerSprite *sprite = scene.add(QUrl::fromLocalFile(path), namesFirst ? QStringList{"red"} : QStringList(), QPointF(10, 10));
    sprite->setSmooth(smooth);
    QVERIFY(scene.show());
    scene.settle();

    // The whole frame at full strength, and nothing around it.
    sprite->setSource(mainUrl());
    sprite->setFrameNames({"red"});
    QImage shot;
    QTRY_VERIFY((shot = scene.settle(), QColor(shot.pixel(18, 18)) != grey));
    saveGrab(shot, "recovered");
    COMPARE_PIXEL(shot, 18, 18, Red);
    COMPARE_PIXEL(shot, 10, 10, Red);
    COMPARE_PIXEL(shot, 25, 25, Red);
    COMPARE_PIXEL(shot, 27, 18, grey);
    COMPARE_PIXEL(shot, 18, 27, grey);
}

void tst_TexturePackerSprite::drawsTrimmedAndRotatedFramesInPlace()
{
    Scene scene;
    WarningCollector collector;
    TexturePackerSprite *red = scene.add(mainUrl(), {"red"}, QPointF(10, 10));
    TexturePackerSprite *trim = scene.add(mainUrl(), {"trim"}, QPointF(50, 10));
    TexturePackerSprite *quad = scene.add(mainUrl(), {"quad"}, QPointF(100, 10));
    TexturePackerSprite *rottrim = scene.add(mainUrl(), {"rottrim"}, QPointF(150, 10));
    QVERIFY(scene.show());
    QCOMPARE(red->size(), QSizeF(16, 16));
    QCOMPARE(trim->size(), QSizeF(32, 32)); // the untrimmed box
    QCOMPARE(quad->size(), QSizeF(16, 24)); // upright
    QCOMPARE(rottrim->size(), QSizeF(40, 40));

    // Interpolating sprites lay out their vertices otherwise; a frame blended
    // with itself must land in the same place, upright, either way.
    for (bool interpolate : {false, true, false}) {
        for (TexturePackerSprite *sprite : {red, trim, quad, rottrim})
            sprite->setInterpolate(interpolate);
        const QImage image = scene.settle();
        saveGrab(image, "frames");

        COMPARE_PIXEL(image, 10, 10, Red);
        COMPARE_PIXEL(image, 25, 25, Red);
        COMPARE_PIXEL(image, 26, 17, Black);

        // Trimmed: green only where the kept pixels were, inside the 32 x 32 box.
        COMPARE_PIXEL(image, 58, 22, Green);
        COMPARE_PIXEL(image, 73, 29, Green);
        COMPARE_PIXEL(image, 57, 25, Black);
        COMPARE_PIXEL(image, 74, 25, Black);
        COMPARE_PIXEL(image, 65, 21, Black);
        COMPARE_PIXEL(image, 65, 30, Black);

        // Rotated: upright again, every quadrant where it belongs.
        COMPARE_PIXEL(image, 101, 11, Red);
        COMPARE_PIXEL(image, 114, 11, Green);
        COMPARE_PIXEL(image, 101, 32, Blue);
        COMPARE_PIXEL(image, 114, 32, White);
        COMPARE_PIXEL(image, 117, 20, Black);
        COMPARE_PIXEL(image, 108, 35, Black);

        // Rotated and trimmed: 20 x 12 kept at (6, 4) of a 40 x 40 box.
        COMPARE_PIXEL(image, 157, 15, Cyan);
        COMPARE_PIXEL(image, 174, 15, Magenta);
        COMPARE_PIXEL(image, 157, 24, Yellow);
        COMPARE_PIXEL(image, 174, 24, Orange);
        COMPARE_PIXEL(image, 155, 15, Black);
        COMPARE_PIXEL(image, 176, 15, Black);
        COMPARE_PIXEL(image, 165, 13, Black);
        COMPARE_PIXEL(image, 165, 26, Black);
    }

    QCOMPARE(spriteWarnings(collector), QStringList());
}

void tst_TexturePackerSprite::hd2SheetDrawsAtQuarterSize()
{
    Scene scene;
    const QUrl url = QUrl::fromLocalFile(m_dir.filePath("img/+hd2/wide.json"));
    TexturePackerSprite *sprite = scene.add(url, {"wide"}, QPointF(200, 10));
    QCOMPARE(sprite->getTextureScale(), 0.25);
    QCOMPARE(sprite->size(), QSizeF(16, 8));
    QCOMPARE(sprite->getWidthScaled(), 16.0);

    // An explicit scene size is kept in sheet pixels and drawn at that size.
    TexturePackerSprite *sized = scene.add(url, {"wide"}, QPointF(200, 40));
    sized->setWidthScaled(32);
    sized->setHeightScaled(16);
    QCOMPARE(sized->size(), QSizeF(128, 64));
    QCOMPARE(sized->getWidthScaled(), 32.0);
    QCOMPARE(sized->getHeightScaled(), 16.0);

    QVERIFY(scene.show());
    const QImage image = scene.settle();
    saveGrab(image, "hd2");
    COMPARE_PIXEL(image, 200, 10, Red);
    COMPARE_PIXEL(image, 207, 17, Red);
    COMPARE_PIXEL(image, 208, 10, Blue);
    COMPARE_PIXEL(image, 215, 17, Blue);
    COMPARE_PIXEL(image, 216, 12, Black);
    COMPARE_PIXEL(image, 204, 18, Black);

    COMPARE_PIXEL(image, 215, 55, Red);
    COMPARE_PIXEL(image, 216, 55, Blue);
    COMPARE_PIXEL(image, 231, 55, Blue);
    COMPARE_PIXEL(image, 232, 55, Black);
    COMPARE_PIXEL(image, 220, 56, Black);
}

void tst_TexturePackerSprite::fillModesAndImplicitSize()
{
    Scene scene;
    // 32 x 16 frame, explicit width 16: fitted to 16 x 8.
    TexturePackerSprite *fit = scene.add(mainUrl(), {"half"}, QPointF(10, 100));
    fit->setFillMode(TexturePackerSprite::PreserveAspectFit);
    fit->setWidth(16);
    QCOMPARE(fit->implicitHeight(), 8.0);
    QCOMPARE(fit->height(), 8.0);

    // Both sides explicit: the frame keeps its aspect inside the box.
    TexturePackerSprite *boxed = scene.add(mainUrl(), {"half"}, QPointF(100, 100));
    boxed->setFillMode(TexturePackerSprite::PreserveAspectFit);
    boxed->setSize(QSizeF(64, 64));

    // Stretch fills the explicit box.
    TexturePackerSprite *stretched = scene.add(mainUrl(), {"half"}, QPointF(200, 100));
    stretched->setSize(QSizeF(64, 8));
    // A number that names no mode, as QML may write it, lays out as Stretch.
    QVERIFY(stretched->setProperty("fillMode", 7));

    // A missing frame sizes as -1 x -1 and draws nothing.
    TexturePackerSprite *missing = nullptr;
    {
        WarningCollector quiet;
        missing = scene.add(mainUrl(), {"nothing"}, QPointF(10, 200));
    }
    QCOMPARE(missing->implicitWidth(), -1.0);
    QCOMPARE(missing->implicitHeight(), -1.0);

    QVERIFY(scene.show());
    const QImage image = scene.settle();
    saveGrab(image, "fill");
    COMPARE_PIXEL(image, 10, 100, Red);
    COMPARE_PIXEL(image, 17, 107, Red);
    COMPARE_PIXEL(image, 18, 107, Blue);
    COMPARE_PIXEL(image, 25, 107, Blue);
    COMPARE_PIXEL(image, 26, 104, Black);
    COMPARE_PIXEL(image, 14, 108, Black);

    COMPARE_PIXEL(image, 120, 110, Red);
    COMPARE_PIXEL(image, 150, 110, Blue);
    COMPARE_PIXEL(image, 120, 140, Black);

    COMPARE_PIXEL(image, 231, 107, Red);
    COMPARE_PIXEL(image, 232, 107, Blue);
    COMPARE_PIXEL(image, 232, 108, Black);
}

void tst_TexturePackerSprite::animatesByFrameClockAndInterpolates()
{
    Scene scene;
    TexturePackerSprite *sprite = scene.add(mainUrl(), {"red", "green", "blue"}, QPointF(10, 10));
    sprite->setFrameRate(10);
    sprite->setRunning(false); // the first texture load starts it anyway
    TexturePackerSprite *blend = scene.add(mainUrl(), {"red", "blue"}, QPointF(40, 10));
    blend->setFrameRate(10);
    blend->setInterpolate(true);
    QSignalSpy frames(sprite, &TexturePackerSprite::currentFrameChanged);
    QVERIFY(scene.show());
    QImage image = scene.settle();
    QVERIFY(sprite->getRunning());
    COMPARE_PIXEL(image, 15, 15, Red);

    scene.clock.now += 100;
    image = scene.settle();
    QCOMPARE(sprite->getCurrentFrame(), 1);
    COMPARE_PIXEL(image, 15, 15, Green);

    scene.clock.now += 100;
    image = scene.settle();
    COMPARE_PIXEL(image, 15, 15, Blue);
    // The blend sprite is back on its first frame, halfway to its second.
    scene.clock.now += 50;
    image = scene.settle();
    COMPARE_PIXEL(image, 15, 15, Blue);
    QCOMPARE(blend->getCurrentFrame(), 0);
    const QColor mixed = QColor(image.pixel(45, 15));
    QVERIFY2(near(mixed, QColor(128, 0, 127), 4), qPrintable(describe(mixed)));
    // Switching the blend off and on again swaps the node's program both ways.
    blend->setInterpolate(false);
    COMPARE_PIXEL(scene.settle(), 45, 15, Red);
    blend->setInterpolate(true);
    const QColor mixedAgain = QColor(scene.settle().pixel(45, 15));
    QVERIFY2(near(mixedAgain, mixed, 4), qPrintable(describe(mixedAgain)));

    scene.clock.now += 50;
    image = scene.settle();
    COMPARE_PIXEL(image, 15, 15, Red);
    COMPARE_PIXEL(image, 45, 15, Blue);
    QCOMPARE(frames.count(), 3);
}

void tst_TexturePackerSprite::frameControlOnlyWhilePaused()
{
    TexturePackerSprite sprite;
    sprite.setSource(mainUrl());
    sprite.setFrameNames({"red", "green", "blue"});
    QSignalSpy frames(&sprite, &TexturePackerSprite::currentFrameChanged);
    sprite.setCurrentFrame(2);
    sprite.advance();
    QCOMPARE(sprite.getCurrentFrame(), 0);
    sprite.pause();
    sprite.advance();
    QCOMPARE(sprite.getCurrentFrame(), 1);
    sprite.setCurrentFrame(2);
    QCOMPARE(sprite.getCurrentFrame(), 2);
    sprite.setCurrentFrame(3);
    QCOMPARE(sprite.getCurrentFrame(), 2);
    QCOMPARE(frames.count(), 2);

    // The state machine's signals reach QML under the element's own names.
    QSignalSpy rate(&sprite, &TexturePackerSprite::frameRateChanged);
    QSignalSpy loops(&sprite, &TexturePackerSprite::loopsChanged);
    sprite.setFrameRate(1.0f);
    sprite.setFrameRate(24.0f);
    sprite.setLoops(TexturePackerSprite::Infinite);
    sprite.setLoops(2);
    QCOMPARE(rate.count(), 1);
    QCOMPARE(loops.count(), 1);
}

void tst_TexturePackerSprite::frameBeyondShortenedListIsMissing()
{
    Scene scene;
    WarningCollector collector;
    TexturePackerSprite *sprite = scene.add(mainUrl(), {"red", "green", "blue"}, QPointF(10, 10));
    sprite->pause();
    QVERIFY(scene.show());
    scene.settle(); // the first texture load restarts the animation at frame 0
    sprite->setCurrentFrame(2);
    COMPARE_PIXEL(scene.settle(), 15, 15, Blue);

    sprite->setFrameNames({"red"});
    QCOMPARE(sprite->getCurrentFrame(), 2);
    QCOMPARE(sprite->implicitWidth(), -1.0);
    const QImage image = scene.settle();
    QVERIFY(regionIsBlack(image, QRect(0, 0, 60, 60)));

    // Stepping wraps back into the list.
    sprite->advance();
    QCOMPARE(sprite->getCurrentFrame(), 0);
    COMPARE_PIXEL(scene.settle(), 15, 15, Red);
    QCOMPARE(spriteWarnings(collector), QStringList());
}

void tst_TexturePackerSprite::clearCacheRebindsEverySprite()
{
    const QString dir = m_dir.filePath("clear");
    writeSheet(dir, "c.json", "c.png", QSize(16, 16), {{"c", solid(16, 16, Red), QRect(0, 0, 16, 16), false, QPoint()}});
    const QUrl url = QUrl::fromLocalFile(dir + "/c.json");

    Scene scene;
    WarningCollector collector;
    TexturePackerSprite *a = scene.add(url, {"c"}, QPointF(10, 10));
    scene.add(url, {"c"}, QPointF(40, 10));
    QVERIFY(scene.show());
    QImage image = scene.settle();
    COMPARE_PIXEL(image, 15, 15, Red);
    COMPARE_PIXEL(image, 45, 15, Red);

    // A new picture and a new frame size on disk: only a sprite that really
    // let go of the old texture and description can show them.
    writeSheet(dir, "c.json", "c.png", QSize(24, 24), {{"c", solid(24, 24, Green), QRect(0, 0, 24, 24), false, QPoint()}});
    a->clearCache();
    scene.settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    image = scene.settle();
    saveGrab(image, "cleared");
    COMPARE_PIXEL(image, 15, 15, Green);
    COMPARE_PIXEL(image, 45, 15, Green);
    COMPARE_PIXEL(image, 62, 32, Green);
    QCOMPARE(a->implicitWidth(), 24.0);
    QCOMPARE(spriteWarnings(collector), QStringList());
}

void tst_TexturePackerSprite::spritesOfOneSheetDrawTheirOwnFrames_data()
{
    // Sprites of one sheet are drawn together from their vertices: each must keep
    // its own frame, opacity and smoothing however they are mixed.
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<QVector<qreal>>("opacities");
    QTest::addColumn<bool>("mixedSmoothing");
    const QStringList rgb{"red", "green", "blue", "red", "blue", "green", "green", "red", "blue"};
    QTest::newRow("frames side by side") << rgb << QVector<qreal>(rgb.size(), 1.0) << false;
    QTest::newRow("opacities apart") << QStringList{"blue", "blue", "red", "red"} << QVector<qreal>{1, 0.5, 0.5, 1}
                                     << false;
    QTest::newRow("smoothing apart") << rgb << QVector<qreal>(rgb.size(), 1.0) << true;
}

void tst_TexturePackerSprite::spritesOfOneSheetDrawTheirOwnFrames()
{
    QFETCH(QStringList, frames);
    QFETCH(QVector<qreal>, opacities);
    QFETCH(bool, mixedSmoothing);
    const QHash<QString, QColor> colours{{"red", Red}, {"green", Green}, {"blue", Blue}};
    Scene scene;
    for (int i = 0; i < frames.size(); ++i) {
        TexturePackerSprite *sprite = scene.add(mainUrl(), {frames.at(i)}, QPointF(10 + 30 * i, 10 + 10 * (i % 2)));
        sprite->setOpacity(opacities.at(i));
        sprite->setSmooth(mixedSmoothing && i % 2);
    }
    QVERIFY(scene.show());
    const QImage image = scene.settle();
    saveGrab(image, "one-sheet");
    for (int i = 0; i < frames.size(); ++i) {
        const QColor c = colours.value(frames.at(i));
        const qreal o = opacities.at(i);
        COMPARE_PIXEL(image, 18 + 30 * i, 18 + 10 * (i % 2), QColor(qRound(c.red() * o), qRound(c.green() * o), qRound(c.blue() * o)));
        // Nothing between two sprites.
        COMPARE_PIXEL(image, 33 + 30 * i, 18, Black);
    }
}

int main(int argc, char **argv)
{
    qputenv("QSG_RENDER_LOOP", "basic");
    QGuiApplication app(argc, argv);
    tst_TexturePackerSprite test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_texturepackersprite.moc"

void tst_TexturePackerSprite::samplesNearestOnlyWhereItDrawsTheSame_data()
{
    // Nearest sampling is the cheaper one; a smooth sprite may use it only where
    // every texel covers one whole pixel, so the picture is that of linear sampling.
    QTest::addColumn<QPointF>("offset"); // of the sprite's parent
    QTest::addColumn<qreal>("scale");    // of the sprite's parent
    QTest::addColumn<bool>("smooth");
    QTest::addColumn<qreal>("width"); // 0: the frame's own
    QTest::addColumn<bool>("nearest");
    QTest::newRow("whole pixels") << QPointF(3, 4) << 1.0 << true << 0.0 << true;
    QTest::newRow("half a pixel") << QPointF(0.5, 0) << 1.0 << true << 0.0 << false;
    QTest::newRow("scaled") << QPointF(0, 0) << 2.0 << true << 0.0 << false;
    QTest::newRow("stretched") << QPointF(0, 0) << 1.0 << true << 64.0 << false;
    QTest::newRow("not smooth") << QPointF(0.5, 0) << 1.0 << false << 0.0 << true;
}

void tst_TexturePackerSprite::samplesNearestOnlyWhereItDrawsTheSame()
{
    QFETCH(QPointF, offset);
    QFETCH(qreal, scale);
    QFETCH(bool, smooth);
    QFETCH(qreal, width);
    Scene scene;
    QQuickItem layer(scene.window.contentItem());
    layer.setPosition(offset);
    layer.setTransformOrigin(QQuickItem::TopLeft);
    layer.setScale(scale);
    auto *sprite = scene.add<FilterRecordingSprite>(mainUrl(), {"half"}, QPointF(10, 10));
    sprite->setParentItem(&layer);
    sprite->setSmooth(smooth);
    if (width > 0)
        sprite->setWidth(width);
    QVERIFY(scene.show());
    scene.settle();
    QTEST(sprite->filtering == QSGTexture::Nearest, "nearest");
}

void tst_TexturePackerSprite::followsAncestorsOntoAndOffWholePixels()
{
    // Only the parent moves: the sprite itself has nothing new to show.
    Scene scene;
    QQuickItem layer(scene.window.contentItem());
    auto *sprite = scene.add<FilterRecordingSprite>(mainUrl(), {"half"}, QPointF(10, 10));
    sprite->setParentItem(&layer);
    sprite->setSmooth(true);
    QVERIFY(scene.show());
    QImage image = scene.settle();
    QCOMPARE(sprite->filtering, QSGTexture::Nearest);
    COMPARE_PIXEL(image, 25, 15, Red);
    COMPARE_PIXEL(image, 26, 15, Blue);

    // Half a pixel off, the column over the red and blue halves' border mixes
    // both, from the first frame drawn there on.
    layer.setX(0.5);
    image = scene.window.grabWindow();
    QCOMPARE(sprite->filtering, QSGTexture::Linear);
    COMPARE_PIXEL(image, 26, 15, QColor(128, 0, 128));

    layer.setX(1);
    image = scene.window.grabWindow();
    QCOMPARE(sprite->filtering, QSGTexture::Nearest);
    COMPARE_PIXEL(image, 26, 15, Red);
    COMPARE_PIXEL(image, 27, 15, Blue);
}

void tst_TexturePackerSprite::repaintsOnlyWhenItsFrameChanges_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<float>("rate");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<int>("frameAfter100ms");
    QTest::addColumn<int>("paints");
    const QStringList three{"red", "green", "blue"};
    QTest::newRow("still") << QStringList{"red"} << 10.0f << true << 0 << 0;
    QTest::newRow("slow") << three << 1.0f << true << 0 << 0;
    QTest::newRow("fast") << three << 10.0f << true << 1 << 1;
    // Hidden items are painted too, so their clocks never stood still.
    QTest::newRow("hidden") << three << 10.0f << false << 1 << 1;
}

void tst_TexturePackerSprite::repaintsOnlyWhenItsFrameChanges()
{
    QFETCH(QStringList, names);
    QFETCH(float, rate);
    QFETCH(bool, visible);
    Scene scene;
    auto *sprite = scene.add<PaintCountingSprite>(mainUrl(), names, QPointF(10, 10));
    sprite->setFrameRate(rate);
    sprite->setVisible(visible);
    QVERIFY(scene.show());
    scene.settle();
    sprite->paints = 0;
    scene.clock.now += 100;
    const QImage image = scene.settle();
    QTEST(sprite->getCurrentFrame(), "frameAfter100ms");
    QTEST(sprite->paints, "paints");
    if (visible)
        COMPARE_PIXEL(image, 15, 15, sprite->getCurrentFrame() == 1 ? Green : Red);
}

void tst_TexturePackerSprite::frameHandlersMayAddAndDeleteSprites_data()
{
    QTest::addColumn<int>("action"); // 0 deletes its own sprite, 1 the next one, 2 adds one
    QTest::newRow("delete own") << 0;
    QTest::newRow("delete next") << 1;
    QTest::newRow("add") << 2;
}

void tst_TexturePackerSprite::frameHandlersMayAddAndDeleteSprites()
{
    QFETCH(int, action);
    Scene scene;
    QList<QPointer<TexturePackerSprite>> sprites;
    for (int i = 0; i < 3; ++i) {
        sprites.append(scene.add(mainUrl(), {"red", "green", "blue"}, QPointF(10 + 30 * i, 10)));
        sprites.last()->setFrameRate(10);
    }
    QObject::connect(sprites[0], &TexturePackerSprite::currentFrameChanged, sprites[0], [&] {
        if (action == 2 && sprites.size() == 3) {
            sprites.append(scene.add(mainUrl(), {"red", "green", "blue"}, QPointF(100, 10)));
            sprites.last()->setFrameRate(10);
        } else if (action < 2) {
            delete sprites[action].data();
        }
    }, Qt::DirectConnection);
    QVERIFY(scene.show());
    scene.settle();
    scene.clock.now += 100;
    scene.settle();
    scene.clock.now += 100;
    const QImage image = scene.settle();
    saveGrab(image, "handlers");
    COMPARE_PIXEL(image, 75, 15, Blue); // the last sprite ran on in either case
    if (action == 2) {
        QCOMPARE(sprites.last()->getCurrentFrame(), 1);
        COMPARE_PIXEL(image, 105, 15, Green);
    }
}
