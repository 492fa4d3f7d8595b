#include "scheduling/everyframe.h"

#include <QtTest>
#include <QQuickWindow>
#include <QElapsedTimer>

class tst_EveryFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("QSG_RENDER_LOOP", "basic"); }
    void emitsFrameTimeOnlyWithWindow();
    void disabledEmitsNothingAndKeepsClock();
    void movingToAnotherWindowCountsOnlyThatWindow();
};

// Keeps a window rendering frames for a while.
static void renderFor(QQuickWindow &window, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        window.update();
        QTest::qWait(10);
    }
}

void tst_EveryFrame::emitsFrameTimeOnlyWithWindow()
{
    EveryFrame item;
    QSignalSpy spy(&item, &EveryFrame::update);
    QQuickWindow window;
    window.resize(64, 64);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    renderFor(window, 100);
    QCOMPARE(spy.count(), 0);

    item.setParentItem(window.contentItem());
    renderFor(window, 200);
    QVERIFY(spy.count() > 0);
    for (const QList<QVariant> &args : spy) {
        const double dt = args.at(0).toDouble();
        QVERIFY2(dt >= 0 && dt < 1.0, qPrintable(QString::number(dt)));
    }

    item.setParentItem(nullptr);
    spy.clear();
    renderFor(window, 100);
    QCOMPARE(spy.count(), 0);
}

void tst_EveryFrame::disabledEmitsNothingAndKeepsClock()
{
    QQuickWindow window;
    window.resize(64, 64);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    EveryFrame item(window.contentItem());
    QSignalSpy spy(&item, &EveryFrame::update);
    item.setEnabled(false);
    renderFor(window, 400);
    QCOMPARE(spy.count(), 0);

    item.setEnabled(true);
    QTRY_VERIFY_WITH_TIMEOUT((window.update(), spy.count() > 0), 3000);
    // The first time after re-enabling is one frame, not the 400 ms spent disabled.
    QVERIFY2(spy.first().at(0).toDouble() < 0.2, qPrintable(spy.first().at(0).toString()));
}

void tst_EveryFrame::movingToAnotherWindowCountsOnlyThatWindow()
{
    QQuickWindow first, second;
    for (QQuickWindow *w : {&first, &second}) {
        w->resize(64, 64);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    EveryFrame item(first.contentItem());
    item.setParentItem(second.contentItem());
    // Let both windows finish the frames they already have pending.
    renderFor(first, 100);
    renderFor(second, 100);
    QTest::qWait(100);
    QSignalSpy spy(&item, &EveryFrame::update);
    // A frame of the second window still pending on a busy machine may come in
    // meanwhile: the item counts that one, never those of the first window.
    QSignalSpy firstFrames(&first, &QQuickWindow::frameSwapped);
    QSignalSpy secondFrames(&second, &QQuickWindow::frameSwapped);
    renderFor(first, 150);
    QVERIFY(firstFrames.count() > 0);
    QCOMPARE(spy.count(), secondFrames.count());
    renderFor(second, 100);
    QVERIFY(spy.count() > 0);
    QCOMPARE(spy.count(), secondFrames.count());
}

QTEST_MAIN(tst_EveryFrame)
#include "tst_everyframe.moc"
