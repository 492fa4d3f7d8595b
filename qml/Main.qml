import QtQuick 2.0
import Zarno 2.0
import "scenes"

GameWindow {
    id: mainWindow

    // The main item and the scenes reach the window by this name.
    property alias window: mainWindow

    width: 960
    height: 640
    activeScene: splash

    Component.onCompleted: {
        splash.opacity = 1
        mainItemDelay.start()
    }

    // Creating the main item takes a while; the splash paints first.
    Timer {
        id: mainItemDelay
        interval: 500
        onTriggered: mainItemLoader.source = "MainItem.qml"
    }

    Loader {
        id: mainItemLoader
        onLoaded: {
            if (item)
                hideSplashDelay.start()
        }
    }

    // Gives the title screen a moment to draw its first frame under the splash.
    Timer {
        id: hideSplashDelay
        interval: 200
        onTriggered: splash.opacity = 0
    }

    // Declared after the loader so that it covers the main item until hidden.
    SplashScene {
        id: splash
        objectName: "splash"
    }
}
