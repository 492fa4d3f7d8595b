import QtQuick 2.0
import Zarno 2.0
import "FixtureCommons.js" as FixtureCommons

/*!
    \qmltype RubeBody
    \inqmlmodule Zarno
    \brief The entity that RubeParser makes for a body of a physics scene file.

    The item stands at the body's position; its \l body holds the fixtures.
    A scene body whose custom property "qmlType" names a document (in the
    parser's \c entitiesFolder) is made from that document instead; such a
    document is a RubeBody with more content.

    \qml
    // entities/Crate.qml
    RubeBody {
        onInitialized: console.log(objectName, "weighs", body.getMass())
        onBeginContact: console.log("hit by", other)
    }
    \endqml
*/
EntityBase {
    id: rubeBody
    entityType: "rubeBody"

    /*! The physics body. */
    readonly property alias body: physicsBody
    /*! Whether the body takes part in the simulation. */
    property alias active: physicsBody.active
    /*! Damping of the rotation. */
    property alias angularDamping: physicsBody.angularDamping
    /*! Rotation speed in degrees per second, clockwise. */
    property alias angularVelocity: physicsBody.angularVelocity
    /*! Body.Static, Body.Kinematic or Body.Dynamic. */
    property alias bodyType: physicsBody.bodyType
    /*! Continuous collision for fast bodies. */
    property alias bullet: physicsBody.bullet
    /*! Contacts are reported without a collision response. */
    property alias collisionTestingOnlyMode: physicsBody.collisionTestingOnlyMode
    /*! The body never turns. */
    property alias fixedRotation: physicsBody.fixedRotation
    /*! The fixtures of the body. */
    readonly property alias fixtures: physicsBody.fixtures
    /*! Force applied at every step. */
    property alias force: physicsBody.force
    /*! Share of the world's gravity acting on the body. */
    property alias gravityScale: physicsBody.gravityScale
    /*! Damping of the movement. */
    property alias linearDamping: physicsBody.linearDamping
    /*! Velocity in pixels per second, y down. */
    property alias linearVelocity: physicsBody.linearVelocity
    /*! Whether the body sleeps; false wakes it. */
    property bool sleeping: false
    /*! Whether the body may fall asleep. */
    property alias sleepingAllowed: physicsBody.sleepingAllowed
    /*! Torque applied at every step. */
    property alias torque: physicsBody.torque
    /*! The custom properties of the scene body, by name. */
    property var customProperties: ({})
    /*! The world the body lives in. */
    property alias world: physicsBody.world

    /*! Emitted with the scene body's JSON object and the world after the parser has applied it. */
    signal internalInit(var bodyJSON, var world)
    /*! Emitted when all fixtures of the body are made. */
    signal fixturesFinished()
    /*! Emitted when the whole scene is built. */
    signal initialized()
    /*! Emitted when a fixture of the body starts touching \c other. */
    signal beginContact(var other, point contactNormal)
    /*! Emitted while a fixture of the body keeps touching \c other. */
    signal contactChanged(var other)
    /*! Emitted when a fixture of the body stops touching \c other. */
    signal endContact(var other)

    /*! Applies \a impulse (pixels, y down) at \a point of the world. */
    function applyLinearImpulse(impulse, point) {
        physicsBody.applyLinearImpulse(impulse, point)
    }

    onFixturesFinished: {
        physicsBody.resetMassData()
        for (var i = 0; i < physicsBody.fixtures.length; ++i)
            FixtureCommons.forwardContacts(rubeBody, physicsBody.fixtures[i])
    }

    Body {
        id: physicsBody
        target: rubeBody
        awake: !rubeBody.sleeping
    }
}
