import QtQuick 2.0
import Zarno 2.0

// A three-reel slot machine with symbols drawn as polygons, a typewriter line
// that tells the result, and a little ship that steers to a flag.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        width: 480
        height: 320

        // Symbol name -> how often it stands on a reel, its colour and its shape.
        readonly property var symbols: ({
            "cherry": { frequency: 3, data: { color: "#e63946", points: 20, inner: 1 } },
            "lemon": { frequency: 3, data: { color: "#ffd166", points: 3, inner: 1 } },
            "gem": { frequency: 2, data: { color: "#06d6a0", points: 4, inner: 1 } },
            "star": { frequency: 2, data: { color: "#a06cd5", points: 5, inner: 0.45 } },
            "seven": { frequency: 1, data: { color: "#118ab2", points: 7, inner: 0.6 } }
        })

        // Corners of a regular polygon, or of a star when the inner radius is smaller.
        function shape(data, radius) {
            var corners = data.inner < 1 ? data.points * 2 : data.points
            var list = []
            for (var i = 0; i < corners; ++i) {
                var r = data.inner < 1 && i % 2 === 1 ? radius * data.inner : radius
                var angle = -Math.PI / 2 + i * 2 * Math.PI / corners
                list.push(Qt.point(r * Math.cos(angle), r * Math.sin(angle)))
            }
            return list
        }

        // Positions that put a seven in the middle row of every reel.
        function luckyPositions() {
            var positions = []
            for (var k = 0; k < slotMachine.reelCount; ++k) {
                var model = slotMachine.getModel(k)
                for (var i = 0; i < model.length; ++i) {
                    if (model[i].type === "seven")
                        positions.push(i - 1)
                }
            }
            return positions
        }

        // A moved target item is still the same target: reset() lets the ship arrive anew.
        function moveFlag(x, y) {
            flag.x = x
            flag.y = y
            steering.reset()
        }

        function spin(lucky) {
            if (slotMachine.spinning)
                return
            writer.textSource = lucky ? "Feeling lucky..." : "Spinning..."
            writer.start()
            slotMachine.spin(lucky ? 0 : 1200)
            if (lucky)
                luckyTimer.start()
        }

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#1d3557"
        }

        Rectangle {
            x: slotMachine.x - 8
            y: slotMachine.y - 8
            width: slotMachine.width + 16
            height: slotMachine.height + 16
            radius: 8
            color: "#457b9d"
        }

        SlotMachine {
            id: slotMachine
            objectName: "slotMachine"
            x: 30
            y: 50
            reelCount: 3
            rowCount: 3
            defaultItemHeight: 60
            defaultReelWidth: 70
            spinVelocity: 1400
            reelStopDelay: 300
            model: SlotMachineModel { symbols: scene.symbols }
            delegate: Rectangle {
                color: "#fdf6e3"
                border.color: "#a8dadc"
                PolygonItem {
                    x: parent.width / 2
                    y: parent.height / 2
                    vertices: scene.shape(modelData.data, 22)
                    color: modelData.data.color
                    fill: true
                }
            }

            onSpinEnded: {
                var first = getItemData(0, 1).type
                var same = getItemData(1, 1).type === first && getItemData(2, 1).type === first
                writer.textSource = same ? "Three of a kind: " + first + "!" : "No luck - spin again."
                writer.start()
                scene.moveFlag(300 + Math.random() * 150, 40 + Math.random() * 240)
            }
        }

        // The pay line across the middle row.
        LineItem {
            x: slotMachine.x - 6
            y: slotMachine.y + slotMachine.height / 2
            points: [Qt.point(0, 0), Qt.point(slotMachine.width + 12, 0)]
            lineWidth: 3
            color: "#e63946"
            rounded: true
            opacity: 0.8
        }

        Timer {
            id: luckyTimer
            interval: 900
            onTriggered: slotMachine.stopAt(scene.luckyPositions())
        }

        TypeWriterItem {
            id: writer
            objectName: "writer"
            // Given at completion: the typewriter's timer exists only from then on.
            Component.onCompleted: {
                typeDelay = 45
                textSource = "Press SPIN, or LUCKY for sevens."
                start()
            }
        }

        Text {
            objectName: "message"
            x: 30
            y: 20
            color: "white"
            font.pixelSize: 16
            text: writer.typeWriterText
        }

        Repeater {
            model: [{ label: "SPIN", lucky: false, y: 240 }, { label: "LUCKY", lucky: true, y: 278 }]
            delegate: Rectangle {
                objectName: "button" + modelData.label
                x: 30
                y: modelData.y
                width: 90
                height: 32
                radius: 6
                color: slotMachine.spinning ? "#6c757d" : "#f4a261"
                Text {
                    anchors.centerIn: parent
                    text: modelData.label
                    font.bold: true
                    color: "#1d3557"
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: scene.spin(modelData.lucky)
                }
            }
        }

        // The flag the ship steers to; a click on the right side moves it.
        MouseArea {
            x: 260
            width: 220
            height: 320
            onClicked: scene.moveFlag(mouse.x + x, mouse.y)
        }

        Item {
            id: flag
            objectName: "flag"
            x: 420
            y: 260
            PolygonItem {
                vertices: [Qt.point(0, -24), Qt.point(16, -18), Qt.point(0, -12)]
                color: "#ffd166"
                fill: true
            }
            LineItem {
                points: [Qt.point(0, 0), Qt.point(0, -24)]
                lineWidth: 2
                color: "white"
            }
        }

        Item {
            id: ship
            objectName: "ship"
            x: 320
            y: 80

            PolygonItem {
                vertices: [Qt.point(14, 0), Qt.point(-10, -9), Qt.point(-5, 0), Qt.point(-10, 9)]
                color: "#a8dadc"
                fill: true
            }

            MoveToPointHelper {
                id: steering
                objectName: "steering"
                targetObject: flag
                allowSteerBackward: false
                stopForwardMovementAtDifferentDirections: true
                rotationThreshold: 4
            }

            // Slower the further it has to turn: it never circles round the flag.
            readonly property real speed: 110 * steering.outputYAxis
                                          * Math.max(0.1, Math.cos(steering.absoluteRotationDifference * Math.PI / 180))
            readonly property real heading: rotation * Math.PI / 180

            MovementAnimation {
                target: ship
                property: "rotation"
                running: true
                velocity: 240 * steering.outputXAxis
            }
            MovementAnimation {
                target: ship
                property: "x"
                running: true
                velocity: ship.speed * Math.cos(ship.heading)
            }
            MovementAnimation {
                target: ship
                property: "y"
                running: true
                velocity: ship.speed * Math.sin(ship.heading)
            }
        }
    }
}
