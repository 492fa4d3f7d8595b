import QtQuick 2.0
import Zarno 2.0

// The smallest game: a coin bouncing across a 480 x 320 scene that scales to the window.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        width: 480
        height: 320

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#1d3557"
        }

        MultiResolutionImage {
            id: coin
            objectName: "coin"
            source: "../../assets/img/misc/coin.png"   // +hd/+hd2 picked by screen density
            y: 120
        }

        MovementAnimation {                           // stepped by the frame scheduler
            objectName: "movement"
            target: coin
            property: "x"
            velocity: 240
            running: true
            minPropertyValue: 0
            maxPropertyValue: scene.width - coin.width
            onLimitReached: velocity = -velocity
        }
    }
}
