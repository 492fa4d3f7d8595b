import QtQuick 2.0
import QtTest 1.2

// The skeleton example (its character comes from tools/skeletongen) must keep working.
TestCase {
    name: "SkeletonExample"
    when: windowShown

    function test_characterIdlesWalksAndSteps() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/skeleton/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        var hero = findChild(window.activeScene, "hero")
        tryVerify(function () { return hero.sourceSize.height > 150 }, 5000)
        // The item hangs above the feet: its bottom is the skeleton's lowest point, near the origin.
        compare(hero.width, hero.implicitWidth)
        verify(hero.y < -150 && Math.abs(hero.y + hero.height) < 10, "y " + hero.y + " height " + hero.height)
        verify(hero.x < 0 && hero.x + hero.width > 0)

        // The face is drawn where the head bone puts it (scene 240, 126), once a frame has rendered it.
        var scale = window.contentItem.width / 480
        var face
        tryVerify(function () {
            face = grabImage(window.contentItem).pixel(240 * scale, 126 * scale)
            return face.g > face.r + 0.15
        }, 3000, "face pixel")

        compare(hero.steps, 0)
        mouseClick(window.activeScene, 200, 200)
        tryVerify(function () { return hero.steps >= 3 }, 5000)
        verify(hero.lastFoot === "left" || hero.lastFoot === "right")
        mouseClick(window.activeScene, 200, 200)
        wait(500)
        var steps = hero.steps
        wait(1200)
        compare(hero.steps, steps, "idle raises no steps")
        window.close()
        window.destroy()
    }
}
