#include "box2dcircle.h"

/*!
    \qmltype Circle
    \inqmlmodule Zarno
    \inherits Fixture
    \instantiates Box2DCircle
    \brief A circular fixture.

    \c x and \c y are the top-left corner of the circle's bounding square, so a
    circle of radius 16 at (0, 0) fills a 32 x 32 item.

    \qml
    Body {
        bodyType: Body.Dynamic
        Circle { radius: 16; density: 1; restitution: 0.6 }
    }
    \endqml
*/

/*!
    \qmlproperty real Circle::x
    Left edge of the circle's bounding square relative to the body origin, in pixels.
*/
/*!
    \qmlproperty real Circle::y
    Top edge of the circle's bounding square relative to the body origin, in pixels.
*/
/*!
    \qmlproperty real Circle::radius
    Radius in pixels; negative values give no fixture.
*/

Box2DCircle::Box2DCircle(QObject *parent)
    : Box2DFixture(parent)
{
}

void Box2DCircle::setX(qreal x)
{
    if (x == m_x)
        return;
    m_x = x;
    recreateFixture();
    emit xChanged();
}

void Box2DCircle::setY(qreal y)
{
    if (y == m_y)
        return;
    m_y = y;
    recreateFixture();
    emit yChanged();
}

void Box2DCircle::setRadius(float radius)
{
    if (radius == m_radius)
        return;
    m_radius = radius;
    recreateFixture();
    emit radiusChanged();
}

std::unique_ptr<b2Shape> Box2DCircle::createShape()
{
    const float scale = pixelsPerMeter();
    const float radius = m_radius / scale;
    const b2Vec2 centre(float((m_x + m_radius) / scale), float(-(m_y + m_radius) / scale));
    if (!qIsFinite(radius) || radius < 0 || !centre.IsValid()) {
        qWarning("Circle: Invalid geometry: x %g y %g radius %g", m_x, m_y, double(m_radius));
        return nullptr;
    }
    auto shape = std::make_unique<b2CircleShape>();
    shape->m_radius = radius;
    shape->m_p = centre;
    return shape;
}
