import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype CircleCollider
    \inqmlmodule Zarno
    \inherits ColliderBase
    \brief A collider with one circle fixture.

    The circle's bounding square starts at the collider's position.

    \qml
    EntityBase {
        entityType: "ball"
        width: 32; height: 32
        CircleCollider { radius: 16; restitution: 0.8 }
    }
    \endqml
*/
ColliderBase {
    id: collider

    /*! The Circle fixture. */
    property alias fixture: circle
    /*! Radius of the circle in pixels. */
    property alias radius: circle.radius
    /*! The fixture's friction. */
    property alias friction: circle.friction
    /*! The fixture's restitution. */
    property alias restitution: circle.restitution
    /*! The fixture's density, mass per square pixel. */
    property alias density: circle.density
    /*! Whether the fixture is a sensor; follows collisionTestingOnlyMode. */
    property alias sensor: circle.sensor
    /*! The fixture's collision categories. */
    property alias categories: circle.categories
    /*! The categories the fixture collides with. */
    property alias collidesWith: circle.collidesWith
    /*! The fixture's collision group. */
    property alias groupIndex: circle.groupIndex

    objectName: "circleCollider"
    colliderType: "circle"

    fixtures: [
        Circle {
            id: circle
            x: collider.x
            y: collider.y
            sensor: collider.collisionTestingOnlyMode
        }
    ]
}
