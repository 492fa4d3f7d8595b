#include "spine/spineanimation.h"
#include "spine/spineanimationstate.h"
#include "spine/spineatlas.h"
#include "spine/spineskeleton.h"
#include "spine/spineskeletondata.h"
#include "spine/spineskeletonjson.h"

#include "support/warningcollector.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace spine;

namespace {

const char *kAtlas = R"(
page.png
size: 64,64
format: RGBA8888
filter: Linear,Linear
repeat: none
box
  rotate: false
  xy: 0, 0
  size: 16, 16
  orig: 16, 16
  offset: 0, 0
  index: -1
turned
  rotate: true
  xy: 16, 0
  size: 8, 4
  orig: 10, 6
  offset: 1, 2
  index: 3
)";

// Bones: root, arm (rotated 90, child of root), hand (on the arm's tip),
// target; an IK constraint (off in the setup pose) lays the arm on the target.
const char *kSkeleton = R"({
 "skeleton": { "width": 100, "height": 100 },
 "bones": [
  { "name": "root" },
  { "name": "arm", "parent": "root", "x": 10, "rotation": 90, "length": 50 },
  { "name": "hand", "parent": "arm", "x": 50, "length": 40 },
  { "name": "target", "parent": "root", "x": 60, "y": 30 }
 ],
 "ik": [ { "name": "reach", "bones": ["arm", "hand"], "target": "target", "mix": 0 } ],
 "slots": [
  { "name": "a", "bone": "arm", "attachment": "box" },
  { "name": "b", "bone": "hand", "attachment": "tri", "additive": true, "color": "ff800080" },
  { "name": "c", "bone": "root", "attachment": "skin" }
 ],
 "skins": {
  "default": {
   "a": { "box": { "width": 20, "height": 10, "x": 5 }, "other": { "name": "turned", "width": 10, "height": 6 } },
   "b": { "tri": { "type": "mesh", "path": "box", "uvs": [0,0, 1,0, 1,1], "vertices": [0,0, 10,0, 10,10], "triangles": [0,1,2], "hull": 3 } },
   "c": { "skin": { "type": "skinnedmesh", "path": "box", "uvs": [0,0, 1,0, 1,1],
          "vertices": [1, 1, 0,0,1,  2, 0,10,0,0.5, 1,10,0,0.5,  1, 2, 5,0,1], "triangles": [0,1,2] } }
  },
  "gold": { "a": { "box": { "name": "turned", "width": 10, "height": 6 } } }
 },
 "events": { "step": { "int": 1, "string": "left" } },
 "animations": {
  "curves": { "bones": { "root": { "rotate": [
    { "time": 0, "angle": 0 }, { "time": 1, "angle": 100, "curve": "stepped" },
    { "time": 2, "angle": 50, "curve": [0.25, 0, 0.75, 1] }, { "time": 3, "angle": 0 } ],
    "translate": [ { "time": 0, "x": 0, "y": 0 }, { "time": 2, "x": 20, "y": -10 } ],
    "scale": [ { "time": 0, "x": 1, "y": 1 }, { "time": 2, "x": 3, "y": 2 } ] } } },
  "walk": {
   "bones": { "arm": { "rotate": [ { "time": 0, "angle": 80 }, { "time": 1, "angle": 80 } ] } },
   "events": [ { "time": 0, "name": "step" }, { "time": 0.5, "name": "step", "string": "right" } ]
  },
  "turn": { "bones": { "arm": { "rotate": [ { "time": 0, "angle": -110 }, { "time": 1, "angle": -110 } ] } } },
  "slots": {
   "slots": { "a": { "attachment": [ { "time": 0.5, "name": "other" }, { "time": 1, "name": null } ] },
              "b": { "color": [ { "time": 0, "color": "00000000" }, { "time": 1, "color": "ffffffff" } ] } },
   "ik": { "reach": [ { "time": 0, "mix": 1, "bendPositive": false } ] },
   "ffd": { "default": { "b": { "tri": [ { "time": 0 }, { "time": 1, "offset": 2, "vertices": [4, 6] } ] } } },
   "drawOrder": [ { "time": 0.5, "offsets": [ { "slot": "a", "offset": 2 } ] }, { "time": 1 } ]
  }
 }
})";

struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<Atlas> atlas;
    std::unique_ptr<SkeletonData> data;
    Fixture()
    {
        QImage page(64, 64, QImage::Format_ARGB32);
        page.fill(Qt::white);
        page.save(dir.filePath("page.png"));
        write("a.atlas", kAtlas);
        atlas = Atlas::load(dir.filePath("a.atlas"));
        if (atlas)
            data = SkeletonJson(atlas.get()).readSkeletonData(kSkeleton);
    }
    void write(const QString &name, const QByteArray &text)
    {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
};

bool near(QPointF a, QPointF b)
{
    return qAbs(a.x() - b.x()) < 1e-4 && qAbs(a.y() - b.y()) < 1e-4;
}

} // namespace

class tst_SpineRuntime : public QObject
{
    Q_OBJECT
private slots:
    void atlasRegions();
    void badAtlas_data();
    void badAtlas();
    void badSkeleton_data();
    void badSkeleton();
    void setupPoseWorldVertices();
    void curveKeys_data();
    void curveKeys();
    void slotTimelines();
    void inverseKinematics();
    void eventsAndLoops();
    void mixingInterpolatesRotation();
    void queuedAnimationsAndReentrantListener();
    void trimmedTurnedRegion();
    void skinsSwapWhatIsShown();
    void delayedQueueAndTimeScale();
};

void tst_SpineRuntime::atlasRegions()
{
    Fixture f;
    QVERIFY(f.atlas && f.data);
    QCOMPARE(int(f.atlas->pages().size()), 1);
    QCOMPARE(f.atlas->pages()[0]->width, 64);
    const AtlasRegion *turned = f.atlas->findRegion("turned");
    QVERIFY(turned);
    QVERIFY(turned->rotate);
    QCOMPARE(turned->index, 3);
    QCOMPARE(QRect(turned->x, turned->y, turned->width, turned->height), QRect(16, 0, 8, 4));
    QCOMPARE(QSize(turned->originalWidth, turned->originalHeight), QSize(10, 6));
    QCOMPARE(QPoint(turned->offsetX, turned->offsetY), QPoint(1, 2));
    // A turned region takes its height across the page.
    QCOMPARE(turned->u2, (16 + 4) / 64.0f);
    QCOMPARE(turned->v2, 8 / 64.0f);
}

void tst_SpineRuntime::badAtlas_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("warning");
    QTest::newRow("missing") << QByteArray() << "Atlas WARNING: Unable to read atlas file: .*";
    QTest::newRow("no page name") << QByteArray("size: 4,4\n") << "Atlas WARNING: Invalid atlas, page name expected at line 1";
    QTest::newRow("empty") << QByteArray("\n\n") << "Atlas WARNING: Invalid atlas, no pages";
    QTest::newRow("bad xy") << QByteArray("p.png\nsize: 64,64\nr\n  xy: 1\n") << "Atlas WARNING: Invalid region value at line 4";
    QTest::newRow("outside page") << QByteArray("p.png\nsize: 64,64\nr\n  xy: 60, 0\n  size: 8, 8\n")
                                  << "Atlas WARNING: Region outside its page: r";
}

void tst_SpineRuntime::badAtlas()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, warning);
    Fixture f;
    if (!text.isNull())
        f.write("bad.atlas", text);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
    QVERIFY(!Atlas::load(f.dir.filePath("bad.atlas")));
}

void tst_SpineRuntime::badSkeleton_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("warning");
    const QByteArray whole(kSkeleton);
    QTest::newRow("missing") << QByteArray() << QByteArray() << "Unable to read skeleton file: .*nothing.json";
    QTest::newRow("truncated") << whole.mid(whole.size() / 2) << QByteArray() << "Invalid skeleton JSON: .*";
    QTest::newRow("not JSON") << QByteArray("{") << QByteArray("<") << "Invalid skeleton JSON: .*";
    QTest::newRow("unknown type") << QByteArray("\"type\": \"mesh\"") << QByteArray("\"type\": \"sprite\"")
                                  << "Unknown attachment type: sprite";
    QTest::newRow("triangle index") << QByteArray("\"triangles\": [0,1,2], \"hull\"")
                                    << QByteArray("\"triangles\": [0,1,7], \"hull\"")
                                    << "Triangle index out of range in mesh tri: 7";
    QTest::newRow("bone index") << QByteArray("1, 2, 5,0,1") << QByteArray("1, 9, 5,0,1")
                                << "Bone index out of range in skinned mesh skin: 9";
    QTest::newRow("short weights") << QByteArray("1, 2, 5,0,1]") << QByteArray("3, 2, 5,0,1]")
                                   << "Invalid skinned mesh vertices: skin";
    QTest::newRow("parent") << QByteArray("\"parent\": \"arm\"") << QByteArray("\"parent\": \"leg\"")
                            << "Parent bone not found: leg";
    QTest::newRow("draw order") << QByteArray("\"a\", \"offset\": 2") << QByteArray("\"a\", \"offset\": 5")
                                << "Draw order offset out of range: a";
    QTest::newRow("deform range") << QByteArray("\"offset\": 2, \"vertices\"") << QByteArray("\"offset\": 5, \"vertices\"")
                                  << "Deform vertices out of range: tri";
    QTest::newRow("event") << QByteArray("\"time\": 0.5, \"name\": \"step\"") << QByteArray("\"time\": 0.5, \"name\": \"hop\"")
                           << "Event not found: hop";
    QTest::newRow("region") << QByteArray("\"name\": \"turned\"") << QByteArray("\"name\": \"gone\"")
                            << "Region not found: gone";
    QTest::newRow("timeline") << QByteArray("\"translate\"") << QByteArray("\"shear\"")
                              << "Invalid timeline type for a bone: shear";
}

void tst_SpineRuntime::badSkeleton()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, warning);
    Fixture f;
    QByteArray json(kSkeleton);
    if (!from.isEmpty() && !to.isNull()) {
        QVERIFY2(json.contains(from), from);
        json.replace(from, to);
    } else if (!from.isEmpty()) {
        json = from;
    }
    f.write("bad.json", json);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SkeletonJson WARNING: " + warning));
    const QString path = f.dir.filePath(from.isNull() ? "nothing.json" : "bad.json");
    QVERIFY(!SkeletonJson(f.atlas.get()).readSkeletonDataFile(path));
}

void tst_SpineRuntime::setupPoseWorldVertices()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    skeleton.updateWorldTransform();
    Bone *hand = skeleton.findBone("hand");
    // The arm points up from (10, 0); the hand sits at its tip.
    QVERIFY(near(QPointF(hand->worldX, hand->worldY), QPointF(10, 50)));
    QCOMPARE(hand->worldRotation, 90.0f);

    float v[8];
    const Slot &a = *skeleton.findSlot("a");
    QVERIFY(computeWorldVertices(a.attachment, skeleton, a, v));
    // A 20 x 10 box centred 5 along the upright arm.
    QCOMPARE(QRectF(QPointF(v[0], v[1]), QPointF(v[4], v[5])).normalized().toRect(), QRect(5, -5, 10, 20));

    const Slot &b = *skeleton.findSlot("b");
    QCOMPARE(worldVerticesLength(b.attachment), 6);
    QVERIFY(computeWorldVertices(b.attachment, skeleton, b, v));
    QVERIFY(near(QPointF(v[2], v[3]), QPointF(10, 60)));
    QVERIFY(b.data->additive);
    QCOMPARE(b.a, 128 / 255.0f);

    // Weighted: the middle vertex is half in the root, half in the arm.
    const Slot &c = *skeleton.findSlot("c");
    QVERIFY(computeWorldVertices(c.attachment, skeleton, c, v));
    QVERIFY(near(QPointF(v[2], v[3]), QPointF(10, 5)));
    QVERIFY(near(QPointF(v[4], v[5]), QPointF(10, 55)));
}

void tst_SpineRuntime::curveKeys_data()
{
    QTest::addColumn<float>("time");
    QTest::addColumn<float>("angle");
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<QPointF>("scale");
    QTest::newRow("linear") << 0.5f << 50.0f << QPointF(5, -2.5) << QPointF(1.5, 1.25);
    QTest::newRow("stepped") << 1.5f << 100.0f << QPointF(15, -7.5) << QPointF(2.5, 1.75);
    QTest::newRow("bezier middle") << 2.5f << 25.0f << QPointF(20, -10) << QPointF(3, 2);
    QTest::newRow("bezier early") << 2.25f << 40.882f << QPointF(20, -10) << QPointF(3, 2);
    QTest::newRow("after end") << 9.0f << 0.0f << QPointF(20, -10) << QPointF(3, 2);
}

void tst_SpineRuntime::curveKeys()
{
    QFETCH(float, time);
    QFETCH(float, angle);
    QFETCH(QPointF, position);
    QFETCH(QPointF, scale);
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    f.data->findAnimation("curves")->apply(skeleton, -1, time, false, nullptr);
    const Bone &root = *skeleton.bones()[0];
    QVERIFY2(qAbs(root.rotation - angle) < 0.01f, qPrintable(QString::number(root.rotation)));
    QCOMPARE(QPointF(root.x, root.y), position);
    QCOMPARE(QPointF(root.scaleX, root.scaleY), scale);
}

void tst_SpineRuntime::slotTimelines()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    const Animation *animation = f.data->findAnimation("slots");
    const Slot *a = skeleton.findSlot("a");
    const Slot *b = skeleton.findSlot("b");
    animation->apply(skeleton, -1, 0.25f, false, nullptr);
    QCOMPARE(a->attachment->name, QString("box"));
    QCOMPARE(b->r, 0.25f);
    QCOMPARE(b->a, 0.25f);
    // Deformed: the third vertex moved by (4, 6) in the hand's space, a quarter of the way.
    float v[6];
    skeleton.updateWorldTransform();
    QVERIFY(computeWorldVertices(b->attachment, skeleton, *b, v));
    const Bone *hand = skeleton.findBone("hand");
    QCOMPARE(b->attachmentVertices, (QVector<float>{0, 0, 11, 1.5f, 10, 10}));
    QVERIFY(qAbs(v[2] - (hand->worldX + 11 * hand->m00 + 1.5f * hand->m01)) < 1e-4);

    animation->apply(skeleton, 0.25f, 0.75f, false, nullptr);
    QCOMPARE(a->attachment->name, QString("other"));
    QCOMPARE(skeleton.drawOrder()[2], a);
    QCOMPARE(skeleton.drawOrder()[0], b);
    animation->apply(skeleton, 0.75f, 1.0f, false, nullptr);
    QVERIFY(!a->attachment);
    QCOMPARE(skeleton.drawOrder()[0], a);

    // Attachments are switched by keys passed, not held against a hand-made choice.
    QVERIFY(skeleton.setAttachment("a", "box"));
    animation->apply(skeleton, 1.25f, 1.5f, false, nullptr);
    QCOMPARE(a->attachment->name, QString("box"));
    QVERIFY(!skeleton.setAttachment("a", "nothing"));
    QVERIFY(!skeleton.setAttachment("nothing", "box"));
}

void tst_SpineRuntime::inverseKinematics()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    f.data->findAnimation("slots")->apply(skeleton, -1, 0, false, nullptr); // IK mix 1, bend negative
    skeleton.updateWorldTransform();
    const Bone *arm = skeleton.findBone("arm");
    const Bone *hand = skeleton.findBone("hand");
    const Bone *target = skeleton.findBone("target");
    // Target at distance sqrt(50² + 30²) < 90: the hand's tip lands on it.
    const float tipX = hand->worldX + hand->m00 * 40, tipY = hand->worldY + hand->m10 * 40;
    QVERIFY2(qAbs(tipX - target->worldX) < 0.01f && qAbs(tipY - target->worldY) < 0.01f,
             qPrintable(QString("%1,%2").arg(tipX).arg(tipY)));
    QCOMPARE(std::hypot(hand->worldX - arm->worldX, hand->worldY - arm->worldY), 50.0f);
    // Bending negatively puts the elbow on the clockwise side of the line to the target.
    const float cross = (target->worldX - arm->worldX) * (hand->worldY - arm->worldY)
                        - (target->worldY - arm->worldY) * (hand->worldX - arm->worldX);
    QVERIFY(cross > 0);
    // The setup values stay; only the solved rotations change.
    QCOMPARE(arm->rotation, 90.0f);
}

void tst_SpineRuntime::eventsAndLoops()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    AnimationStateData stateData(f.data.get());
    AnimationState state(&stateData);
    QVector<QPair<float, QString>> fired;
    float clock = 0;
    state.setListener([&](int, AnimationState::EventType type, const Event *event, int loop) {
        if (type == AnimationState::EventFired)
            fired.append({clock, event->stringValue + QString::number(event->intValue)});
        else if (type == AnimationState::Complete)
            fired.append({clock, QString("complete%1").arg(loop)});
    });
    state.setAnimation(0, f.data->findAnimation("walk"), true);
    for (int i = 0; i < 9; ++i) {
        clock += 0.25f;
        state.update(0.25f);
        state.apply(skeleton);
    }
    const QVector<QPair<float, QString>> expected{
        {0.25f, "left1"}, {0.5f, "right1"}, {1.0f, "left1"}, {1.0f, "complete1"},
        {1.5f, "right1"}, {2.0f, "left1"}, {2.0f, "complete2"}};
    QCOMPARE(fired, expected);
}

void tst_SpineRuntime::mixingInterpolatesRotation()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    AnimationStateData stateData(f.data.get());
    QVERIFY(stateData.setMix("walk", "turn", 0.4f));
    QVERIFY(!stateData.setMix("walk", "fly", 0.4f));
    AnimationState state(&stateData);
    Bone *arm = skeleton.findBone("arm");
    state.setAnimation(0, f.data->findAnimation("walk"), true);
    state.update(0.1f);
    state.apply(skeleton);
    QCOMPARE(arm->rotation, 90.0f + 80.0f);
    state.setAnimation(0, f.data->findAnimation("turn"), true);
    // walk poses 170°, turn -20°: the shorter way round passes 180°.
    const float expected[] = {170 + 170 * 0.25f, 170 + 170 * 0.5f, 170 + 170 * 0.75f, 340};
    for (float want : expected) {
        state.update(0.1f);
        skeleton.setBonesToSetupPose();
        state.apply(skeleton);
        const float got = std::fmod(arm->rotation + 720.0f, 360.0f);
        QVERIFY2(qAbs(got - std::fmod(want, 360.0f)) < 0.01f, qPrintable(QString("%1 vs %2").arg(got).arg(want)));
    }
    QVERIFY(!state.current(0)->previous);
}

void tst_SpineRuntime::queuedAnimationsAndReentrantListener()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    AnimationStateData stateData(f.data.get());
    AnimationState state(&stateData);
    QStringList log;
    state.setListener([&](int track, AnimationState::EventType type, const Event *, int) {
        static const char *names[] = {"start", "end", "complete", "event"};
        const TrackEntry *entry = state.current(track);
        log << QString("%1:%2").arg(names[type], entry ? entry->animation->name() : QString("-"));
        // A listener may drop everything while events are still queued.
        if (type == AnimationState::EventFired)
            state.clearTracks();
    });
    state.setAnimation(0, f.data->findAnimation("turn"), false);
    state.addAnimation(0, f.data->findAnimation("walk"), true, 0);
    for (int i = 0; i < 4; ++i) {
        state.update(0.5f);
        state.apply(skeleton);
    }
    QCOMPARE(log, (QStringList{"start:turn", "complete:turn", "end:walk", "start:walk", "event:walk", "end:-"}));
    QVERIFY(!state.current(0));
}

void tst_SpineRuntime::trimmedTurnedRegion()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    const auto *other = static_cast<const RegionAttachment *>(skeleton.attachment(0, "other"));
    QVERIFY(other);
    // 8 x 4 kept of a 10 x 6 picture, 1 from its left and 2 from its bottom,
    // placed where they were in the 10 x 6 box centred on the bone.
    QCOMPARE(QRectF(QPointF(other->offset[0], other->offset[1]), QPointF(other->offset[4], other->offset[5])),
             QRectF(-4, -1, 8, 4));
    // Stored turned: the bottom-left corner samples the footprint's bottom-right.
    const AtlasRegion *region = other->region;
    QCOMPARE(QPointF(other->uvs[0], other->uvs[1]), QPointF(region->u2, region->v2));
    QCOMPARE(QPointF(other->uvs[2], other->uvs[3]), QPointF(region->u, region->v2));
}

void tst_SpineRuntime::skinsSwapWhatIsShown()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    const Slot *a = skeleton.findSlot("a");
    const Attachment *plain = a->attachment;
    QVERIFY(skeleton.setSkin("gold"));
    QVERIFY(a->attachment != plain);
    QCOMPARE(a->attachment->name, QString("box"));
    QCOMPARE(static_cast<const RegionAttachment *>(a->attachment)->region->name, QString("turned"));
    // Attachments only the default skin has are still found.
    QVERIFY(skeleton.setAttachment("a", "other"));
    QVERIFY(skeleton.setAttachment("a", "box"));
    QVERIFY(skeleton.setSkin("default"));
    QCOMPARE(a->attachment, plain);
    QVERIFY(!skeleton.setSkin("silver"));
    QCOMPARE(skeleton.skin()->name(), QString("default"));
}

void tst_SpineRuntime::delayedQueueAndTimeScale()
{
    Fixture f;
    QVERIFY(f.data);
    Skeleton skeleton(f.data.get());
    AnimationStateData stateData(f.data.get());
    AnimationState state(&stateData);
    state.timeScale = 2;
    QVector<float> walkStarts;
    float clock = 0;
    state.setListener([&](int track, AnimationState::EventType type, const Event *, int) {
        if (type == AnimationState::Start && state.current(track)->animation->name() == "walk")
            walkStarts << clock;
    });
    state.setAnimation(0, f.data->findAnimation("turn"), false);
    // Half a second into turn, counted in its own (doubled) time.
    state.addAnimation(0, f.data->findAnimation("walk"), true, 0.5f);
    for (int i = 0; i < 4; ++i) {
        clock += 0.125f;
        state.update(0.125f);
        state.apply(skeleton);
    }
    // Turn reaches 0.5 at the second frame; the queue moves on at the next update.
    QCOMPARE(walkStarts, QVector<float>{0.375f});
    QCOMPARE(state.current(0)->time, 0.25f);
}

QTEST_APPLESS_MAIN(tst_SpineRuntime)
#include "tst_spineruntime.moc"
