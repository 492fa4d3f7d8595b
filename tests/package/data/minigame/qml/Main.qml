import QtQuick 2.0
import Zarno 2.0

// Reports what it loaded from its own resources, then quits.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene

        Image {
            id: dot
            source: "../assets/img/dot.xpm"
        }
    }

    Timer {
        interval: 200
        running: true
        onTriggered: {
            console.log("minigame|" + system.getConfigValue("title") + "|" + dot.status + "|" + dot.sourceSize.width)
            Qt.quit()
        }
    }
}
