import QtQuick 2.0
import Zarno 2.0
import "common"
import "scenes"
import "logic"

Item {
    id: mainItem

    property alias audioManager: audioManager
    property alias customFont: customFont

    state: "menu"

    // Resets the game scene and shows it. A run always starts fresh from the wait
    // screen, so coming back from the title screen never finds a stopped scene.
    function play(collection) {
        gameScene.newRun()
        mainItem.state = "game"
    }

    FontLoader {
        id: customFont
        source: "../assets/font/ariblk.ttf"
    }

    BackgroundMusic {
        source: "../assets/music/background.mp3"
        muted: !settings.musicEnabled
        // Starts once the stored settings are known, and only if music is enabled.
        autoPlay: true
    }

    // The audio looks this object up by name; the id here is found before the window's own.
    Settings {
        id: settings
        objectName: "settings"
    }

    AudioManager {
        id: audioManager
    }

    GameScene {
        id: gameScene
        objectName: "gameScene"
        onBackButtonPressed: {
            gameScene.stopGame()
            mainItem.state = "menu"
        }
    }

    MenuScene {
        id: menuScene
        objectName: "menuScene"
        onPlayPressed: mainItem.state = "comix"
    }

    ComixScene {
        id: comixScene
        objectName: "comixScene"
        onPlayPressed: mainItem.play()
        onBackButtonPressed: mainItem.state = "menu"
    }

    states: [
        State {
            name: "menu"
            PropertyChanges { target: menuScene; opacity: 1 }
            PropertyChanges { target: window; activeScene: menuScene }
        },
        State {
            name: "comix"
            PropertyChanges { target: comixScene; opacity: 1 }
            PropertyChanges { target: window; activeScene: comixScene }
        },
        State {
            name: "game"
            PropertyChanges { target: gameScene; opacity: 1 }
            PropertyChanges { target: window; activeScene: gameScene }
        }
    ]
}
