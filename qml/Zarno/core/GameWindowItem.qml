import QtQuick 2.15
import QtQuick.Window 2.2

// The window's logic: active scene, settings, global keys, pause and resume.
Item {
    id: gameWindowItem

    property string scaleMode: "letterbox"
    property var activeScene
    property bool activeSceneFocusForcingEnabled: true
    property bool backButtonAutoAcceptGlobally: false
    property bool resolutionChangingWithKeysEnabled: system.desktopPlatform
    property bool shutdownAppWithEscapeKeyEnabled: system.desktopPlatform && !system.publishBuild
    property var targetForResolutionChanges
    property bool fullscreen: !system.desktopPlatform
    property bool maximized: false
    property bool displayFpsEnabled: false
    property alias displayFpsColor: fpsDisplay.color

    readonly property alias settings: settingsObject
    readonly property alias utils: utilsObject

    readonly property alias tablet: densityHelper.tablet
    readonly property alias portrait: densityHelper.portrait
    readonly property alias landscape: densityHelper.landscape
    readonly property alias widthInInches: densityHelper.widthInInches
    readonly property alias heightInInches: densityHelper.heightInInches
    readonly property alias diameterInInches: densityHelper.diameterInInches
    property alias uiScale: densityHelper.uiScale
    property alias spScale: densityHelper.spScale
    property alias dpScale: densityHelper.dpScale

    readonly property var resolutionMenuItems: [
        "1280 x 800 (Nexus 7, Galaxy Tab 4)",
        "1024 x 768 (iPad 1, iPad 2)",
        "1920 x 1080 (Nexus 5, Galaxy S5)",
        "1280 x 720 (HTC One Mini, Galaxy S3)",
        "1334 x 750 (iPhone 6/6S)",
        "1136 x 640 (iPhone 5/5S)",
        "480 x 320 (iPhone 3GS)",
        "960 x 640 (iPhone 4/4S)"
    ]

    property bool wasPausedBefore: false

    signal backButtonPressedGlobally(var event)
    signal keyPressedGlobally(var event)
    signal applicationPaused()
    signal applicationResumed()

    readonly property var __targetContent: targetForResolutionChanges ? (targetForResolutionChanges.contentItem ? targetForResolutionChanges.contentItem : targetForResolutionChanges) : null

    width: __targetContent ? __targetContent.width : 0
    height: __targetContent ? __targetContent.height : 0

    function dp(value) {
        return densityHelper.dp(value)
    }

    function sp(value) {
        return densityHelper.sp(value)
    }

    function pixelToInches(pixel) {
        return densityHelper.pixelToInches(pixel)
    }

    function physicalPixels(pixel) {
        return densityHelper.physicalPixels(pixel)
    }

    // Width and height of a preset entry, the bigger side first.
    function presetSize(entry) {
        var numbers = String(entry).match(/^(\d+) x (\d+)/)
        if (!numbers)
            return null
        var first = parseInt(numbers[1], 10)
        var second = parseInt(numbers[2], 10)
        return { big: Math.max(first, second), small: Math.min(first, second) }
    }

    // The preset laid out in the window's current orientation.
    function presetSizeInOrientation(entry) {
        var size = presetSize(entry)
        if (!size)
            return null
        return landscape ? { width: size.big, height: size.small } : { width: size.small, height: size.big }
    }

    function changeResolution(entry) {
        var target = targetForResolutionChanges
        var size = presetSizeInOrientation(entry)
        if (!target || !size)
            return
        maximized = false
        fullscreen = false
        console.debug("GameWindow: changing resolution to", size.width, "x", size.height)
        target.screenWidth = size.width
        target.screenHeight = size.height
    }

    onActiveSceneChanged: {
        if (activeScene && activeSceneFocusForcingEnabled && activeScene.forceActiveFocus)
            activeScene.forceActiveFocus()
    }

    onFullscreenChanged: {
        if (!system.desktopPlatform) {
            fullscreen = true
            return
        }
        var target = targetForResolutionChanges
        if (fullscreen) {
            maximized = false
            if (target)
                target.visibility = Window.FullScreen
        } else if (target && target.visibility === Window.FullScreen) {
            target.visibility = Window.AutomaticVisibility
        }
    }

    onMaximizedChanged: {
        if (!system.desktopPlatform) {
            maximized = false
            return
        }
        var target = targetForResolutionChanges
        if (maximized) {
            fullscreen = false
            if (target)
                target.visibility = Window.Maximized
        } else if (target && target.visibility === Window.Maximized) {
            target.visibility = Window.AutomaticVisibility
        }
    }

    Connections {
        target: gameWindowItem.targetForResolutionChanges
        ignoreUnknownSignals: true
        function onVisibilityChanged() {
            if (!system.desktopPlatform)
                return
            var visibility = gameWindowItem.targetForResolutionChanges.visibility
            gameWindowItem.fullscreen = visibility === Window.FullScreen
            gameWindowItem.maximized = visibility === Window.Maximized
        }
    }

    Connections {
        target: globalKeyForwarder
        ignoreUnknownSignals: true
        function onPressed(event) {
            if (event.key === Qt.Key_Escape && gameWindowItem.shutdownAppWithEscapeKeyEnabled) {
                console.log("GameWindow: Escape pressed, quit application")
                event.accepted = true
                Qt.quit()
            }
            if (event.key === Qt.Key_Back) {
                gameWindowItem.backButtonPressedGlobally(event)
                if (gameWindowItem.backButtonAutoAcceptGlobally)
                    event.accepted = true
            }
            gameWindowItem.keyPressedGlobally(event)
        }
    }

    Connections {
        target: Qt.application
        function onStateChanged() {
            var state = Qt.application.state
            if (state === Qt.ApplicationActive) {
                if (gameWindowItem.wasPausedBefore) {
                    gameWindowItem.wasPausedBefore = false
                    gameWindowItem.applicationResumed()
                }
            } else if ((system.desktopPlatform && state === Qt.ApplicationInactive)
                       || (!system.desktopPlatform && state === Qt.ApplicationSuspended)) {
                gameWindowItem.wasPausedBefore = true
                gameWindowItem.applicationPaused()
            }
        }
    }

    Settings {
        id: settingsObject
    }

    Utils {
        id: utilsObject
    }

    DensityHelper {
        id: densityHelper
    }

    FPSDisplay {
        id: fpsDisplay
        visible: gameWindowItem.displayFpsEnabled
    }
}
