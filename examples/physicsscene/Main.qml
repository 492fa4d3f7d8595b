import QtQuick 2.0
import Zarno 2.0

// Loads scene.json, a physics scene written by make-scene.py beside this file:
// a windmill turned by a joint motor, a seesaw with limited swing, a kinematic
// paddle, crates made from entities/Crate.qml and bouncing balls. Click to reload.
GameWindow {
    id: gameWindow
    // The world steps by its fixed time step: on a machine that drops frames the physics
    // runs slower rather than in coarser steps, in which bodies may pass through thin ground.
    Component.onCompleted: zarnoScheduler.schedulingMethod = ZarnoScheduler.Accumulated
    activeScene: scene

    Scene {
        id: scene
        objectName: "scene"
        width: 480
        height: 320

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            gradient: Gradient {
                GradientStop { position: 0; color: "#8ecae6" }
                GradientStop { position: 1; color: "#dff3fb" }
            }
        }

        World { id: world; objectName: "world" }

        // Scene files have y up: the level's origin is the scene's bottom-left corner.
        Item {
            id: level
            objectName: "level"
            y: scene.height
        }

        RubeParser {
            id: parser
            objectName: "parser"
            entitiesFolder: Qt.resolvedUrl("entities/")
            function reload() {
                for (var i = 0; i < joints.length; ++i)
                    joints[i].destroy()
                joints = []
                clearLevel()
                setupLevelFromJSON(Qt.resolvedUrl("scene.json"), world, level)
            }
            Component.onCompleted: reload()
        }

        MouseArea {
            anchors.fill: parent
            onClicked: parser.reload()
        }
    }
}
