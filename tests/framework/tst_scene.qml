import QtQuick 2.0
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "SceneScaling"
    when: windowShown

    property var window: null

    function init() {
        var component = Qt.createComponent("data/ScalingWindow.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
        tryCompare(window.contentItem, "width", 960)
    }

    function cleanup() {
        window.destroy()
        window = null
    }

    function resize(w, h) {
        window.width = w
        window.height = h
        tryCompare(window.contentItem, "width", w)
        tryCompare(window.contentItem, "height", h)
        compare(window.screenWidth, w)
        compare(window.screenHeight, h)
    }

    function compareRect(item, x, y, w, h) {
        fuzzyCompare(item.x, x, 0.05, "x")
        fuzzyCompare(item.y, y, 0.05, "y")
        fuzzyCompare(item.width, w, 0.05, "width")
        fuzzyCompare(item.height, h, 0.05, "height")
    }

    function test_sameAspectRatio() {
        var scene = window.scene
        compare(scene.sceneGameWindow, window.gameWindow)
        compare(scene.scaleMode, "letterbox")
        compare(scene.xScaleForScene, 0.5)
        compare(scene.yScaleForScene, 0.5)
        compare(scene.contentScale, 0.5)
        compareRect(scene, 0, 0, 1920, 1280)
        compareRect(scene.gameWindowAnchorItem, 0, 0, 1920, 1280)
        compare(scene.toGameWindowPixel(100), 50)
        compare(scene.fromGameWindowPixel(50), 100)
    }

    function test_letterboxWide() {
        resize(1280, 720)
        var scene = window.scene
        fuzzyCompare(scene.xScaleForScene, 0.5625, 1e-9)
        compare(scene.yScaleForScene, scene.xScaleForScene)
        compareRect(scene, 100, 0, 1920, 1280)
        var anchor = scene.gameWindowAnchorItem
        compareRect(anchor, -177.78, 0, 2275.56, 1280)
        fuzzyCompare(anchor.x + anchor.width, 2097.78, 0.05)
        // The anchor item maps onto the whole window.
        var topLeft = anchor.mapToItem(window.contentItem, 0, 0)
        var bottomRight = anchor.mapToItem(window.contentItem, anchor.width, anchor.height)
        fuzzyCompare(topLeft.x, 0, 0.01)
        fuzzyCompare(topLeft.y, 0, 0.01)
        fuzzyCompare(bottomRight.x, 1280, 0.01)
        fuzzyCompare(bottomRight.y, 720, 0.01)
    }

    function test_letterboxPortrait() {
        resize(640, 960)
        var scene = window.scene
        fuzzyCompare(scene.xScaleForScene, 1 / 3, 1e-9)
        compare(scene.yScaleForScene, scene.xScaleForScene)
        verify(window.portrait)
        verify(!window.landscape)
        compareRect(scene, 0, (960 - 1280 / 3) / 2, 1920, 1280)
        compareRect(scene.gameWindowAnchorItem, 0, -800, 1920, 2880)
    }

    function test_scaleModes_data() {
        return [
            { tag: "zoomEven", mode: "zoomEven", xs: 0.625, ys: 0.625, x: 0, y: (640 - 1280 * 0.625) / 2 },
            { tag: "zoomToBiggerSide", mode: "zoomToBiggerSide", xs: 0.625, ys: 0.625, x: 0, y: (640 - 1280 * 0.625) / 2 },
            { tag: "zoomStretch", mode: "zoomStretch", xs: 0.625, ys: 0.5, x: 0, y: 0 },
            { tag: "zoomNonUniform", mode: "zoomNonUniform", xs: 0.625, ys: 0.5, x: 0, y: 0 },
            { tag: "none", mode: "none", xs: 1, ys: 1, x: (1200 - 1920) / 2, y: (640 - 1280) / 2 },
            { tag: "empty", mode: "", xs: 1, ys: 1, x: (1200 - 1920) / 2, y: (640 - 1280) / 2 },
            { tag: "letterbox", mode: "letterbox", xs: 0.5, ys: 0.5, x: 120, y: 0 }
        ]
    }

    function test_scaleModes(data) {
        resize(1200, 640)
        window.scaleMode = data.mode
        var scene = window.scene
        compare(scene.scaleMode, data.mode)
        fuzzyCompare(scene.xScaleForScene, data.xs, 1e-9)
        fuzzyCompare(scene.yScaleForScene, data.ys, 1e-9)
        fuzzyCompare(scene.x, data.x, 1e-6)
        fuzzyCompare(scene.y, data.y, 1e-6)
        // Whatever the mode, the anchor item spans exactly the window.
        var anchor = scene.gameWindowAnchorItem
        var topLeft = anchor.mapToItem(window.contentItem, 0, 0)
        var bottomRight = anchor.mapToItem(window.contentItem, anchor.width, anchor.height)
        fuzzyCompare(topLeft.x, 0, 0.01)
        fuzzyCompare(topLeft.y, 0, 0.01)
        fuzzyCompare(bottomRight.x, 1200, 0.01)
        fuzzyCompare(bottomRight.y, 640, 0.01)
    }

    function test_unknownModeAndAlignmentKeepLastValues() {
        resize(1280, 720)
        var scene = window.scene
        window.scaleMode = "sideways"
        fuzzyCompare(scene.xScaleForScene, 0.5625, 1e-9)
        scene.sceneAlignmentX = "middle"
        compare(scene.x, 100)
        // Later size changes leave the unknown-mode scene where it was, without errors.
        resize(960, 640)
        fuzzyCompare(scene.xScaleForScene, 0.5625, 1e-9)
        compare(scene.x, 100)
        window.scaleMode = "letterbox"
        scene.sceneAlignmentX = "center"
        compare(scene.xScaleForScene, 0.5)
        compare(scene.x, 0)
    }

    function test_alignments_data() {
        return [
            { tag: "left-top", ax: "left", ay: "top", x: 0, y: 0 },
            { tag: "right-bottom", ax: "right", ay: "bottom", x: 1280 - 1080, y: 0 },
            { tag: "portrait right-bottom", ax: "right", ay: "bottom", w: 640, h: 960, x: 0, y: 960 - 1280 / 3 },
            { tag: "portrait top", ax: "center", ay: "top", w: 640, h: 960, x: 0, y: 0 }
        ]
    }

    function test_alignments(data) {
        resize(data.w || 1280, data.h || 720)
        var scene = window.scene
        scene.sceneAlignmentX = data.ax
        scene.sceneAlignmentY = data.ay
        fuzzyCompare(scene.x, data.x, 0.01)
        fuzzyCompare(scene.y, data.y, 0.01)
        fuzzyCompare(scene.gameWindowAnchorItem.x, -data.x / scene.xScaleForScene, 0.01)
        fuzzyCompare(scene.gameWindowAnchorItem.y, -data.y / scene.yScaleForScene, 0.01)
    }

    // The bars of a letterboxed scene are where the numbers put them.
    function test_letterboxBarsOnScreen() {
        resize(1280, 720)
        waitForRendering(window.contentItem)
        var image = grabImage(window.contentItem)
        compare(image.width, 1280)
        var isRed = function(x, y) { return image.red(x, y) > 200 && image.blue(x, y) < 50 }
        var isBlue = function(x, y) { return image.blue(x, y) > 200 && image.red(x, y) < 50 }
        verify(isBlue(0, 360), "left bar")
        verify(isBlue(98, 10), "left bar edge")
        verify(isRed(101, 10), "scene left edge")
        verify(isRed(640, 700), "scene middle")
        verify(isRed(1178, 360), "scene right edge")
        verify(isBlue(1181, 360), "right bar edge")
        verify(isBlue(1279, 719), "right bar")

        resize(640, 960)
        waitForRendering(window.contentItem)
        image = grabImage(window.contentItem)
        var top = (960 - 1280 / 3) / 2
        verify(isBlue(320, Math.floor(top) - 2), "top bar")
        verify(isRed(320, Math.ceil(top) + 2), "scene top edge")
        verify(isRed(320, Math.floor(top + 1280 / 3) - 2), "scene bottom edge")
        verify(isBlue(320, Math.ceil(top + 1280 / 3) + 2), "bottom bar")
        verify(isRed(0, 480) && isRed(639, 480), "scene spans the width")
    }

    function test_sceneWithoutWindow() {
        var scene = Qt.createQmlObject("import Zarno 2.0; Scene {}", testCase)
        // Here the name gameWindow is not declared anywhere up the chain.
        compare(scene.sceneGameWindow, null)
        compare(scene.scaleMode, "")
        compare(scene.width, 480)
        compare(scene.height, 320)
        compare(scene.xScaleForScene, 1)
        compare(scene.x, 0)
        compareRect(scene.gameWindowAnchorItem, 0, 0, 480, 320)
        scene.opacity = 0
        verify(!scene.visible)
        verify(!scene.enabled)
        scene.destroy()
    }

    function test_defaultSceneSizeFollowsOrientation() {
        var portraitWindow = Qt.createQmlObject("import Zarno 2.0; GameWindow { width: 320; height: 480; property alias scene: s; Scene { id: s } }", testCase)
        tryCompare(portraitWindow.contentItem, "height", 480)
        compare(portraitWindow.scene.width, 320)
        compare(portraitWindow.scene.height, 480)
        compare(portraitWindow.scene.xScaleForScene, 1)
        portraitWindow.destroy()
    }
}
