import QtQuick 2.0
import Zarno 2.0

// A game window holding one 1920 x 1280 scene, as the game lays them out.
GameWindow {
    id: testWindow

    property alias scene: gameScene

    width: 960
    height: 640
    color: "blue"
    activeScene: gameScene

    Scene {
        id: gameScene
        width: 1920
        height: 1280

        Rectangle {
            anchors.fill: parent
            color: "red"
        }
    }
}
