import QtQuick 2.15
import QtQuick.Controls 1.4
import QtQuick.Window 2.2
import QtQml.Models 2.2

/*!
    \qmltype GameWindowApplicationWindow
    \inqmlmodule Zarno
    \brief The game's top-level window; GameWindow is the same type.

    Use GameWindow as the root of a game's main document. The window opens with
    a content size of 960 x 640 and the title of the configuration key "title".
    Its members are those of the GameWindowItem it holds (\l gameWindow), passed
    on. On desktop systems, unless the configuration's "stage" is "publish", it
    has a menu bar: "File" with "Quit" (Escape), and "Resolution" with eight
    screen-size presets (Ctrl+1 to Ctrl+8), "Fullscreen" (Ctrl+F) and "Maximize"
    (Ctrl+M).

    \qml
    GameWindow {
        id: gameWindow
        activeScene: scene
        screenWidth: 960
        screenHeight: 640
        Scene {
            id: scene
            width: 480; height: 320
        }
    }
    \endqml
*/
ApplicationWindow {
    id: window

    /*!
        The width of the window's content. Assigning it (also in the declaration)
        resizes the window so that its content gets that width; it then follows the
        content again.
    */
    property real screenWidth: contentItem.width
    /*!
        The height of the window's content; assigning it resizes the window like
        \l screenWidth.
    */
    property real screenHeight: contentItem.height
    /*! True once the window is complete. */
    property bool isCompleted: false

    /*! The GameWindowItem holding the window's logic. */
    readonly property alias gameWindow: gameWindowItem
    /*! The state of the inner GameWindowItem: give the window states to switch scenes. */
    property alias state: gameWindowItem.state
    /*! The states of the inner GameWindowItem. */
    property alias states: gameWindowItem.states
    /*!
        The game's Settings. Stored values are loaded while the window completes:
        read them once \c{settings.fullyCompleted} is true (for example in
        \c{settings.onFullyCompletedChanged}), not in an early
        \c{Component.onCompleted}.
    */
    readonly property alias settings: gameWindowItem.settings
    /*! Same as \l {GameWindowItem::utils}{GameWindowItem.utils}. */
    readonly property alias utils: gameWindowItem.utils

    /*! Same as \l {GameWindowItem::scaleMode}{GameWindowItem.scaleMode}. */
    property alias scaleMode: gameWindowItem.scaleMode
    /*! Same as \l {GameWindowItem::activeScene}{GameWindowItem.activeScene}. */
    property alias activeScene: gameWindowItem.activeScene
    /*!
        Same as \l {GameWindowItem::backButtonAutoAcceptGlobally}{GameWindowItem.backButtonAutoAcceptGlobally}.
    */
    property alias backButtonAutoAcceptGlobally: gameWindowItem.backButtonAutoAcceptGlobally
    /*!
        Same as \l {GameWindowItem::resolutionChangingWithKeysEnabled}{GameWindowItem.resolutionChangingWithKeysEnabled}.
    */
    property alias resolutionChangingWithKeysEnabled: gameWindowItem.resolutionChangingWithKeysEnabled
    /*!
        Same as \l {GameWindowItem::shutdownAppWithEscapeKeyEnabled}{GameWindowItem.shutdownAppWithEscapeKeyEnabled}.
    */
    property alias shutdownAppWithEscapeKeyEnabled: gameWindowItem.shutdownAppWithEscapeKeyEnabled
    /*! Same as \l {GameWindowItem::displayFpsEnabled}{GameWindowItem.displayFpsEnabled}. */
    property alias displayFpsEnabled: gameWindowItem.displayFpsEnabled
    /*! Same as \l {GameWindowItem::displayFpsColor}{GameWindowItem.displayFpsColor}. */
    property alias displayFpsColor: gameWindowItem.displayFpsColor
    /*! Same as \l {GameWindowItem::fullscreen}{GameWindowItem.fullscreen}. */
    property alias fullscreen: gameWindowItem.fullscreen
    /*! Same as \l {GameWindowItem::maximized}{GameWindowItem.maximized}. */
    property alias maximized: gameWindowItem.maximized

    /*! Same as \l {GameWindowItem::tablet}{GameWindowItem.tablet}. */
    readonly property alias tablet: gameWindowItem.tablet
    /*! Same as \l {GameWindowItem::portrait}{GameWindowItem.portrait}. */
    readonly property alias portrait: gameWindowItem.portrait
    /*! Same as \l {GameWindowItem::landscape}{GameWindowItem.landscape}. */
    readonly property alias landscape: gameWindowItem.landscape
    /*! Same as \l {GameWindowItem::widthInInches}{GameWindowItem.widthInInches}. */
    readonly property alias widthInInches: gameWindowItem.widthInInches
    /*! Same as \l {GameWindowItem::heightInInches}{GameWindowItem.heightInInches}. */
    readonly property alias heightInInches: gameWindowItem.heightInInches
    /*! Same as \l {GameWindowItem::diameterInInches}{GameWindowItem.diameterInInches}. */
    readonly property alias diameterInInches: gameWindowItem.diameterInInches
    /*! Same as \l {GameWindowItem::uiScale}{GameWindowItem.uiScale}. */
    property alias uiScale: gameWindowItem.uiScale
    /*! Same as \l {GameWindowItem::spScale}{GameWindowItem.spScale}. */
    property alias spScale: gameWindowItem.spScale
    /*! Same as \l {GameWindowItem::dpScale}{GameWindowItem.dpScale}. */
    property alias dpScale: gameWindowItem.dpScale

    /*!
        Whether the window has its menu bar; true on desktop systems unless the
        configuration's "stage" is "publish".
    */
    property bool menuBarZarnoEnabled: system.desktopPlatform && !system.publishBuild

    /*! Emitted for every press of the Back key, whatever has focus. */
    signal backButtonPressedGlobally()
    /*! Emitted for every key press in the window; \c event is the key event. */
    signal keyPressedGlobally(var event)
    /*!
        Emitted when the window loses activation. Music and sound effects pause
        with it; the game goes on unless you pause it.
    */
    signal applicationPaused()
    /*! Same as \l {GameWindowItem::applicationResumed}{GameWindowItem.applicationResumed}. */
    signal applicationResumed()

    title: system.getConfigValue("title")
    contentItem.implicitWidth: 960
    contentItem.implicitHeight: 640
    minimumWidth: 5
    minimumHeight: 5
    visible: true
    menuBar: menuBarLoader.item

    /*! Returns the length \a value in pixels of this screen; see GameWindowItem. */
    function dp(value) {
        return gameWindowItem.dp(value)
    }

    /*! Returns the font size \a value in pixels of this screen; see GameWindowItem. */
    function sp(value) {
        return gameWindowItem.sp(value)
    }

    /*! Returns the length \a pixel as inches on this screen. */
    function pixelToInches(pixel) {
        return gameWindowItem.pixelToInches(pixel)
    }

    /*! Returns the length \a pixel in device pixels. */
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
