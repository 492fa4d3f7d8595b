import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype PhysicsWorld
    \inqmlmodule Zarno
    \brief A physics World with game-friendly defaults and a debug view.

    No gravity unless the game sets one, 30 steps a second, the size of its
    parent, and a half-transparent DebugDraw shown in debug builds.

    \qml
    Scene {
        PhysicsWorld { id: physicsWorld; gravity.y: 9.81 }
        EntityBase {
            width: 32; height: 32
            BoxCollider { }
        }
    }
    \endqml
*/
World {
    id: world

    /*! Number of physics steps a second; the world's timeStep follows it. */
    property int updatesPerSecondForPhysics: 30
    /*! The DebugDraw that shows this world. */
    property alias debugDraw: debugDraw
    /*! Whether the debug view is shown; true in debug builds. */
    property alias debugDrawVisible: debugDraw.visible

    gravity.y: 0
    timeStep: 1 / updatesPerSecondForPhysics
    width: parent ? parent.width : 0
    height: parent ? parent.height : 0
    z: 1

    DebugDraw {
        id: debugDraw
        world: world
        anchors.fill: parent
        opacity: 0.5
        visible: system.debugBuild
    }
}
