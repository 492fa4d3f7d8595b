import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Window 2.2
import QtQml.Models 2.2

// The game's top-level window; the logic lives in the inner GameWindowItem.
ApplicationWindow {
    id: window

    property real screenWidth: contentItem.width
    property real screenHeight: contentItem.height
    property bool isCompleted: false

    readonly property alias gameWindow: gameWindowItem
    property alias state: gameWindowItem.state
    property alias states: gameWindowItem.states
    readonly property alias settings: gameWindowItem.settings
    readonly property alias utils: gameWindowItem.utils

    property alias scaleMode: gameWindowItem.scaleMode
    property alias activeScene: gameWindowItem.activeScene
    property alias backButtonAutoAcceptGlobally: gameWindowItem.backButtonAutoAcceptGlobally
    property alias resolutionChangingWithKeysEnabled: gameWindowItem.resolutionChangingWithKeysEnabled
    property alias shutdownAppWithEscapeKeyEnabled: gameWindowItem.shutdownAppWithEscapeKeyEnabled
    property alias displayFpsEnabled: gameWindowItem.displayFpsEnabled
    property alias displayFpsColor: gameWindowItem.displayFpsColor
    property alias fullscreen: gameWindowItem.fullscreen
    property alias maximized: gameWindowItem.maximized

    readonly property alias tablet: gameWindowItem.tablet
    readonly property alias portrait: gameWindowItem.portrait
    readonly property alias landscape: gameWindowItem.landscape
    readonly property alias widthInInches: gameWindowItem.widthInInches
    readonly property alias heightInInches: gameWindowItem.heightInInches
    readonly property alias diameterInInches: gameWindowItem.diameterInInches
    property alias uiScale: gameWindowItem.uiScale
    property alias spScale: gameWindowItem.spScale
    property alias dpScale: gameWindowItem.dpScale

    property bool menuBarZarnoEnabled: system.desktopPlatform && !system.publishBuild

    signal backButtonPressedGlobally()
    signal keyPressedGlobally(var event)
    signal applicationPaused()
    signal applicationResumed()

    title: system.getConfigValue("title")
    contentItem.implicitWidth: 960
    contentItem.implicitHeight: 640
    minimumWidth: 5
    minimumHeight: 5
    visible: true
    menuBar: menuBarLoader.item

    function dp(value) {
        return gameWindowItem.dp(value)
    }

    function sp(value) {
        return gameWindowItem.sp(value)
    }

    function pixelToInches(pixel) {
        return gameWindowItem.pixelToInches(pixel)
    }

    function physicalPixels(pixel) {
        return gameWindowItem.physicalPixels(pixel)
    }

    function __rebindScreenSize() {
        screenWidth = Qt.binding(function() { return contentItem.width })
        screenHeight = Qt.binding(function() { return contentItem.height })
    }

    // An assignment to screenWidth/screenHeight breaks their binding; turn it into a window size.
    function __applyScreenSize() {
        var requestedWidth = screenWidth
        var requestedHeight = screenHeight
        if (requestedWidth === contentItem.width && requestedHeight === contentItem.height)
            return
        if (!isCompleted) {
            contentItem.implicitWidth = requestedWidth
            contentItem.implicitHeight = requestedHeight
        } else if (system.desktopPlatform) {
            var frameWidth = width - contentItem.width
            var frameHeight = height - contentItem.height
            width = requestedWidth + frameWidth
            height = requestedHeight + frameHeight
        } else {
            console.debug("Changing the screen size is only possible on desktop platforms.")
        }
        __rebindScreenSize()
    }

    onScreenWidthChanged: if (screenWidth !== contentItem.width) __applyScreenSize()
    onScreenHeightChanged: if (screenHeight !== contentItem.height) __applyScreenSize()
    onColorChanged: nativeUtils.setWindowColor(color)

    Component.onCompleted: {
        __applyScreenSize()
        isCompleted = true
        nativeUtils.setWindowColor(color)
    }

    GameWindowItem {
        id: gameWindowItem
        targetForResolutionChanges: window
        onBackButtonPressedGlobally: window.backButtonPressedGlobally()
        onKeyPressedGlobally: window.keyPressedGlobally(event)
        onApplicationPaused: window.applicationPaused()
        onApplicationResumed: window.applicationResumed()
    }

    // Only development builds on desktops get a menu bar, created the first time it is wanted.
    Loader {
        id: menuBarLoader
        active: window.menuBarZarnoEnabled
        sourceComponent: MenuBar {
            Menu {
                title: "File"
                visible: !window.fullscreen && Qt.platform.os !== "osx"
                MenuItem {
                    text: "Quit"
                    shortcut: window.shutdownAppWithEscapeKeyEnabled ? "Esc" : ""
                    onTriggered: Qt.quit()
                }
            }
            Menu {
                title: "Resolution"
                visible: !window.fullscreen || Qt.platform.os !== "windows"

                MenuItem {
                    text: "Fullscreen"
                    checkable: true
                    checked: window.fullscreen
                    shortcut: "Ctrl+F"
                    onTriggered: window.fullscreen = checked
                }
                MenuItem {
                    text: "Maximize"
                    checkable: true
                    checked: window.maximized
                    enabled: !window.fullscreen
                    shortcut: "Ctrl+M"
                    onTriggered: window.maximized = checked
                }
            }
        }
    }

    // Preset entries are put at the top of the resolution menu one by one; a menu would
    // place the objects of an Instantiator among its own children itself, in list order.
    Instantiator {
        model: menuBarLoader.item ? gameWindowItem.resolutionMenuItems : 0
        onObjectAdded: menuBarLoader.item.menus[1].insertItem(0, object)
        onObjectRemoved: {
            if (menuBarLoader.item)
                menuBarLoader.item.menus[1].removeItem(object)
        }
        delegate: MenuItem {
            readonly property var size: gameWindowItem.presetSizeInOrientation(modelData)
            text: modelData
            checkable: true
            shortcut: window.resolutionChangingWithKeysEnabled ? "Ctrl+" + (8 - index) : ""
            enabled: !window.maximized && !window.fullscreen && size !== null
                     && size.width <= Screen.desktopAvailableWidth && size.height <= Screen.desktopAvailableHeight
            checked: size !== null
                     && ((window.screenWidth === size.width && window.screenHeight === size.height)
                         || (window.screenWidth === size.height && window.screenHeight === size.width))
            onTriggered: gameWindowItem.changeResolution(modelData)
        }
    }
}
