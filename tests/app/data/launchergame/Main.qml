import QtQuick 2.0
import Zarno 2.0
import "parts"

// A game for the launcher's test: the background colour comes from parts/Box.qml (the
// file the test edits), the square from img/ in the density the screen warrants, the
// note from a file named relative to the game's folder.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        width: 480
        height: 320

        Box {
            id: box
            anchors.fill: scene.gameWindowAnchorItem
        }

        MultiResolutionImage {
            id: square
            source: "img/square.png"
            x: 200
            y: 120
        }
    }

    // Tells the test where to look once the first frames are drawn.
    Timer {
        interval: 300
        running: true
        onTriggered: {
            var b = box.mapToGlobal(20, 20)
            var s = square.mapToGlobal(square.width / 2, square.height / 2)
            console.log("ready|" + Math.round(b.x) + "|" + Math.round(b.y) + "|" + Math.round(s.x) + "|" + Math.round(s.y)
                        + "|" + square.width + "|" + system.getConfigValue("title") + "|" + fileUtils.readFile("notes.txt").trim()
                        + "|" + gameWindow.x + "," + gameWindow.y + "," + gameWindow.width + "," + gameWindow.height)
        }
    }
}
