import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype PolygonCollider
    \inqmlmodule Zarno
    \inherits ColliderBase
    \brief A collider with one convex polygon fixture.

    \qml
    EntityBase {
        entityType: "ramp"
        PolygonCollider {
            bodyType: Body.Static
            vertices: [Qt.point(0, 40), Qt.point(80, 0), Qt.point(80, 40)]
        }
    }
    \endqml
*/
ColliderBase {
    id: collider

    /*! The Polygon fixture. */
    property alias fixture: polygon
    /*! The polygon's vertices in the entity's pixels (3 to 8 points). */
    property alias vertices: polygon.vertices
    /*! The fixture's friction. */
    property alias friction: polygon.friction
    /*! The fixture's restitution. */
    property alias restitution: polygon.restitution
    /*! The fixture's density, mass per square pixel. */
    property alias density: polygon.density
    /*! Whether the fixture is a sensor; follows collisionTestingOnlyMode. */
    property alias sensor: polygon.sensor
    /*! The fixture's collision categories. */
    property alias categories: polygon.categories
    /*! The categories the fixture collides with. */
    property alias collidesWith: polygon.collidesWith
    /*! The fixture's collision group. */
    property alias groupIndex: polygon.groupIndex

    objectName: "PolygonCollider"
    colliderType: "polygon"

    fixtures: [
        Polygon {
            id: polygon
            sensor: collider.collisionTestingOnlyMode
        }
    ]
}
