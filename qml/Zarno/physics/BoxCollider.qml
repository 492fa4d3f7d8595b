import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype BoxCollider
    \inqmlmodule Zarno
    \inherits ColliderBase
    \brief A collider with one box fixture the size of its entity.

    \qml
    EntityBase {
        entityType: "crate"
        width: 40; height: 20
        BoxCollider { density: 0.001; friction: 0.4 }
    }
    \endqml
*/
ColliderBase {
    id: collider

    /*! The Box fixture. */
    property alias fixture: box
    /*! The fixture's friction. */
    property alias friction: box.friction
    /*! The fixture's restitution. */
    property alias restitution: box.restitution
    /*! The fixture's density, mass per square pixel. */
    property alias density: box.density
    /*! Whether the fixture is a sensor; follows collisionTestingOnlyMode. */
    property alias sensor: box.sensor
    /*! The fixture's collision categories. */
    property alias categories: box.categories
    /*! The categories the fixture collides with. */
    property alias collidesWith: box.collidesWith
    /*! The fixture's collision group. */
    property alias groupIndex: box.groupIndex

    objectName: "boxCollider"
    colliderType: "box"

    fixtures: [
        Box {
            id: box
            x: collider.x
            y: collider.y
            width: collider.width
            height: collider.height
            sensor: collider.collisionTestingOnlyMode
        }
    ]
}
