import QtQuick 2.0
import Zarno 2.0

// Boxes and balls fall into a valley of chain ground; tap or click to drop more.
// A chain bridge spans the valley, a ragdoll tumbles down its side, bodies can
// be dragged with the mouse, and the button shows what the physics world holds.
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

        // The newest bodies stay; the oldest go beyond this many.
        property int maximumBodies: 60
        property var dropped: []

        function drop(x, y) {
            var kind = dropped.length % 2 === 0 ? crate : ball
            var size = 16 + Math.floor(Math.random() * 16)
            var item = kind.createObject(playground, { x: x - size / 2, y: y - size / 2, size: size })
            dropped.push(item)
            if (dropped.length > maximumBodies)
                dropped.shift().destroy()
            droppedChanged()
        }

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#1d3557"
        }

        World {
            id: world
            objectName: "world"
        }

        Item {
            id: playground
            anchors.fill: parent

            // The ground: a valley with walls, drawn and given to the physics alike.
            Item {
                id: ground
                objectName: "ground"
                property var points: [Qt.point(0, 0), Qt.point(0, 200), Qt.point(120, 260), Qt.point(240, 285),
                                      Qt.point(360, 260), Qt.point(480, 200), Qt.point(480, 0)]
                anchors.fill: parent

                Canvas {
                    anchors.fill: parent
                    onPaint: {
                        var context = getContext("2d")
                        context.fillStyle = "#2a9d8f"
                        context.beginPath()
                        context.moveTo(0, height)
                        for (var i = 0; i < ground.points.length; ++i)
                            context.lineTo(ground.points[i].x, ground.points[i].y)
                        context.lineTo(width, height)
                        context.closePath()
                        context.fill()
                    }
                }

                Body {
                    world: world
                    Chain { vertices: ground.points; friction: 0.6 }
                }
            }
        }

        Component {
            id: crate
            Rectangle {
                property real size: 24
                property alias body: crateBody
                width: size; height: size
                color: "#e9c46a"
                border.color: "#8a6d1f"
                Body {
                    id: crateBody
                    world: world
                    bodyType: Body.Dynamic
                    Box { width: size; height: size; density: 1; friction: 0.5; restitution: 0.2 }
                }
            }
        }

        Component {
            id: ball
            Rectangle {
                property real size: 24
                property alias body: ballBody
                width: size; height: size
                radius: size / 2
                color: "#e76f51"
                Body {
                    id: ballBody
                    world: world
                    bodyType: Body.Dynamic
                    angularDamping: 0.8                // balls roll to a stop in the valley
                    Circle { radius: size / 2; density: 1; friction: 0.3; restitution: 0.5 }
                }
            }
        }

        MouseArea {
            objectName: "dropArea"
            anchors.fill: parent
            onClicked: scene.drop(mouse.x, mouse.y)
        }

        // Right of where the first bodies drop, so that they settle in the valley.
        Bridge { objectName: "bridge"; world: world; startX: 362; startY: 110; plankCount: 6; plankWidth: 20 }

        Ragdoll { world: world; startX: 30; startY: 40 }

        // Above the drop area: presses beside every body fall through to it.
        BodyDragger { objectName: "dragger"; world: world; anchors.fill: parent }

        DebugDraw {
            id: debugDraw
            objectName: "debugDraw"
            world: world
            anchors.fill: parent
            opacity: 0.7
            visible: false
        }

        Rectangle {
            objectName: "debugToggle"
            x: 8; y: 8; width: 96; height: 22; radius: 4
            color: debugDraw.visible ? "#e76f51" : "#264653"
            Text {
                anchors.centerIn: parent
                color: "white"
                font.pixelSize: 12
                text: debugDraw.visible ? "Debug view: on" : "Debug view: off"
            }
            MouseArea { anchors.fill: parent; onClicked: debugDraw.visible = !debugDraw.visible }
        }

        // A few to start with, one every 15 steps of the world (a quarter of a second of
        // its time): counted in steps, the scene plays the same however fast the machine.
        Connections {
            target: world
            property int steps: 0
            function onStepped() {
                if (scene.dropped.length < 8 && ++steps % 15 === 0)
                    scene.drop(140 + scene.dropped.length * 28, 20)
            }
        }
    }
}
