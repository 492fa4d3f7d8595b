#include "app/zrapplication.h"
#include "components/steertopointbehavior.h"

#include "support/warningcollector.h"

#include <QtTest>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <memory>

class tst_SteerToPointBehavior : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void steersTowardsTheTarget_data();
    void steersTowardsTheTarget();
    void arrivalSignalsOnceUntilTheTargetChanges();
    void timerDrivesUpdatesWhileEnabled();
    void withoutOwnerItNeverRuns();
    void destroyedTargetIsForgotten();

private:
    QObject *create(const QByteArray &body);
    SteerToPointBehavior *steer() { return m_root->findChild<SteerToPointBehavior *>(QStringLiteral("steer")); }
    QQuickItem *item(const char *name) { return m_root->findChild<QQuickItem *>(QLatin1String(name)); }

    QQmlEngine m_engine;
    ZRApplication m_app;
    std::unique_ptr<QObject> m_root;
};

void tst_SteerToPointBehavior::initTestCase()
{
    m_app.initialize(&m_engine);
}

QObject *tst_SteerToPointBehavior::create(const QByteArray &body)
{
    QQmlComponent component(&m_engine);
    component.setData("import QtQuick 2.0\nimport Zarno 2.0\n" + body, QUrl(QStringLiteral("file:///steer.qml")));
    m_root.reset(component.create());
    if (!m_root)
        qWarning() << component.errorString();
    return m_root.get();
}

void tst_SteerToPointBehavior::steersTowardsTheTarget_data()
{
    QTest::addColumn<qreal>("rotation");
    QTest::addColumn<QPointF>("target");
    QTest::addColumn<bool>("backward");
    QTest::addColumn<bool>("stopAtDifferentDirections");
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("angle");
    QTest::addColumn<double>("turn");
    QTest::addColumn<double>("drive");

    QTest::newRow("ahead") << 0.0 << QPointF(100, 0) << true << false << 100.0 << 0.0 << 0.0 << 1.0;
    // On screen below the owner: right of its heading, and a dot product of 0 counts as behind.
    QTest::newRow("below") << 0.0 << QPointF(0, 100) << true << false << 100.0 << 90.0 << 1.0 << -1.0;
    QTest::newRow("above") << 0.0 << QPointF(0, -100) << true << false << 100.0 << 90.0 << -1.0 << -1.0;
    QTest::newRow("behind, backward allowed") << 0.0 << QPointF(-100, 0) << true << false << 100.0 << 180.0 << -1.0 << -1.0;
    QTest::newRow("behind, stopping") << 0.0 << QPointF(-100, 0) << false << true << 100.0 << 180.0 << -1.0 << 0.0;
    // Clockwise rotation of 90 degrees faces down the screen.
    QTest::newRow("turned towards it") << 90.0 << QPointF(0, 100) << true << false << 100.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("within rotation threshold") << 0.0 << QPointF(100, -7) << true << false << 100.2447 << 4.004 << 0.0 << 1.0;
    QTest::newRow("just past rotation threshold") << 0.0 << QPointF(100, 9) << true << false << 100.4042 << 5.1428 << 1.0 << 1.0;
}

void tst_SteerToPointBehavior::steersTowardsTheTarget()
{
    QFETCH(qreal, rotation);
    QFETCH(QPointF, target);
    QFETCH(bool, backward);
    QFETCH(bool, stopAtDifferentDirections);
    QFETCH(double, distance);
    QFETCH(double, angle);
    QFETCH(double, turn);
    QFETCH(double, drive);

    QVERIFY(create("Item {\n"
                   "  Item { objectName: \"owner\"\n"
                   "    MoveToPointHelper { objectName: \"steer\"; updateInterval: 100000 } }\n"
                   "  Item { objectName: \"target\" } }"));
    SteerToPointBehavior *s = steer();
    QCOMPARE(s->owningEntity(), item("owner"));
    item("owner")->setRotation(rotation);
    item("target")->setPosition(target);
    s->setAllowSteerBackward(backward);
    s->setStopForwardMovementAtDifferentDirections(stopAtDifferentDirections);

    // A target point is used only while there is no target item.
    s->setTargetPoint(QPointF(5000, 5000));
    s->setTargetObject(item("target"));
    QSignalSpy reached(s, &SteerToPointBehavior::targetReached);
    s->update();

    QVERIFY(qAbs(s->distanceToTarget() - distance) < 0.01);
    QVERIFY2(qAbs(s->absoluteRotationDifference() - angle) < 0.01, qPrintable(QString::number(s->absoluteRotationDifference())));
    QCOMPARE(s->outputXAxis(), turn);
    QCOMPARE(s->outputYAxis(), drive);
    QCOMPARE(reached.count(), 0);
}

void tst_SteerToPointBehavior::arrivalSignalsOnceUntilTheTargetChanges()
{
    QVERIFY(create("Item { objectName: \"owner\"\n"
                   "  MoveToPointHelper { objectName: \"steer\"; updateInterval: 100000; targetPoint: Qt.point(100, 0) } }"));
    SteerToPointBehavior *s = steer();
    auto *owner = qobject_cast<QQuickItem *>(m_root.get());
    QSignalSpy reached(s, &SteerToPointBehavior::targetReached);
    s->update();
    QCOMPARE(s->outputYAxis(), 1.0);

    owner->setX(81); // 19 away: within the default 20
    s->update();
    QCOMPARE(reached.count(), 1);
    QCOMPARE(s->outputYAxis(), 0.0);
    owner->setX(90);
    s->update();
    s->update();
    QCOMPARE(reached.count(), 1);
    QCOMPARE(s->distanceToTarget(), 10.0);

    // Exactly at the threshold is not yet there.
    s->setTargetPoint(QPointF(110, 0));
    QCOMPARE(s->distanceToTarget(), 0.0);
    s->update();
    QCOMPARE(reached.count(), 1);
    QCOMPARE(s->outputYAxis(), 1.0);
    owner->setX(95);
    s->update();
    QCOMPARE(reached.count(), 2);

    s->reset();
    QCOMPARE(s->outputYAxis(), 0.0);
    // reset() forgets the point as well: nothing to steer to any more.
    s->update();
    QCOMPARE(reached.count(), 2);
    QCOMPARE(s->distanceToTarget(), 0.0);
}

void tst_SteerToPointBehavior::timerDrivesUpdatesWhileEnabled()
{
    QVERIFY(create("Item { objectName: \"owner\"\n"
                   "  MoveToPointHelper { objectName: \"steer\"; updateInterval: 5; targetPoint: Qt.point(0, 300) } }"));
    SteerToPointBehavior *s = steer();
    QTRY_COMPARE(s->distanceToTarget(), 300.0);
    QCOMPARE(s->outputXAxis(), 1.0);

    s->setEnabled(false);
    s->setTargetPoint(QPointF(0, 200));
    QTest::qWait(40);
    QCOMPARE(s->distanceToTarget(), 0.0);
    s->setEnabled(true);
    QTRY_COMPARE(s->distanceToTarget(), 200.0);
}

void tst_SteerToPointBehavior::withoutOwnerItNeverRuns()
{
    QTest::ignoreMessage(QtWarningMsg, "WARNING: SteerToPointBehavior: no owningEntity was set, but an owner is required for retrieving the position! Thus it will not be activated!");
    QVERIFY(create("MoveToPointHelper { objectName: \"steer\"; updateInterval: 1; targetPoint: Qt.point(100, 0) }"));
    auto *s = qobject_cast<SteerToPointBehavior *>(m_root.get());
    s->setEnabled(false);
    s->setEnabled(true);
    QTest::qWait(30);
    s->update();
    QCOMPARE(s->distanceToTarget(), 0.0);
    QCOMPARE(s->outputYAxis(), 0.0);
}

void tst_SteerToPointBehavior::destroyedTargetIsForgotten()
{
    QVERIFY(create("Item {\n"
                   "  Item { objectName: \"owner\"; MoveToPointHelper { objectName: \"steer\"; updateInterval: 100000 } }\n"
                   "  Item { objectName: \"target\"; x: 200 } }"));
    SteerToPointBehavior *s = steer();
    QQuickItem *target = item("target");
    s->setTargetObject(target);
    s->update();
    QCOMPARE(s->outputYAxis(), 1.0);

    QSignalSpy objectChanged(s, &SteerToPointBehavior::targetObjectChanged);
    delete target;
    QCOMPARE(objectChanged.count(), 1);
    QCOMPARE(s->targetObject(), nullptr);
    QCOMPARE(s->outputYAxis(), 0.0);
    s->update();
    QCOMPARE(s->distanceToTarget(), 0.0);

    // Something that is not an item is refused, never read as one.
    QTest::ignoreMessage(QtWarningMsg, "WARNING: SteerToPointBehavior: the targetObject is not an item, it is ignored!");
    QObject plain;
    s->setTargetObject(&plain);
    s->update();
    QCOMPARE(s->distanceToTarget(), 0.0);
    s->setTargetObject(nullptr);
}

QTEST_MAIN(tst_SteerToPointBehavior)
#include "tst_steertopointbehavior.moc"
