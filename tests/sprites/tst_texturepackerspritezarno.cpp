#include "app/zrapplication.h"
#include "sprites/packedsheetwriter.h"
#include "sprites/texturepackersheetcache.h"
#include "sprites/texturepackersprite.h"
#include "support/warningcollector.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace packedsheet;

namespace {

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 2 && qAbs(a.green() - b.green()) <= 2 && qAbs(a.blue() - b.blue()) <= 2;
}

#define COMPARE_PIXEL(image, x, y, expected)                                                                   \
    do {                                                                                                       \
        const QColor actual_ = QColor((image).pixel((x), (y)));                                                \
        QVERIFY2(near(actual_, (expected)),                                                                    \
                 qPrintable(QStringLiteral("pixel (%1,%2) is %3").arg(x).arg(y).arg(actual_.name())));         \
    } while (0)

TexturePackerSprite *nativeOf(QObject *wrapper)
{
    return qobject_cast<TexturePackerSprite *>(wrapper->property("sprite").value<QObject *>());
}

} // namespace

class tst_TexturePackerSpriteZarno : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sizesInSceneUnitsAndMirrors();
    void onlySpriteChildrenJoinTheSequence();
    void successorsFollowWeights();
    void spriteWithoutSuccessorsRepeats();
    void runningAndJumpTo();
    void unusableWeightsKeepCurrentSprite();

private:
    QObject *load(const QByteArray &body);
    QObject *find(const char *name) { return m_root->findChild<QObject *>(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
    QQuickView *m_view = nullptr;
    ZRApplication *m_app = nullptr;
    QObject *m_root = nullptr;
};

void tst_TexturePackerSpriteZarno::initTestCase()
{
    QVERIFY(m_dir.isValid());
    writeSheet(m_dir.filePath("main"), "main.json", "main.png", QSize(64, 64), {
        {"red", solid(16, 16, Red), QRect(0, 0, 16, 16), false, QPoint(2, 2)},
        {"blue", solid(16, 16, Blue), QRect(0, 0, 16, 16), false, QPoint(22, 2)},
        {"quad", quadrants(16, 24, Red, Green, Blue, White), QRect(0, 0, 16, 24), true, QPoint(2, 22)},
    });
    writeSheet(m_dir.filePath("img/+hd2"), "wide.json", "wide.png", QSize(64, 32), {
        {"wide", quadrants(64, 32, Red, Blue, Red, Blue), QRect(0, 0, 64, 32), false, QPoint(0, 0)},
    });
}

void tst_TexturePackerSpriteZarno::init()
{
    TexturePackerSheetCache::clear();
    m_view = new QQuickView;
    m_app = new ZRApplication(m_view);
    m_app->initialize(m_view->engine());
    m_view->setColor(Qt::black);
    m_view->resize(320, 240);
}

void tst_TexturePackerSpriteZarno::cleanup()
{
    delete m_view;
    m_view = nullptr;
    m_root = nullptr;
}

QObject *tst_TexturePackerSpriteZarno::load(const QByteArray &body)
{
    const QString file = m_dir.filePath(QStringLiteral("Test%1.qml").arg(QTest::currentTestFunction()));
    writeFile(file, "import QtQuick 2.15\nimport Zarno 2.0\nItem {\n    width: 320; height: 240\n" + body + "\n}\n");
    m_view->setSource(QUrl::fromLocalFile(file));
    if (m_view->status() != QQuickView::Ready) {
        qWarning() << m_view->errors();
        return nullptr;
    }
    m_root = m_view->rootObject();
    m_view->show();
    if (!QTest::qWaitForWindowExposed(m_view))
        return nullptr;
    return m_root;
}

void tst_TexturePackerSpriteZarno::sizesInSceneUnitsAndMirrors()
{
    WarningCollector collector;
    QVERIFY(load(R"(
    TexturePackerAnimatedSpriteZarno { objectName: "plain"; x: 10; y: 10; smooth: false; source: "main/main.json"; frameNames: ["quad"] }
    TexturePackerAnimatedSpriteZarno { objectName: "mirrored"; x: 40; y: 10; smooth: false; source: "main/main.json"; frameNames: ["quad"]; mirrorX: true }
    TexturePackerAnimatedSpriteZarno { objectName: "flipped"; x: 70; y: 10; smooth: false; source: "main/main.json"; frameNames: ["quad"]; mirrorY: true }
    TexturePackerAnimatedSpriteZarno { objectName: "hd2"; x: 100; y: 10; smooth: false; source: "img/+hd2/wide.json"; frameNames: ["wide"] }
    TexturePackerAnimatedSpriteZarno { objectName: "sized"; x: 100; y: 40; smooth: false; source: "img/+hd2/wide.json"; frameNames: ["wide"]; width: 32; height: 16 }
    )"));
    m_view->grabWindow();
    const QImage image = m_view->grabWindow();
    if (!qEnvironmentVariableIsEmpty("ZARNO_GRAB_DIR"))
        image.save(qEnvironmentVariable("ZARNO_GRAB_DIR") + "/wrappers.png");

    QObject *plain = find("plain");
    QCOMPARE(plain->property("width").toDouble(), 16.0);
    QCOMPARE(plain->property("height").toDouble(), 24.0);
    QObject *hd2 = find("hd2");
    QCOMPARE(hd2->property("width").toDouble(), 16.0);
    QCOMPARE(hd2->property("height").toDouble(), 8.0);
    QCOMPARE(nativeOf(hd2)->getTextureScale(), 0.25);
    QCOMPARE(nativeOf(find("sized"))->width(), 128.0);
    QVERIFY(find("mirrored")->property("mirror").toBool());

    COMPARE_PIXEL(image, 12, 12, Red);
    COMPARE_PIXEL(image, 24, 12, Green);
    COMPARE_PIXEL(image, 12, 32, Blue);
    COMPARE_PIXEL(image, 24, 32, White);
    // Mirrored horizontally, in the same rectangle.
    COMPARE_PIXEL(image, 42, 12, Green);
    COMPARE_PIXEL(image, 54, 12, Red);
    COMPARE_PIXEL(image, 42, 32, White);
    COMPARE_PIXEL(image, 54, 32, Blue);
    COMPARE_PIXEL(image, 38, 20, Black);
    COMPARE_PIXEL(image, 56, 20, Black);
    // Mirrored vertically.
    COMPARE_PIXEL(image, 72, 12, Blue);
    COMPARE_PIXEL(image, 84, 12, White);
    COMPARE_PIXEL(image, 72, 32, Red);
    COMPARE_PIXEL(image, 84, 32, Green);
    COMPARE_PIXEL(image, 75, 34, Black);
    // hd2 sheets at a quarter of their pixel size, explicit sizes in scene units.
    COMPARE_PIXEL(image, 107, 17, Red);
    COMPARE_PIXEL(image, 108, 17, Blue);
    COMPARE_PIXEL(image, 116, 12, Black);
    COMPARE_PIXEL(image, 115, 55, Red);
    COMPARE_PIXEL(image, 131, 55, Blue);
    COMPARE_PIXEL(image, 132, 55, Black);
    COMPARE_PIXEL(image, 120, 56, Black);
    QCOMPARE(collector.warnings, QStringList());

    // The clearCache() signal reaches the native cache.
    const quint64 generation = TexturePackerSheetCache::generation();
    QMetaObject::invokeMethod(plain, "clearCache");
    QCOMPARE(TexturePackerSheetCache::generation(), generation + 1);
}

static const QByteArray TwoSpriteSequence = R"(
    TexturePackerSpriteSequenceZarno {
        objectName: "sequence"
        TexturePackerSpriteZarno { objectName: "unused"; name: "first"; source: "main/main.json"; frameNames: ["red"]; to: {"first": 3, "second": 1} }
        TexturePackerSpriteZarno { name: "second"; source: "main/main.json"; frameNames: ["quad"]; to: {"first": 1} }
        Rectangle { objectName: "other"; width: 5; height: 5 }
    })";

void tst_TexturePackerSpriteZarno::onlySpriteChildrenJoinTheSequence()
{
    // A child counts as a sprite of the sequence by its objectName: the first
    // sprite, renamed here, and the rectangle are left out. The second sprite
    // is slowed down so that it cannot finish its loop, even on a busy machine,
    // before it is looked at.
    QByteArray body = TwoSpriteSequence;
    body.replace("frameNames: [\"quad\"];", "frameNames: [\"quad\"]; frameRate: 0.01;");
    QVERIFY(load(body));
    QObject *sequence = find("sequence");
    const QVariantList sprites = sequence->property("sprites").toList();
    QCOMPARE(sprites.size(), 1);
    QCOMPARE(sequence->property("currentSprite").toString(), QString("second"));
    auto *second = sprites.at(0).value<QQuickItem *>();
    QVERIFY(second->isVisible());
    QVERIFY(second->property("running").toBool());
    QCOMPARE(second->property("loops").toInt(), 1);
    QCOMPARE(sequence->property("width").toDouble(), 16.0);
    QCOMPARE(sequence->property("height").toDouble(), 24.0);
}

void tst_TexturePackerSpriteZarno::successorsFollowWeights()
{
    QByteArray body = TwoSpriteSequence;
    body.replace("objectName: \"unused\"; ", "");
    QVERIFY(load(body));
    QObject *sequence = find("sequence");
    const QVariantList sprites = sequence->property("sprites").toList();
    QCOMPARE(sprites.size(), 2);
    auto *first = sprites.at(0).value<QQuickItem *>();
    auto *second = sprites.at(1).value<QQuickItem *>();
    QCOMPARE(sequence->property("currentSprite").toString(), QString("first"));
    QVERIFY(first->isVisible());
    QVERIFY(!second->isVisible());

    int fromFirst = 0, firstAgain = 0, fromSecond = 0, secondToFirst = 0;
    for (int i = 0; i < 4000; ++i) {
        const QString before = sequence->property("currentSprite").toString();
        QQuickItem *shown = before == "first" ? first : second;
        emit nativeOf(shown)->loopFinished();
        const QString after = sequence->property("currentSprite").toString();
        if (before == "first") {
            ++fromFirst;
            firstAgain += after == "first";
        } else {
            ++fromSecond;
            secondToFirst += after == "first";
        }
        QQuickItem *now = after == "first" ? first : second;
        QVERIFY(now->isVisible());
        QVERIFY((now == first ? second : first)->isVisible() == false);
        QVERIFY(now->property("running").toBool());
        QCOMPARE(now->property("loops").toInt(), 1);
    }
    const double ratio = double(firstAgain) / fromFirst;
    QVERIFY2(ratio > 0.70 && ratio < 0.80, qPrintable(QString::number(ratio)));
    QVERIFY(fromSecond > 500);
    QCOMPARE(secondToFirst, fromSecond);
    QCOMPARE(sequence->property("width").toDouble(), 16.0);
}

void tst_TexturePackerSpriteZarno::spriteWithoutSuccessorsRepeats()
{
    QVERIFY(load(R"(
    TexturePackerSpriteSequenceZarno {
        objectName: "sequence"
        TexturePackerSpriteZarno { name: "only"; source: "main/main.json"; frameNames: ["red", "blue"]; frameRate: 10 }
    })"));
    QObject *only = find("sequence")->property("sprites").toList().at(0).value<QObject *>();
    TexturePackerSprite *native = nativeOf(only);
    qint64 now = 1000;
    native->stateMachine()->setClock([&now] { return now; });
    m_view->grabWindow(); // built
    // Frames drawn on the real clock before (a slow machine may draw a few while the
    // window shows) must not carry a frame or part of one into the counted rounds.
    native->restart();
    QSignalSpy loops(native, &TexturePackerSprite::loopFinished);

    for (int round = 1; round <= 3; ++round) {
        now += 100;
        m_view->grabWindow();
        now += 100;
        m_view->grabWindow(); // the loop ends here: loops ran out, the sequence renews them
        QCOMPARE(loops.count(), round);
        QCOMPARE(find("sequence")->property("currentSprite").toString(), QString("only"));
        QVERIFY(native->getRunning());
        QCOMPARE(native->getLoops(), 1);
        QCOMPARE(native->getCurrentFrame(), 0);
    }
}

void tst_TexturePackerSpriteZarno::runningAndJumpTo()
{
    QByteArray body = TwoSpriteSequence;
    body.replace("objectName: \"unused\"; ", "");
    QVERIFY(load(body));
    QObject *sequence = find("sequence");
    const QVariantList sprites = sequence->property("sprites").toList();
    auto *first = sprites.at(0).value<QQuickItem *>();
    auto *second = sprites.at(1).value<QQuickItem *>();

    sequence->setProperty("running", false);
    QVERIFY(!first->property("running").toBool());
    QVERIFY(first->isVisible());
    sequence->setProperty("running", true);
    QVERIFY(first->property("running").toBool());

    QMetaObject::invokeMethod(sequence, "jumpTo", Q_ARG(QVariant, QVariant("second")));
    QCOMPARE(sequence->property("currentSprite").toString(), QString("second"));
    QVERIFY(second->isVisible());
    QVERIFY(second->property("running").toBool());
    QVERIFY(!first->isVisible());
    QVERIFY(!first->property("running").toBool());
    QCOMPARE(sequence->property("height").toDouble(), 24.0);

    // Mirroring the sequence mirrors its sprites.
    sequence->setProperty("mirrorX", true);
    QVERIFY(second->property("mirror").toBool());
    QVERIFY(first->property("mirror").toBool());
}

void tst_TexturePackerSpriteZarno::unusableWeightsKeepCurrentSprite()
{
    QVERIFY(load(R"(
    TexturePackerSpriteSequenceZarno {
        objectName: "sequence"
        TexturePackerSpriteZarno { name: "a"; source: "main/main.json"; frameNames: ["red"]; to: {"b": 0, "c": -2} }
        TexturePackerSpriteZarno { name: "b"; source: "main/main.json"; frameNames: ["blue"] }
    })"));
    WarningCollector collector;
    QObject *a = find("sequence")->property("sprites").toList().at(0).value<QObject *>();
    emit nativeOf(a)->loopFinished();
    QCOMPARE(collector.warnings.size(), 1);
    QVERIFY2(collector.warnings.at(0).endsWith(
                 "TexturePackerSpriteSequenceItem Error: finding the right sprite for the given probabilities did not work. possible values: 0-0 chosen value: 0"),
             qPrintable(collector.warnings.at(0)));
    QCOMPARE(find("sequence")->property("currentSprite").toString(), QString("a"));
    QVERIFY(a->property("visible").toBool());
}

int main(int argc, char **argv)
{
    qputenv("QSG_RENDER_LOOP", "basic");
    QGuiApplication app(argc, argv);
    tst_TexturePackerSpriteZarno test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_texturepackerspritezarno.moc"
