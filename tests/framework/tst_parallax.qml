import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "Parallax"
    when: windowShown
    width: 480
    height: 320
    visible: true

    Component {
        id: backgroundComponent
        ParallaxScrollingBackground {
            sourceImage: "../../qml/Zarno/input/joystick_background.png"
            running: false
        }
    }

    function strip(background) {
        return findChild(background, "parallaxStrip")
    }

    function test_scrollsWithoutEnd_data() {
        return [
            { tag: "left", velocity: Qt.point(-100, 0), start: -511, passes: function (v) { return v > -256 } },
            { tag: "right jumps back first", velocity: Qt.point(100, 0), start: 0, passes: function (v) { return v <= -512 + 100 } },
            { tag: "up", velocity: Qt.point(0, -100), start: -511, passes: function (v) { return v > -256 } },
        ]
    }

    function test_scrollsWithoutEnd(data) {
        var background = createTemporaryObject(backgroundComponent, testCase, { movementVelocity: data.velocity })
        compare(background.width, 256)
        var horizontal = data.velocity.x !== 0
        var property = horizontal ? "x" : "y"
        strip(background)[property] = data.start
        background.running = true
        tryVerify(function () { return data.passes(strip(background)[property]) }, 2000)
        verify(strip(background)[property] <= 0 && strip(background)[property] >= -512)
        background.resetBackgrounds()
        compare(strip(background).x, 0)
        compare(strip(background).y, 0)
    }

    Item {
        id: world
        ParallaxItem {
            id: halfSpeed
            ratio: Qt.point(0.5, 0)
        }
    }

    function test_parallaxItemFollowsAtItsRatio() {
        world.x = 100
        world.y = -40
        compare(halfSpeed.x, -50)
        compare(halfSpeed.y, 40)
        halfSpeed.parallaxPositionTarget = null
        world.x = 0
        compare(halfSpeed.x, -50, "no target, no movement")
        halfSpeed.parallaxPositionTarget = world
        world.x = -100
        compare(halfSpeed.x, 0)
    }
}
