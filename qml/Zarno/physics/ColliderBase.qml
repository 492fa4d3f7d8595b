import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype ColliderBase
    \inqmlmodule Zarno
    \brief Base of the colliders: gives its entity a dynamic body.

    The body's target is the owning entity, so the entity moves with the body.
    The body is active only while the entity's \c collidersActive and the
    collider's \l active are both true. Use BoxCollider, CircleCollider or
    PolygonCollider.

    \qml
    EntityBase {
        width: 40; height: 20
        BoxCollider { id: collider; density: 0.01 }
        Component.onCompleted: collider.applyLinearImpulse(Qt.point(50, 0), collider.body.getWorldCenter())
    }
    \endqml
*/
ComponentBase {
    id: collider

    /*! The Body that carries the fixture. */
    property alias body: body
    /*! Whether the body takes part in the simulation; follows the entity's collidersActive. */
    property bool active: owningEntity && owningEntity.collidersActive !== undefined ? owningEntity.collidersActive : true
    /*! "box", "circle" or "polygon", set by the subtype. */
    property string colliderType
    /*! The body's fixtures. */
    property alias fixtures: body.fixtures
    /*! When true the fixture only reports contacts (a sensor) and the body never sleeps. */
    property alias collisionTestingOnlyMode: body.collisionTestingOnlyMode
    /*! The body's linear damping. */
    property alias linearDamping: body.linearDamping
    /*! The body's angular damping. */
    property alias angularDamping: body.angularDamping
    /*! The body's linear velocity in pixels per second. */
    property alias linearVelocity: body.linearVelocity
    /*! The body's angular velocity in degrees per second. */
    property alias angularVelocity: body.angularVelocity
    /*! Whether the body never turns. */
    property alias fixedRotation: body.fixedRotation
    /*! Whether the body is simulated as a fast bullet. */
    property alias bullet: body.bullet
    /*! The body's type, Body.Dynamic by default. */
    property alias bodyType: body.bodyType
    /*! Whether the body may fall asleep when it rests. */
    property alias sleepingAllowed: body.sleepingAllowed
    /*! A force in body coordinates applied at every step. */
    property alias force: body.force
    /*! A torque applied at every step. */
    property alias torque: body.torque
    /*! Scale of the world's gravity for this body. */
    property alias gravityScale: body.gravityScale
    /*! The body's awake flag (the same value, not its negation). */
    property alias sleeping: body.awake

    /*! Applies \a impulseVector at \a worldPoint, both in pixels. */
    function applyLinearImpulse(impulseVector, worldPoint) {
        body.applyLinearImpulse(impulseVector, worldPoint)
    }

    width: owningEntity ? owningEntity.width : 0
    height: owningEntity ? owningEntity.height : 0

    Body {
        id: body
        bodyType: Body.Dynamic
        target: collider.owningEntity
        active: collider.active && (!collider.owningEntity || collider.owningEntity.collidersActive !== false)
        sleepingAllowed: !collisionTestingOnlyMode
    }
}
