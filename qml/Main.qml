import QtQuick 2.0
import Zarno 2.0
import "scenes"

GameWindow {
    id: mainWindow

    // The main item and the scenes reach the window by this name.
    property alias window: mainWindow

    // While the splash holds still, the main item's documents are compiled off this
    // thread, so that loading it later finds them ready.
    property Component mainItemCompiled

    // Pictures that creating the main item reads (its hidden scenes'), relative to
    // this document. Decoded in the background while the splash holds; the main
    // item then finds them in the image cache instead of reading them on the spot.
    readonly property var picturesReadOnCreation: [
        "img/misc/assistant.png", "img/misc/roulette.png", "img/misc/portal.png",
        "img/misc/cloud.png", "img/heroes/hero-6.png", "img/buttons/button-text.png",
        "img/misc/sign-0.png", "img/misc/sign-1.png", "img/misc/sign-2.png",
        "img/misc/coin.png", "img/misc/heart_on.png", "img/misc/heart_off.png",
        "img/misc/tantacle.png", "img/misc/heal.png", "img/misc/damage.png", "img/misc/neutral.png"
    ]

    width: 960
    height: 640
    // A colour of its own (the light grey of the desktop's window background) makes
    // the window clear to it, instead of drawing a background rectangle over the whole
    // window at every frame, behind scenes that cover it anyway.
    color: "#efefef"
    activeScene: splash

    Component.onCompleted: {
        splash.opacity = 1
        mainItemDelay.start()
        mainItemCompiled = Qt.createComponent("MainItem.qml", Component.Asynchronous)
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

    // The title screen's picture comes first, then the comic page's, both read as
    // the scenes read them: at the window's size, from the smallest file that has
    // its pixels. Everything here is let go once the main item holds its own copies.
    Item {
        visible: false

        MultiResolutionImage {
            id: titlePicture
            asynchronous: true
            drawnPixelSize: splash.windowPixelSize
            source: mainItemLoader.status === Loader.Ready || splash.windowPixelSize.width <= 0
                    ? "" : "../assets/img/misc/comix.png"
        }

        MultiResolutionImage {
            asynchronous: true
            drawnPixelSize: splash.windowPixelSize
            source: mainItemLoader.status === Loader.Ready || titlePicture.status !== Image.Ready
                    ? "" : "../assets/img/misc/background.png"
        }

        Repeater {
            model: mainItemLoader.status === Loader.Ready || titlePicture.status !== Image.Ready
                   ? [] : picturesReadOnCreation
            Image {
                asynchronous: true
                source: "../assets/" + modelData
            }
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
