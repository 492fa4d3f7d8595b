#include "box2dbox.h"

#include "box2dworld.h"

#include <QtMath>

/*!
    \qmltype Box
    \inqmlmodule Zarno
    \inherits Fixture
    \instantiates Box2DBox
    \brief A rectangular fixture.

    \qml
    Body {
        bodyType: Body.Dynamic
        Box { width: 64; height: 16; rotation: 30; density: 1 }
    }
    \endqml
*/

/*!
    \qmlproperty real Box::x
    Left edge relative to the body origin, in pixels; with \c y, \c width and
    \c height the rectangle before \c rotation. Sides below 0.01 m count as 0.01 m.
*/
/*!
    \qmlproperty real Box::y
    Top edge relative to the body origin, in pixels.
*/
/*!
    \qmlproperty real Box::width
    Width in pixels.
*/
/*!
    \qmlproperty real Box::height
    Height in pixels.
*/
/*!
    \qmlproperty real Box::rotation
    Clockwise degrees about the box's own centre.
*/

Box2DBox::Box2DBox(QObject *parent)
    : Box2DFixture(parent)
{
}

void Box2DBox::setGeometry(qreal &field, qreal value, void (Box2DBox::*changed)())
{
    if (value == field)
        return;
    field = value;
    recreateFixture();
    emit (this->*changed)();
}

void Box2DBox::setX(qreal x) { setGeometry(m_x, x, &Box2DBox::xChanged); }
void Box2DBox::setY(qreal y) { setGeometry(m_y, y, &Box2DBox::yChanged); }
void Box2DBox::setWidth(qreal width) { setGeometry(m_width, width, &Box2DBox::widthChanged); }
void Box2DBox::setHeight(qreal height) { setGeometry(m_height, height, &Box2DBox::heightChanged); }
void Box2DBox::setRotation(qreal rotation) { setGeometry(m_rotation, rotation, &Box2DBox::rotationChanged); }

std::unique_ptr<b2Shape> Box2DBox::createShape()
{
    const float scale = pixelsPerMeter();
    const float halfWidth = qMax(float(m_width / 2 / scale), 0.005f);
    const float halfHeight = qMax(float(m_height / 2 / scale), 0.005f);
    const b2Vec2 centre(float((m_x + m_width / 2) / scale), float(-(m_y + m_height / 2) / scale));
    const float angle = toBox2DAngle(m_rotation);
    if (!qIsFinite(halfWidth) || !qIsFinite(halfHeight) || !centre.IsValid() || !qIsFinite(angle)) {
        qWarning("Box: Invalid geometry: x %g y %g width %g height %g rotation %g", m_x, m_y, m_width, m_height, m_rotation);
        return nullptr;
    }
    auto shape = std::make_unique<b2PolygonShape>();
    shape->SetAsBox(halfWidth, halfHeight, centre, angle);
    return shape;
}
