import QtQuick 2.0
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

// The utility functions, the shape items and the single-animation sprite.
TestCase {
    id: testCase
    name: "SmallItems"
    when: windowShown

    property string scratch: fileUtils.storageLocation(FileUtils.TempLocation)
                             + "zarno-smallitems-" + Date.now() + "-" + Math.floor(Math.random() * 1e9) + "/"

    Utils { id: utils }

    Window {
        id: window
        width: 400
        height: 300
        visible: true
        color: "white"
    }

    // A strip of two 128 x 64 pixel frames, red then blue, as a "+hd" file would hold them.
    Canvas {
        id: stripCanvas
        width: 256
        height: 64
        visible: false
        onPaint: {
            var ctx = getContext("2d")
            ctx.fillStyle = "#ff0000"
            ctx.fillRect(0, 0, 128, 64)
            ctx.fillStyle = "#0000ff"
            ctx.fillRect(128, 0, 128, 64)
        }
    }

    Component { id: lineComponent; LineItem { x: 50; y: 80 } }
    Component { id: polygonComponent; PolygonItem { x: 20; y: 20 } }
    Component { id: spriteComponent; AnimatedSpriteZarno { x: 10; y: 10; running: false; frameCount: 1 } }

    function cleanupTestCase() {
        fileUtils.removeDir(scratch)
    }

    function writeStrip() {
        verify(fileUtils.writeFile(scratch + "+hd/.folder", ""))
        stripCanvas.requestPaint()
        tryVerify(function () { return stripCanvas.available })
        wait(50)
        var file = scratch + "+hd/strip.png"
        verify(stripCanvas.save(file))
        return "file://" + file
    }

    function sameColor(image, x, y, expected) {
        var p = image.pixel(x, y)
        return Qt.colorEqual(Qt.rgba(p.r, p.g, p.b, 1), expected) && p.a > 0.9
    }

    function test_utils_data() {
        return [
            { tag: "clamp above", value: utils.clamp(5, 0, 3), expected: 3 },
            { tag: "clamp below", value: utils.clamp(-1, 0, 3), expected: 0 },
            { tag: "clamp inside", value: utils.clamp(2.5, 0, 3), expected: 2.5 },
            { tag: "decimals of a fraction", value: utils.decimals(0.05), expected: 2 },
            { tag: "decimals of a whole number", value: utils.decimals(12), expected: 0 },
            { tag: "decimals of 0", value: utils.decimals(0), expected: 0 },
            { tag: "decimals of a negative fraction", value: utils.decimals(-0.005), expected: 3 },
            { tag: "scientific decimals", value: utils.decimals(1.25e-3, true), expected: 5 },
            { tag: "scientific decimals with exponent text", value: utils.decimals(2.5e-8, true), expected: 9 },
            { tag: "scientific decimals of a large number", value: utils.decimals(1.5e30, true), expected: 0 },
            { tag: "scientific decimals of no number", value: utils.decimals(NaN, true), expected: 0 },
            { tag: "crop path", value: utils.cropPath(Qt.resolvedUrl("img/player.png"), true), expected: "player" }
        ]
    }

    function test_utils(data) {
        compare(data.value, data.expected)
    }

    function test_randomValuesStayInRange() {
        for (var i = 0; i < 2000; ++i) {
            var color = utils.randomColor()
            verify(/^#[0-9a-f]{6}$/.test(color), color)
            var value = utils.generateRandomValueBetween(-2, 3)
            verify(value >= -2 && value < 3, value)
        }
    }

    function test_lineItemSizeAndDrawing() {
        var line = createTemporaryObject(lineComponent, window.contentItem, {
            points: [Qt.point(0, 0), Qt.point(100, -50)], lineWidth: 4, color: "#00ff00" })
        compare(line.width, 108)
        compare(line.height, 58)
        var canvas = findChild(line, "canvas")
        compare(canvas.x, -4)
        compare(canvas.y, -54)
        // The points stay in the item's coordinates: the line runs from (50, 80) to (150, 30).
        var image
        tryVerify(function () { image = grabImage(window.contentItem); return sameColor(image, 100, 55, "#00ff00") }, 3000)
        verify(sameColor(image, 52, 79, "#00ff00"))
        verify(!sameColor(image, 100, 75, "#00ff00"))

        line.lineWidth = 10
        compare(line.width, 120)
        line.points = [Qt.point(-20, 0), Qt.point(40, 30)]
        compare(line.width, 80)
        compare(line.height, 50)
        compare(canvas.x, -30)
    }

    function test_polygonFillStrokeAndTexture() {
        var polygon = createTemporaryObject(polygonComponent, window.contentItem, {
            vertices: [Qt.point(0, 0), Qt.point(100, 0), Qt.point(100, 100), Qt.point(0, 100)],
            color: "#ff00ff", fill: true })
        compare(polygon.width, 100)
        compare(polygon.height, 100)
        var image
        tryVerify(function () { image = grabImage(window.contentItem); return sameColor(image, 70, 70, "#ff00ff") }, 3000)

        // Stroked, only the outline is drawn: here the diagonal of a triangle.
        polygon.fill = false
        polygon.vertices = [Qt.point(0, 0), Qt.point(100, 0), Qt.point(0, 100)]
        tryVerify(function () { image = grabImage(window.contentItem); return !sameColor(image, 50, 50, "#ff00ff") }, 3000)
        verify(Math.min(image.green(70, 69), image.green(70, 70), image.green(70, 71)) < 100, "stroke crosses the middle")
        verify(image.green(60, 60) > 200, "inside stays empty")

        // The texture repeats from the canvas origin: red then blue every 128 units.
        polygon.texture = writeStrip()
        tryVerify(function () { image = grabImage(window.contentItem); return sameColor(image, 40, 40, "#ff0000") }, 3000)
    }

    function test_spriteReadsDenseFramesAndFollowsFramePosition() {
        var sprite = createTemporaryObject(spriteComponent, window.contentItem, {
            source: writeStrip(), frameWidth: 64, frameHeight: 32 })
        compare(sprite.contentScaleFactor, 0.5)
        compare(sprite.width, 64)
        compare(sprite.height, 32)
        compare(sprite.animatedSprite.frameWidth, 128)
        compare(sprite.animatedSprite.frameHeight, 64)
        var image
        tryVerify(function () { image = grabImage(window.contentItem); return sameColor(image, 70, 38, "#ff0000") }, 3000)
        verify(!sameColor(image, 80, 38, "#ff0000"))

        // A stopped sprite shows the frame of a new position at once.
        sprite.startFrameColumn = 2
        compare(sprite.animatedSprite.frameX, 128)
        tryVerify(function () { image = grabImage(window.contentItem); return sameColor(image, 40, 20, "#0000ff") }, 3000)
        verify(!sprite.running)
    }
}
