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
        var middle = findChild(scene, "plank5")
        var head = findChild(scene, "head")
        verify(bridge && middle && head)
        // The bridge sags under its load; the hinges keep every plank between the posts.
        wait(1500)
        verify(middle.y > bridge.startY, middle.y)
        for (var p = 0; p < bridge.plankCount; ++p) {
            var plank = findChild(scene, "plank" + p)
            verify(plank.x > bridge.startX - 30 && plank.x < bridge.startX + bridge.span + 10, p + ": " + plank.x)
            verify(plank.y > bridge.startY - 20 && plank.y < bridge.startY + 80, p + ": " + plank.y)
        }
        // The ragdoll stays in one piece: its head is still above its feet.
        verify(head.y < scene.height - 60, head.y)

        // Dragging a plank pulls the body under the pointer along through a mouse joint.
        var dragger = findChild(scene, "dragger")
        var start = dragger.mapFromItem(middle, middle.width / 2, middle.height / 2)
        mousePress(dragger, start.x, start.y)
        verify(dragger.joint !== null)
        var dragged = dragger.joint.bodyB
        for (var i = 1; i <= 10; ++i) {
            mouseMove(dragger, start.x, start.y - 6 * i)
            wait(30)
        }
        var pointer = dragger.mapToItem(scene, start.x, start.y - 60)
        tryVerify(function () {
            var c = dragged.getWorldCenter()
            return Math.abs(c.x - pointer.x) < 12 && Math.abs(c.y - pointer.y) < 12
        }, 3000)
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
