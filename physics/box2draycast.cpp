#include "box2draycast.h"

#include "box2dbody.h"
#include "box2dfixture.h"
#include "box2dworld.h"

/*!
    \qmltype RayCast
    \inqmlmodule Zarno
    \instantiates Box2DRayCast
    \brief Receives the fixtures hit by World.rayCast().

    \qml
    RayCast {
        id: ray
        onFixtureReported: console.log(fixture, point, normal, fraction)
    }
    // world.rayCast(ray, Qt.point(0, 100), Qt.point(480, 100))
    \endqml
*/

/*!
    \qmlsignal RayCast::fixtureReported(Fixture fixture, point point, point normal, real fraction)
    \a fixture was hit at \a point (pixels); \a normal points away from the surface
    and is \c pixelsPerMeter long; \a fraction is the share of the ray travelled.
*/

Box2DRayCast::Box2DRayCast(QObject *parent)
    : QObject(parent)
{
}

/*!
    \qmlproperty real RayCast::maxFraction
    The share of the ray searched (1 by default). Returned to Box2D after each hit:
    0 ends the cast at the first hit.
*/
void Box2DRayCast::setMaxFraction(float maxFraction)
{
    if (maxFraction == m_maxFraction)
        return;
    if (!qIsFinite(maxFraction) || maxFraction < 0) {
        qWarning() << "RayCast: Invalid maxFraction:" << maxFraction;
        return;
    }
    m_maxFraction = maxFraction;
    emit maxFractionChanged();
}

float Box2DRayCast::ReportFixture(b2Fixture *fixture, const b2Vec2 &point, const b2Vec2 &normal, float fraction)
{
    Box2DFixture *element = toBox2DFixture(fixture);
    Box2DBody *body = element ? element->getBody() : nullptr;
    Box2DWorld *world = body ? body->world() : nullptr;
    if (!world)
        return -1;  // an element that is gone: ignore this fixture, go on
    const float scale = world->pixelsPerMeter();
    emit fixtureReported(element, QPointF(point.x * scale, -point.y * scale),
                         QPointF(normal.x * scale, -normal.y * scale), fraction);
    return m_maxFraction;
}
