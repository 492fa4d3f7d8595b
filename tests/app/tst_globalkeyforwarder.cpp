#include "app/globalkeyforwarder.h"
#include "app/zarnoquickkeyevent.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QtTest>

// Counts key presses that get as far as the object it watches.
class PressCounter : public QObject
{
public:
    int presses = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++presses;
        return false;
    }
};

static const char viewDocument[] =
    "import QtQuick 2.15\n"
    "Item {\n"
    "    width: 200; height: 100\n"
    "    property var log: []\n"
    "    property bool consume: false\n"
    "    property bool copyMatched: false\n"
    "    property bool pasteMatched: false\n"
    "    TextInput { objectName: 'input'; width: 100; height: 20 }\n"
    "    Connections {\n"
    "        target: globalKeyForwarder\n"
    "        function onPressed(event) {\n"
    "            log.push({ key: event.key, text: event.text, modifiers: event.modifiers,\n"
    "                       isAutoRepeat: event.isAutoRepeat, count: event.count,\n"
    "                       accepted: event.accepted })\n"
    "            copyMatched = event.matches(StandardKey.Copy)\n"
    "            pasteMatched = event.matches(StandardKey.Paste)\n"
    "            if (consume)\n"
    "                event.accepted = true\n"
    "        }\n"
    "    }\n"
    "}\n";

class tst_GlobalKeyForwarder : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pressReachingRootItemIsForwarded();
    void focusedItemKeepsItsPresses();
    void acceptedPressStops();
    void autoRepeatIsForwarded();
    void releasesAndOtherObjectsAreIgnored();

private:
    QVariantList log() const { return m_view->rootObject()->property("log").toList(); }
    QQuickView *m_view = nullptr;
    GlobalKeyForwarder *m_forwarder = nullptr;
    PressCounter m_rootCounter;
};

void tst_GlobalKeyForwarder::init()
{
    m_forwarder = new GlobalKeyForwarder(this);
    m_view = new QQuickView;
    m_view->rootContext()->setContextProperty(QStringLiteral("globalKeyForwarder"), m_forwarder);
    auto *component = new QQmlComponent(m_view->engine(), m_view);
    component->setData(viewDocument, QUrl());
    QObject *root = component->create(m_view->rootContext());
    QVERIFY2(root, qPrintable(component->errorString()));
    m_view->setContent(QUrl(), component, root);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    // Without a window manager a focus request made before the window is
    // mapped is refused and not repeated: ask until it is granted.
    for (int i = 0; i < 100 && !m_view->isActive(); ++i) {
        m_view->requestActivate();
        QTest::qWait(50);
    }
    QVERIFY(m_view->isActive());
    QTRY_COMPARE(m_view->activeFocusItem(), m_view->contentItem());
    m_rootCounter.presses = 0;
    m_view->contentItem()->installEventFilter(&m_rootCounter);
}

void tst_GlobalKeyForwarder::cleanup()
{
    delete m_view;
    m_view = nullptr;
    delete m_forwarder;
    m_forwarder = nullptr;
}

void tst_GlobalKeyForwarder::pressReachingRootItemIsForwarded()
{
    // With a modifier QTest presses the modifier key first; that press is forwarded too.
    QTest::keyClick(m_view, 'A', Qt::ShiftModifier);
    QVariantList entries = log();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.first().toMap().value("key").toInt(), int(Qt::Key_Shift));
    QVariantMap entry = entries.last().toMap();
    QCOMPARE(entry.value("key").toInt(), int(Qt::Key_A));
    QCOMPARE(entry.value("text").toString(), QStringLiteral("A"));
    QCOMPARE(entry.value("modifiers").toInt(), int(Qt::ShiftModifier));
    QCOMPARE(entry.value("isAutoRepeat").toBool(), false);
    // Handlers see the press unaccepted, whatever the window did before.
    QCOMPARE(entry.value("accepted").toBool(), false);
    // Nobody consumed it: the root item still gets it.
    QCOMPARE(m_rootCounter.presses, 2);
    QCOMPARE(m_view->rootObject()->property("copyMatched").toBool(), false);

    // The platform's copy shortcut matches StandardKey.Copy and nothing else.
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(log().size(), 4);
    QCOMPARE(log().last().toMap().value("key").toInt(), int(Qt::Key_C));
    QCOMPARE(m_view->rootObject()->property("copyMatched").toBool(), true);
    QCOMPARE(m_view->rootObject()->property("pasteMatched").toBool(), false);
}

void tst_GlobalKeyForwarder::focusedItemKeepsItsPresses()
{
    auto *input = m_view->rootObject()->findChild<QQuickItem *>(QStringLiteral("input"));
    QVERIFY(input);
    input->forceActiveFocus();
    QCOMPARE(m_view->activeFocusItem(), input);

    QTest::keyClick(m_view, Qt::Key_X);
    QCOMPARE(input->property("text").toString(), QStringLiteral("x"));
    QCOMPARE(log().size(), 0);
    QCOMPARE(m_rootCounter.presses, 0);

    // A key the text field does not take climbs up to the root item and is forwarded.
    QTest::keyClick(m_view, Qt::Key_F5);
    QCOMPARE(log().size(), 1);
    QCOMPARE(log().first().toMap().value("key").toInt(), int(Qt::Key_F5));
    QCOMPARE(m_rootCounter.presses, 1);
}

void tst_GlobalKeyForwarder::acceptedPressStops()
{
    m_view->rootObject()->setProperty("consume", true);
    QTest::keyClick(m_view, Qt::Key_Back);
    QCOMPARE(log().size(), 1);
    QCOMPARE(m_rootCounter.presses, 0);

    m_view->rootObject()->setProperty("consume", false);
    QTest::keyClick(m_view, Qt::Key_Back);
    QCOMPARE(log().size(), 2);
    QCOMPARE(m_rootCounter.presses, 1);
}

void tst_GlobalKeyForwarder::autoRepeatIsForwarded()
{
    // Holding a key: the first press, then repeats flagged as such.
    QTest::keyPress(m_view, Qt::Key_Space);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true, 2);
        QCoreApplication::sendEvent(m_view, &repeat);
    }
    QTest::keyRelease(m_view, Qt::Key_Space);
    const QVariantList entries = log();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries.at(0).toMap().value("isAutoRepeat").toBool(), false);
    for (int i = 1; i < 4; ++i) {
        QCOMPARE(entries.at(i).toMap().value("isAutoRepeat").toBool(), true);
        QCOMPARE(entries.at(i).toMap().value("count").toInt(), 2);
    }
}

void tst_GlobalKeyForwarder::releasesAndOtherObjectsAreIgnored()
{
    QSignalSpy spy(m_forwarder, &GlobalKeyForwarder::pressed);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    // A plain item, or any other object, is not the root item.
    QQuickItem plain;
    QVERIFY(!m_forwarder->eventFilter(&plain, &press));
    QVERIFY(!m_forwarder->eventFilter(this, &press));
    QVERIFY(!m_forwarder->eventFilter(m_view->contentItem(), &release));
    QVERIFY(!m_forwarder->eventFilter(nullptr, &press));
    QCOMPARE(spy.count(), 0);

    // The wrapper handed out reports the event and only changes on a real change.
    connect(m_forwarder, &GlobalKeyForwarder::pressed, this, [](ZarnoQuickKeyEvent *event) {
        QSignalSpy accepted(event, &ZarnoQuickKeyEvent::acceptedChanged);
        event->setAccepted(false);
        event->setAccepted(true);
        event->setAccepted(true);
        QCOMPARE(accepted.count(), 1);
    });
    QVERIFY(m_forwarder->eventFilter(m_view->contentItem(), &press));
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(tst_GlobalKeyForwarder)
#include "tst_globalkeyforwarder.moc"
