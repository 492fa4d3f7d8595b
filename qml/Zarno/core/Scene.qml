import QtQuick 2.15

// A fixed logical area that scales itself into the game window.
Item {
    id: scene

    signal backButtonPressed()
    property bool backButtonAutoAccept: true
    property bool backButtonSimulationEnabled: system.desktopPlatform

    property real gridSize: 16
    property string sceneAlignmentX: "center"
    property string sceneAlignmentY: "center"

    property real xScaleForScene: __validScaleFactors.x
    property real yScaleForScene: __validScaleFactors.y
    readonly property real contentScale: xScaleForScene

    // The game's window is found by name from wherever the scene is declared.
    readonly property var sceneGameWindow: typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null
    readonly property var sceneGameWindowContent: sceneGameWindow ? (sceneGameWindow.contentItem ? sceneGameWindow.contentItem : sceneGameWindow) : null
    property string scaleMode: sceneGameWindow && sceneGameWindow.scaleMode !== undefined ? sceneGameWindow.scaleMode : ""

    readonly property alias gameWindowAnchorItem: anchorItem

    property alias uiScale: densityHelper.uiScale
    property alias spScale: densityHelper.spScale
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

    function fromGameWindowPixel(pixel) {
        return pixel / xScaleForScene
    }

    function toGameWindowPixel(pixel) {
        return pixel * xScaleForScene
    }

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
