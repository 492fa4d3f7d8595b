import QtQuick 2.0
import QtTest 1.2

// The physics example's joint scenes: the bridge hangs between its posts, the
// ragdoll keeps together, a body follows the pointer, the debug view toggles.
TestCase {
    id: testCase
    name: "PhysicsJointsExample"
    when: windowShown

    function test_jointScenes() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/physics/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        var scene = window.activeScene
        var bridge = findChild(scene, "bridge")
        var head = findChild(scene, "head")
        verify(bridge && head)
        // Under the falling load the hinges hold: neighbouring planks stay a plank
        // apart (centre to centre) and the bridge stays between its posts. Counted
        // in steps, not time: a loaded machine steps the world fewer times a second.
        // The scene drops its first eight bodies one every 15 steps; by step 200 the
        // last has landed, so none falls on the body dragged below.
        var world = findChild(scene, "world")
        var steps = 0
        var count = function () { ++steps }
        world.stepped.connect(count)
        tryVerify(function () { return steps >= 200 }, 40000)
        compare(scene.dropped.length, 8)
        var centre = function (item) { return Qt.point(item.x + item.width / 2, item.y + item.height / 2) }
        for (var p = 0; p < bridge.plankCount; ++p) {
            var plank = centre(findChild(scene, "plank" + p))
            verify(plank.x > bridge.startX - 20 && plank.x < bridge.startX + bridge.span + 20, p + ": " + plank.x)
            if (p + 1 < bridge.plankCount) {
                var next = centre(findChild(scene, "plank" + (p + 1)))
                var gap = Math.sqrt(Math.pow(next.x - plank.x, 2) + Math.pow(next.y - plank.y, 2))
                verify(gap < bridge.plankWidth + 3, p + ": " + gap)
            }
        }
        // The ragdoll stays in one piece: its head is still above its feet.
        verify(head.y < scene.height - 60, head.y)

        // Dragging a body pulls it along through a mouse joint: a dropped body, which
        // no joint holds back, or else the ragdoll's torso.
        var dragger = findChild(scene, "dragger")
        var candidates = scene.dropped.concat([findChild(scene, "torso")])
        var start
        // Lifted 60 px, a body must not run into another (a crate under the bridge).
        var clearAbove = function (body, c) {
            for (var dy = 20; dy <= 100; dy += 10) {
                for (var dx = -16; dx <= 16; dx += 16) {
                    var other = world.bodyAt(dragger.mapFromItem(scene, c.x + dx, c.y - dy))
                    if (other && other !== body)
                        return false
                }
            }
            return true
        }
        tryVerify(function () {
            for (var k = 0; k < candidates.length; ++k) {
                var c = candidates[k].body.getWorldCenter()
                if (c.x > 20 && c.x < scene.width - 20 && c.y > 80 && c.y < scene.height - 20
                        && clearAbove(candidates[k].body, c)) {
                    start = dragger.mapFromItem(scene, c.x, c.y)
                    mousePress(dragger, start.x, start.y)
                    if (dragger.joint !== null && dragger.joint.bodyB === candidates[k].body)
                        return true
                    mouseRelease(dragger, start.x, start.y)
                }
            }
            wait(50)
            return false
        }, 5000, "a press on a body grabs it")
        var dragged = dragger.joint.bodyB
        var grabbed = dragged.toLocalPoint(dragger.mapToItem(scene, start.x, start.y))
        for (var i = 1; i <= 10; ++i) {
            mouseMove(dragger, start.x, start.y - 6 * i)
            wait(30)
        }
        // Within 300 steps (five seconds of the world's time) the grabbed point reaches the pointer.
        var pointer = dragger.mapToItem(scene, start.x, start.y - 60)
        var held
        var reached = function () {
            held = dragged.toWorldPoint(grabbed)
            return Math.abs(held.x - pointer.x) < 6 && Math.abs(held.y - pointer.y) < 6
        }
        steps = 0
        tryVerify(function () { return reached() || steps >= 300 }, 60000)
        verify(reached(), "the grabbed point follows the pointer: at " + held + " for " + pointer)
        world.stepped.disconnect(count)
        mouseRelease(dragger, start.x, start.y - 60)
        compare(dragger.joint, null)

        var debugDraw = findChild(scene, "debugDraw")
        var toggle = findChild(scene, "debugToggle")
        var shown = debugDraw.visible
        mouseClick(toggle)
        compare(debugDraw.visible, !shown)
        window.close()
        window.destroy()
    }
}
