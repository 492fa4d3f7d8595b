import QtQuick 2.15

/*!
    \qmltype Scene
    \inqmlmodule Zarno
    \brief A fixed logical area that scales itself to fill the game window.

    Lay a scene out in its own units (480 x 320 by default, swapped in a
    portrait window; set your own size) and it scales, by the window's
    \l scaleMode, and aligns itself in the window, whatever the window's size.
    Anything anchored to \l gameWindowAnchorItem covers the whole window,
    letterbox bars included. A scene is visible and enabled exactly while its
    opacity is not 0: switch scenes by opacity (states of the window) and make
    the shown one the window's \c activeScene so it gets the keys. The scene
    must be declared where the id \c gameWindow is reachable, with its parent at
    the window's top-left corner.

    A hidden scene is not drawn, but its animations and sprites still run, and
    every change they make asks the window for a new frame: a still screen in
    front of them is then drawn again and again. Bind their \c running to the
    scene's \c visible to keep them still while it is hidden.

    \qml
    Scene {
        id: gameScene
        width: 1920; height: 1280
        Rectangle {                       // fills the window, bars included
            anchors.fill: gameScene.gameWindowAnchorItem
            color: "black"
        }
        Text { x: 100; y: 100; text: "score"; font.pixelSize: 64 }
        onBackButtonPressed: gameWindow.state = "menu"
    }
    \endqml
*/
Item {
    id: scene

    /*!
        Emitted when the focused scene gets the Back key, or Backspace on desktop
        systems (\l backButtonSimulationEnabled).
    */
    signal backButtonPressed()
    /*!
        Whether a Back key press is accepted (so it does not close the app) and
        reported by backButtonPressed(); true by default. When false the Back key
        is ignored.
    */
    property bool backButtonAutoAccept: true
    /*! Whether Backspace counts as the Back key; true on desktop systems. */
    property bool backButtonSimulationEnabled: system.desktopPlatform

    /*! A grid step for laying out items, in scene units; 16 by default. */
    property real gridSize: 16
    /*! Where the scene sits in a wider window: "center" (default), "left" or "right". */
    property string sceneAlignmentX: "center"
    /*! Where the scene sits in a higher window: "center" (default), "top" or "bottom". */
    property string sceneAlignmentY: "center"

    /*! The horizontal factor from scene units to window pixels, set by \l scaleMode. */
    property real xScaleForScene: __validScaleFactors.x
    /*!
        The vertical factor from scene units to window pixels; equal to
        \l xScaleForScene except in the stretching modes.
    */
    property real yScaleForScene: __validScaleFactors.y
    /*! Same as \l xScaleForScene. */
    readonly property real contentScale: xScaleForScene

    // The game's window is found by name from wherever the scene is declared.
    /*!
        The game window found by the id \c gameWindow from where the scene is
        declared; null when there is none (the scene then keeps the factor 1).
    */
    readonly property var sceneGameWindow: typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null
    /*! The content item of \l sceneGameWindow, whose size the scene fills. */
    readonly property var sceneGameWindowContent: sceneGameWindow ? (sceneGameWindow.contentItem ? sceneGameWindow.contentItem : sceneGameWindow) : null
    /*! The window's scale mode (see GameWindowItem::scaleMode); "" without a window. */
    property string scaleMode: sceneGameWindow && sceneGameWindow.scaleMode !== undefined ? sceneGameWindow.scaleMode : ""

    /*!
        An item covering the whole window in scene units, letterbox bars included:
        anchor backgrounds and screen-edge controls to it.
    */
    readonly property alias gameWindowAnchorItem: anchorItem

    /*! An extra factor for dp(), sp() and pixelToInches(); 1 by default. */
    property alias uiScale: densityHelper.uiScale
    /*! An extra factor for sp() only; 1 by default. */
    property alias spScale: densityHelper.spScale
    /*! An extra factor for dp() only; 1 by default. */
    property alias dpScale: densityHelper.dpScale

    readonly property real __contentWidth: sceneGameWindowContent ? sceneGameWindowContent.width : 0
    readonly property real __contentHeight: sceneGameWindowContent ? sceneGameWindowContent.height : 0
    readonly property bool __landscapeWindow: !sceneGameWindow || sceneGameWindow.landscape === undefined || sceneGameWindow.landscape
    // null stands for a mode the scene does not know; the factors then keep their values.
    readonly property var __scaleFactors: __computeScaleFactors(scaleMode, __contentWidth, __contentHeight, width, height)
    readonly property var __sceneX: __computeOffset(sceneAlignmentX, "left", "right", "sceneAlignmentX", __contentWidth, width * xScaleForScene)
    readonly property var __sceneY: __computeOffset(sceneAlignmentY, "top", "bottom", "sceneAlignmentY", __contentHeight, height * yScaleForScene)

    // An unknown mode or alignment leaves the scene as it was; these hold the last known values.
    property var __validScaleFactors: ({ x: 1, y: 1 })
    property real __validX: 0
    property real __validY: 0

    on__ScaleFactorsChanged: if (__scaleFactors !== null) __validScaleFactors = __scaleFactors
    on__SceneXChanged: if (__sceneX !== null) __validX = __sceneX
    on__SceneYChanged: if (__sceneY !== null) __validY = __sceneY
    Component.onCompleted: {
        if (__scaleFactors !== null)
            __validScaleFactors = __scaleFactors
        if (__sceneX !== null)
            __validX = __sceneX
        if (__sceneY !== null)
            __validY = __sceneY
    }

    x: __validX
    y: __validY
    width: __landscapeWindow ? defaultSceneWidth : defaultSceneHeight
    height: __landscapeWindow ? defaultSceneHeight : defaultSceneWidth
    visible: opacity !== 0
    enabled: visible

    transform: Scale {
        xScale: scene.xScaleForScene
        yScale: scene.yScaleForScene
    }

    /*! Returns the window length \a pixel in scene units. */
    function fromGameWindowPixel(pixel) {
        return pixel / xScaleForScene
    }

    /*! Returns the scene length \a pixel in window pixels. */
    function toGameWindowPixel(pixel) {
        return pixel * xScaleForScene
    }

    /*!
        Returns \a value, in density-independent pixels, in scene units: the same
        physical size on every screen and window size.
    */
    function dp(value) {
        return densityHelper.dp(value)
    }

    /*! Returns the font size \a value like dp() does, with \l spScale. */
    function sp(value) {
        return densityHelper.sp(value)
    }

    /*! Returns the scene length \a pixel as inches on this screen. */
    function pixelToInches(pixel) {
        return densityHelper.pixelToInches(pixel)
    }

    /*! Returns the scene length \a pixel as device pixels. */
    function physicalPixels(pixel) {
        return densityHelper.physicalPixels(pixel)
    }

    function __computeScaleFactors(mode, contentWidth, contentHeight, sceneWidth, sceneHeight) {
        if (!sceneGameWindowContent)
            return { x: 1, y: 1 }
        var byWidth = contentWidth / sceneWidth
        var byHeight = contentHeight / sceneHeight
        switch (mode) {
        case "letterbox":
            var fit = byWidth < byHeight ? byWidth : byHeight
            return { x: fit, y: fit }
        case "zoomEven":
        case "zoomToBiggerSide":
            var zoom = byWidth > byHeight ? byWidth : byHeight
            return { x: zoom, y: zoom }
        case "zoomStretch":
        case "zoomNonUniform":
            return { x: byWidth, y: byHeight }
        case "none":
        case "":
            return { x: 1, y: 1 }
        }
        console.debug("ERROR: unknown scaleMode:", mode)
        return null
    }

    function __computeOffset(alignment, start, end, name, contentSize, scaledSize) {
        if (!sceneGameWindowContent)
            return 0
        if (alignment === "center")
            return (contentSize - scaledSize) / 2
        if (alignment === start)
            return 0
        if (alignment === end)
            return contentSize - scaledSize
        console.debug("ASSERT: undefined " + name + ":", alignment)
        return null
    }

    Keys.onPressed: {
        if (backButtonSimulationEnabled && event.key === Qt.Key_Backspace) {
            event.accepted = true
            backButtonPressed()
        } else if (event.key === Qt.Key_Back && backButtonAutoAccept) {
            console.debug("Scene: now setting accepted property of the Qt.Key_Back key event to true, to prevent app shutdown on Android; you can disable this default behavior by setting backButtonAutoAccept to false")
            event.accepted = true
            backButtonPressed()
        }
    }

    // Covers the whole window, letterbox bars included, in scene coordinates.
    Item {
        id: anchorItem
        x: scene.sceneGameWindowContent ? -(scene.x / scene.xScaleForScene) : 0
        y: scene.sceneGameWindowContent ? -(scene.y / scene.yScaleForScene) : 0
        width: scene.sceneGameWindowContent ? scene.__contentWidth / scene.xScaleForScene : scene.width
        height: scene.sceneGameWindowContent ? scene.__contentHeight / scene.yScaleForScene : scene.height
    }

    DensityHelper {
        id: densityHelper
        uiScale2: 1 / scene.xScaleForScene
    }
}
