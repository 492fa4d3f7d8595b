import QtQuick 2.0
import Zarno 2.0

// A generated character on a skeleton: it idles; a tap makes it walk or stop.
// Every landing foot raises a "step" event.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        width: 480
        height: 320

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#f1e3c6"
        }
        Rectangle {
            x: 0; y: 270; width: scene.width; height: 50
            color: "#8fb573"
        }

        Item {                                        // where the skeleton's origin (its feet) stands
            x: 240
            y: 280

            SkeletonAnimationFbo {
                id: hero
                objectName: "hero"
                skeletonDataFile: Qt.resolvedUrl("character/hero.json")
                atlasFile: Qt.resolvedUrl("character/hero.atlas")
                property int steps: 0
                property string lastFoot: ""
                property bool walking: false

                onWalkingChanged: setAnimation(0, walking ? "walk" : "idle", true)

                Component.onCompleted: {
                    setMix("idle", "walk", 0.2)
                    setMix("walk", "idle", 0.3)
                    setAnimation(0, "idle", true)
                }
                onSkeletonEvent: {
                    steps++
                    lastFoot = event.stringValue
                }
            }
        }

        EveryFrame {                                  // advance the skeleton once per drawn frame
            onUpdate: hero.updateSkeletonAnimation()
        }

        MouseArea {
            anchors.fill: parent
            onClicked: hero.walking = !hero.walking
        }

        Text {
            x: 12; y: 12
            text: "steps: " + hero.steps + (hero.lastFoot ? " (" + hero.lastFoot + ")" : "")
            font.pixelSize: 16
        }
    }
}
