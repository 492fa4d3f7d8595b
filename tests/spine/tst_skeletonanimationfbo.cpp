#include "spine/skeletonanimationfbo.h"
#include "spine/skeletonrenderer.h"
#include "spine/spineanimationstate.h"
#include "spine/spineevent.h"
#include "spine/spineskeleton.h"

#include "support/warningcollector.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace spine;

namespace {

// Page: red, green and white squares, and a square stored turned a quarter
// counter-clockwise whose upright picture is cyan above blue.
const char *kAtlas = R"(
page.png
size: 32,32
red
  xy: 0, 0
  size: 8, 8
green
  xy: 8, 0
  size: 8, 8
turned
  rotate: true
  xy: 16, 0
  size: 8, 8
white
  xy: 0, 8
  size: 8, 8
)";

// A grid mesh of n x n vertices over (50, 0)..(70, 20): more vertices than
// one batch holds when n is 46.
QJsonObject gridMesh(int n)
{
    QJsonArray vertices, uvs, triangles;
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            const double s = double(column) / (n - 1), t = double(row) / (n - 1);
            vertices << 50 + 20 * s << 20 - 20 * t;
            uvs << s << t;
            if (row + 1 < n && column + 1 < n) {
                const int i = row * n + column;
                triangles << i << i + 1 << i + n << i + 1 << i + n + 1 << i + n;
            }
        }
    }
    return {{"type", "mesh"}, {"path", "white"}, {"vertices", vertices}, {"uvs", uvs}, {"triangles", triangles}};
}

QByteArray skeletonJson()
{
    const QJsonObject skin{
        {"turned", QJsonObject{{"turned", QJsonObject{{"x", -10}, {"y", -5}, {"width", 10}, {"height", 10}}}}},
        {"red", QJsonObject{{"red", QJsonObject{{"width", 20}, {"height", 10}}}}},
        {"glow", QJsonObject{{"green", QJsonObject{{"x", 5}, {"width", 10}, {"height", 10}}}}},
        {"glow2", QJsonObject{{"green", QJsonObject{{"x", 5}, {"width", 10}, {"height", 10}}}}},
        {"grid", QJsonObject{{"grid", gridMesh(46)}}},
    };
    const QJsonObject root{
        {"bones", QJsonArray{QJsonObject{{"name", "root"}}, QJsonObject{{"name", "b"}, {"parent", "root"}, {"x", 30}, {"y", 40}}}},
        {"slots", QJsonArray{QJsonObject{{"name", "turned"}, {"bone", "root"}, {"attachment", "turned"}},
                             QJsonObject{{"name", "red"}, {"bone", "b"}, {"attachment", "red"}},
                             QJsonObject{{"name", "glow"}, {"bone", "b"}, {"attachment", "green"}, {"additive", true}},
                             QJsonObject{{"name", "glow2"}, {"bone", "b"}, {"attachment", "green"}, {"additive", true}},
                             QJsonObject{{"name", "grid"}, {"bone", "root"}, {"attachment", "grid"}}}},
        {"skins", QJsonObject{{"default", skin}}},
        {"events", QJsonObject{{"ping", QJsonObject{{"int", 7}}}}},
        {"animations", QJsonObject{
            {"turn", QJsonObject{{"bones", QJsonObject{{"b", QJsonObject{{"rotate", QJsonArray{
                QJsonObject{{"time", 0}, {"angle", 90}}, QJsonObject{{"time", 1}, {"angle", 90}}}}}}}}}},
            {"spin", QJsonObject{{"bones", QJsonObject{{"b", QJsonObject{{"rotate", QJsonArray{
                QJsonObject{{"time", 0}, {"angle", 0}}, QJsonObject{{"time", 1}, {"angle", 90}}}}}}}}}},
            {"ping", QJsonObject{{"events", QJsonArray{QJsonObject{{"time", 0}, {"name", "ping"}, {"string", "hi"}}}}}},
        }},
    };
    return QJsonDocument(root).toJson();
}

struct Files
{
    QTemporaryDir dir;
    Files(bool withPage = true)
    {
        if (withPage) {
            QImage page(32, 32, QImage::Format_ARGB32);
            page.fill(Qt::transparent);
            QPainter p(&page);
            p.fillRect(0, 0, 8, 8, Qt::red);
            p.fillRect(8, 0, 8, 8, Qt::green);
            p.fillRect(16, 0, 4, 8, Qt::cyan);  // the picture's top, turned to the left
            p.fillRect(20, 0, 4, 8, Qt::blue);
            p.fillRect(0, 8, 8, 8, Qt::white);
            p.end();
            page.save(dir.filePath("page.png"));
        }
        write("s.atlas", kAtlas);
        write("s.json", skeletonJson());
    }
    void write(const QString &name, const QByteArray &data)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(data);
    }
    QUrl url(const QString &name) const { return QUrl::fromLocalFile(dir.filePath(name)); }
};

// Keeps hold of its renderer so that the recorded calls can be inspected.
class ProbedItem : public SkeletonAnimationFbo
{
public:
    using SkeletonAnimationFbo::SkeletonAnimationFbo;
    Renderer *createRenderer() const override
    {
        renderer = static_cast<SkeletonRenderer *>(SkeletonAnimationFbo::createRenderer());
        return renderer;
    }
    mutable SkeletonRenderer *renderer = nullptr;
};

template<typename Call> QVector<const Call *> recorded(const SkeletonRenderer *renderer)
{
    QVector<const Call *> result;
    for (const auto &call : renderer->batch().calls()) {
        if (auto *wanted = dynamic_cast<const Call *>(call.get()))
            result.append(wanted);
    }
    return result;
}

ProbedItem *makeItem(QQuickItem *parent, const QUrl &skeleton, const QUrl &atlas)
{
    auto *item = new ProbedItem(parent);
    static_cast<QQmlParserStatus *>(item)->classBegin();
    item->setSkeletonDataFile(skeleton);
    item->setAtlasFile(atlas);
    static_cast<QQmlParserStatus *>(item)->componentComplete();
    return item;
}

bool near(QRgb pixel, QColor expected)
{
    const QColor c(pixel);
    return qAbs(c.red() - expected.red()) < 24 && qAbs(c.green() - expected.green()) < 24
           && qAbs(c.blue() - expected.blue()) < 24;
}

#define VERIFY_PIXEL(image, x, y, color)                                                                   \
    QVERIFY2(near((image).pixel(x, y), color),                                                             \
             qPrintable(QStringLiteral("(%1,%2) is %3").arg(x).arg(y).arg(QColor((image).pixel(x, y)).name())))

} // namespace

class tst_SkeletonAnimationFbo : public QObject
{
    Q_OBJECT
private slots:
    void drawsPosedSkeletonWhereBonesPutIt();
    void debugDrawing();
    void loadsOnlyWithBothFiles();
    void badFilesLeaveItEmpty_data();
    void badFilesLeaveItEmpty();
    void missingPageImageIsSkipped();
    void eventsLiveUntilNextUpdate();
    void handlersMayReloadAndReplace();
    void heldForGameAdvancesNothing();
};

void tst_SkeletonAnimationFbo::drawsPosedSkeletonWhereBonesPutIt()
{
    Files files;
    QQuickWindow window;
    window.setColor(Qt::black);
    window.resize(240, 160);
    auto *origin = new QQuickItem(window.contentItem());
    origin->setPosition(QPointF(100, 100));
    ProbedItem *item = makeItem(origin, files.url("s.json"), files.url("s.atlas"));
    QVERIFY(item->isLoaded());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    item->updateSkeletonAnimation();
    // Extent: x -15..70, y -10..45 (skeleton y up): the item's top is at -45.
    QCOMPARE(item->position(), QPointF(-15, -45));
    QCOMPARE(item->sourceSize(), QSize(85, 55));
    QCOMPARE(QSizeF(item->width(), item->height()), QSizeF(85, 55));
    QImage image = window.grabWindow();
    VERIFY_PIXEL(image, 124, 60, QColor(Qt::red));     // red quad at x 20..40, y 35..45
    VERIFY_PIXEL(image, 136, 60, QColor(Qt::yellow));  // additive green over its right half
    VERIFY_PIXEL(image, 90, 102, QColor(Qt::cyan));    // turned region drawn upright
    VERIFY_PIXEL(image, 90, 108, QColor(Qt::blue));
    VERIFY_PIXEL(image, 160, 90, QColor(Qt::white));   // the mesh larger than a batch
    VERIFY_PIXEL(image, 110, 80, QColor(Qt::black));

    // One blend change into the two additive slots and one back out; the two
    // quads on the page share a draw, the mesh bigger than a batch gets its own.
    QVERIFY(item->renderer);
    const auto blends = recorded<BlendFunction>(item->renderer);
    QCOMPARE(blends.size(), 3);
    QCOMPARE(blends[1]->destination(), GLenum(GL_ONE));
    QCOMPARE(blends[2]->destination(), GLenum(GL_ONE_MINUS_SRC_ALPHA));
    const auto draws = recorded<DrawTrigngles>(item->renderer);
    QCOMPARE(draws.size(), 3);
    QCOMPARE(draws[0]->vertexCount(), 8);
    QCOMPARE(draws[2]->vertexCount(), 46 * 46);

    // A quarter turn of bone b stands the red quad up around (30, 40).
    item->setAnimation(0, "turn", true);
    item->updateSkeletonAnimation();
    QCOMPARE(item->position(), QPointF(-15, -50));
    image = window.grabWindow();
    VERIFY_PIXEL(image, 128, 68, QColor(Qt::red));     // now x 25..35, y 30..50, the glow on top
    VERIFY_PIXEL(image, 128, 52, QColor(Qt::yellow));
    VERIFY_PIXEL(image, 122, 60, QColor(Qt::black));
}

void tst_SkeletonAnimationFbo::debugDrawing()
{
    Files files;
    QQuickWindow window;
    window.resize(240, 160);
    ProbedItem *item = makeItem(window.contentItem(), files.url("s.json"), files.url("s.atlas"));
    item->setDebugBones(true);
    item->setDebugSlots(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    item->updateSkeletonAnimation();
    window.grabWindow();
    QVERIFY(item->renderer);
    // The textured pass, then the flat one: an outline per region, a line and a point per bone.
    QCOMPARE(recorded<BindShader>(item->renderer).size(), 2);
    QCOMPARE(recorded<DrawPolygon>(item->renderer).size(), 4 + 2 + 2);
    QCOMPARE(recorded<DrawLine>(item->renderer).size(), 2);
    QCOMPARE(recorded<DrawPoint>(item->renderer).size(), 2);
    QCOMPARE(recorded<LineWidth>(item->renderer).size(), 2);
    // Blue outlines, red bones, a blue root point and green points after it.
    QCOMPARE(recorded<DrawColor>(item->renderer).size(), 4);
}

void tst_SkeletonAnimationFbo::loadsOnlyWithBothFiles()
{
    Files files;
    QQuickItem parent;
    SkeletonAnimationFbo *item = makeItem(&parent, QUrl(), files.url("s.atlas"));
    QVERIFY(!item->isLoaded());
    QSignalSpy starts(item, &SkeletonAnimationFbo::skeletonStart);
    item->setAnimation(0, "turn", true);
    QVERIFY(!item->setAttachment("red", "red"));
    item->setSkeletonDataFile(files.url("s.json"));
    QVERIFY(item->isLoaded());
    item->setAnimation(0, "nothing", true);
    QCOMPARE(starts.count(), 0);
    item->setAnimation(0, "turn", true);
    QCOMPARE(starts.count(), 1);
    QVERIFY(item->setAttachment("red", ""));
    QVERIFY(!item->skeleton()->findSlot("red")->attachment);
    // A new scale reloads: the red quad's bone sits twice as far out.
    item->setSkeletonScale(2);
    item->updateSkeletonAnimation();
    QCOMPARE(item->skeleton()->findBone("b")->worldX, 60.0f);
}

void tst_SkeletonAnimationFbo::badFilesLeaveItEmpty_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QByteArray>("atlas");
    QTest::addColumn<QString>("warning");
    const QByteArray json = skeletonJson();
    QTest::newRow("no skeleton file") << QByteArray() << QByteArray(kAtlas) << "Unable to read skeleton file";
    QTest::newRow("no atlas file") << json << QByteArray() << "Unable to read atlas file";
    QTest::newRow("truncated skeleton") << json.left(json.size() / 3) << QByteArray(kAtlas) << "Invalid skeleton JSON";
    QTest::newRow("unknown attachment") << QByteArray(json).replace("\"mesh\"", "\"cloth\"") << QByteArray(kAtlas)
                                        << "Unknown attachment type: cloth";
    QTest::newRow("out of range triangle") << QByteArray(json).replace("\"triangles\": [\n", "\"triangles\": [9999, 0, 1,\n")
                                           << QByteArray(kAtlas) << "Triangle index out of range";
    QTest::newRow("truncated atlas") << json << QByteArray(kAtlas).left(40) << "Region not found";
}

void tst_SkeletonAnimationFbo::badFilesLeaveItEmpty()
{
    QFETCH(QByteArray, json);
    QFETCH(QByteArray, atlas);
    QFETCH(QString, warning);
    Files files;
    QFile::remove(files.dir.filePath("s.json"));
    QFile::remove(files.dir.filePath("s.atlas"));
    if (!json.isEmpty())
        files.write("s.json", json);
    if (!atlas.isEmpty())
        files.write("s.atlas", atlas);
    QQuickItem parent;
    WarningCollector warnings;
    SkeletonAnimationFbo *item = makeItem(&parent, files.url("s.json"), files.url("s.atlas"));
    QVERIFY(!item->isLoaded());
    QCOMPARE(warnings.warnings.size(), 1);
    QVERIFY2(warnings.warnings.first().contains(warning), qPrintable(warnings.warnings.first()));
    item->updateSkeletonAnimation();
    item->setAnimation(0, "turn", true);
    QCOMPARE(item->boundingBox(), QRectF(0, 0, 0, 0));
}

void tst_SkeletonAnimationFbo::missingPageImageIsSkipped()
{
    Files files(false);
    QQuickWindow window;
    window.setColor(Qt::black);
    window.resize(240, 160);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SkeletonAnimationFbo WARNING: atlas page image not found, "
                                                          "its attachments are not drawn: .*page.png"));
    SkeletonAnimationFbo *item = makeItem(window.contentItem(), files.url("s.json"), files.url("s.atlas"));
    QVERIFY(item->isLoaded());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    item->updateSkeletonAnimation();
    const QImage image = window.grabWindow();
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            VERIFY_PIXEL(image, x, y, QColor(Qt::black));
}

void tst_SkeletonAnimationFbo::eventsLiveUntilNextUpdate()
{
    Files files;
    QQuickItem parent;
    SkeletonAnimationFbo *item = makeItem(&parent, files.url("s.json"), files.url("s.atlas"));
    QPointer<SpineEvent> kept;
    QString text;
    int value = 0;
    connect(item, &SkeletonAnimationFbo::skeletonEvent, [&](int track, SpineEvent *event) {
        QCOMPARE(track, 2);
        kept = event;
        text = event->stringValue();
        value = event->data()->intValue();
    });
    item->setAnimation(2, "ping", false);
    item->updateSkeletonAnimation();
    QVERIFY(kept);
    QCOMPARE(text, QString("hi"));
    QCOMPARE(value, 7);
    QCOMPARE(kept->data()->name(), QString("ping"));
    item->updateSkeletonAnimation();
    QVERIFY(!kept);
}

void tst_SkeletonAnimationFbo::handlersMayReloadAndReplace()
{
    Files files;
    QQuickItem parent;
    SkeletonAnimationFbo *item = makeItem(&parent, files.url("s.json"), files.url("s.atlas"));
    int events = 0;
    // Everything a handler may do while the runtime is delivering.
    connect(item, &SkeletonAnimationFbo::skeletonEvent, [&](int, SpineEvent *) {
        ++events;
        item->setAnimation(0, "turn", false);
        item->clearTracks();
        item->updateSkeletonAnimation();
        item->setSkeletonScale(item->skeletonScale() + 1);
    });
    connect(item, &SkeletonAnimationFbo::skeletonEnd, [&](int) { item->addAnimation(1, "ping", false); });
    item->setAnimation(0, "ping", false);
    for (int i = 0; i < 3; ++i)
        item->updateSkeletonAnimation();
    QVERIFY(events >= 1);
    QVERIFY(item->isLoaded());
    // The scale written by the handler was applied once the runtime was done.
    QCOMPARE(item->skeleton()->findBone("b")->worldX, 30.0f * item->skeletonScale());
}

void tst_SkeletonAnimationFbo::heldForGameAdvancesNothing()
{
    Files files;
    QQuickItem origin;
    ProbedItem *item = makeItem(&origin, files.url("s.json"), files.url("s.atlas"));
    QVERIFY(item->isLoaded());
    item->setAnimation(0, "spin", true);
    item->updateSkeletonAnimation();
    const QPointF rest = item->position();

    // Neither the held time nor the time since the hold reaches the animation:
    // bone b would otherwise have turned a third of the way and moved the box.
    IGamePausable *pausable = item;
    QVERIFY(pausable->pauseForGame());
    QVERIFY(!pausable->pauseForGame());
    QTest::qWait(300);
    item->updateSkeletonAnimation();
    QCOMPARE(item->position(), rest);
    pausable->resumeForGame();
    item->updateSkeletonAnimation();
    QVERIFY((item->position() - rest).manhattanLength() < 1);
    QTest::qWait(300);
    item->updateSkeletonAnimation();
    QVERIFY((item->position() - rest).manhattanLength() > 1);
}

QTEST_MAIN(tst_SkeletonAnimationFbo)
#include "tst_skeletonanimationfbo.moc"
