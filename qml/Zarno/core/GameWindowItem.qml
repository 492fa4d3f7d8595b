import QtQuick 2.15
import QtQuick.Window 2.2

/*!
    \qmltype GameWindowItem
    \inqmlmodule Zarno
    \brief The logic of the game window as a plain item: active scene, settings, keys, pause.

    GameWindow holds one and passes its members on; use it directly only to give
    another window the same logic (set \l targetForResolutionChanges to it).

    \qml
    Window {
        id: win
        property real screenWidth: width
        property real screenHeight: height
        GameWindowItem {
            id: gameWindow
            targetForResolutionChanges: win
            activeScene: scene
            Scene { id: scene }
        }
    }
    \endqml
*/
Item {
    id: gameWindowItem

    /*!
        How every Scene fills the window: "letterbox" (the default: whole scene
        visible, bars on two sides), "zoomEven" or "zoomToBiggerSide" (window filled,
        scene cut on two sides), "zoomStretch" or "zoomNonUniform" (distorted to fit),
        "none" (no scaling).
    */
    property string scaleMode: "letterbox"
    /*!
        The scene that gets keyboard focus. Assigning a scene gives it active focus;
        it does not show or hide scenes (their opacity does).
    */
    property var activeScene
    /*! Whether assigning \l activeScene gives that scene active focus; true by default. */
    property bool activeSceneFocusForcingEnabled: true
    /*! Whether a Back key press is accepted after backButtonPressedGlobally(); false by default. */
    property bool backButtonAutoAcceptGlobally: false
    /*!
        Whether the resolution presets of the menu bar have the shortcuts Ctrl+1 to
        Ctrl+8; true on desktop systems.
    */
    property bool resolutionChangingWithKeysEnabled: system.desktopPlatform
    /*!
        Whether Escape quits the game, whatever has focus; true on desktop systems
        unless the configuration's "stage" is "publish".
    */
    property bool shutdownAppWithEscapeKeyEnabled: system.desktopPlatform && !system.publishBuild
    /*! The window whose size and visibility this item follows and changes. */
    property var targetForResolutionChanges
    /*!
        Whether the window is full screen; follows and sets its visibility. Setting
        it clears \l maximized. False by default on desktop systems.
    */
    property bool fullscreen: !system.desktopPlatform
    /*!
        Whether the window is maximised; follows and sets its visibility. Setting it
        clears \l fullscreen. False by default.
    */
    property bool maximized: false
    /*!
        Whether the frame rate (frames of the past second, at most 60) shows at the
        bottom-left corner; false by default.
    */
    property bool displayFpsEnabled: false
    /*! The colour of the frame-rate text; white by default. */
    property alias displayFpsColor: fpsDisplay.color

    /*!
        The game's Settings object: sound and music switches and the game's own
        stored values. Stored values are loaded as the window completes: read them
        once \c{settings.fullyCompleted} is true.
    */
    readonly property alias settings: settingsObject
    /*! A Utils object with small helpers (random numbers, clamping). */
    readonly property alias utils: utilsObject

    /*! True when the window's diagonal is 5 inches or more. */
    readonly property alias tablet: densityHelper.tablet
    /*! True when the window is not wider than high. */
    readonly property alias portrait: densityHelper.portrait
    /*! True when the window is wider than high. */
    readonly property alias landscape: densityHelper.landscape
    /*! The window width in inches, from the screen's dots per inch. */
    readonly property alias widthInInches: densityHelper.widthInInches
    /*! The window height in inches. */
    readonly property alias heightInInches: densityHelper.heightInInches
    /*! The window diagonal in inches. */
    readonly property alias diameterInInches: densityHelper.diameterInInches
    /*! An extra factor for dp(), sp() and the inch values; 1 by default. */
    property alias uiScale: densityHelper.uiScale
    /*! An extra factor for sp() only; 1 by default. */
    property alias spScale: densityHelper.spScale
    /*! An extra factor for dp() only; 1 by default. */
    property alias dpScale: densityHelper.dpScale

    /*!
        The eight screen-size presets of the menu bar, texts of the form
        "960 x 640 (iPhone 4/4S)"; the number part gives the size.
    */
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

    /*! True between applicationPaused() and the next applicationResumed(). */
    property bool wasPausedBefore: false

    /*!
        Emitted for every press of the Back key, whatever has focus; \c event is
        the key event.
    */
    signal backButtonPressedGlobally(var event)
    /*!
        Emitted for every key press in the window, whatever has focus; \c event
        is the key event.
    */
    signal keyPressedGlobally(var event)
    /*!
        Emitted when the window loses activation (another window becomes active).
        Background music and sound effects pause with it; the game itself goes on
        unless you pause it (System::pauseGameForObject()).
    */
    signal applicationPaused()
    /*! Emitted when the window becomes active again after applicationPaused(). */
    signal applicationResumed()

    readonly property var __targetContent: targetForResolutionChanges ? (targetForResolutionChanges.contentItem ? targetForResolutionChanges.contentItem : targetForResolutionChanges) : null

    width: __targetContent ? __targetContent.width : 0
    height: __targetContent ? __targetContent.height : 0

    /*!
        Returns the length \a value, in density-independent pixels, as pixels of
        this screen; 0 for values of 0 or less.
    */
    function dp(value) {
        return densityHelper.dp(value)
    }

    /*! Returns the font size \a value like dp() does, with \l spScale. */
    function sp(value) {
        return densityHelper.sp(value)
    }

    /*! Returns the length \a pixel as inches on this screen. */
    function pixelToInches(pixel) {
        return densityHelper.pixelToInches(pixel)
    }

    /*! Returns the length \a pixel in device pixels. */
    function physicalPixels(pixel) {
        return densityHelper.physicalPixels(pixel)
    }

    // Width and height of a preset entry, the bigger side first.
    /*!
        Returns the size of the preset text \a entry of \l resolutionMenuItems as
        \c{{big, small}}; null when the text does not start with a size.
    */
    function presetSize(entry) {
        var numbers = String(entry).match(/^(\d+) x (\d+)/)
        if (!numbers)
            return null
        var first = parseInt(numbers[1], 10)
        var second = parseInt(numbers[2], 10)
        return { big: Math.max(first, second), small: Math.min(first, second) }
    }

    // The preset laid out in the window's current orientation.
    /*!
        Returns the size of the preset \a entry as \c{{width, height}} in the
        window's current orientation; null for a bad text.
    */
    function presetSizeInOrientation(entry) {
        var size = presetSize(entry)
        if (!size)
            return null
        return landscape ? { width: size.big, height: size.small } : { width: size.small, height: size.big }
    }

    /*!
        Leaves full screen and maximised state and resizes the window content to
        the preset \a entry in its current orientation.
    */
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
