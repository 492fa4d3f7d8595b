import QtQuick 2.0
import QtTest 1.2

// The physics example the README shows: bodies fall, come to rest on the chain
// ground inside the valley, and a click drops one more.
TestCase {
    name: "PhysicsExample"
    when: windowShown

    function test_bodiesSettleAndClicksDropMore() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/physics/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        var scene = window.activeScene
        tryVerify(function () { return scene.dropped.length === 8 }, 5000)
        // Ten seconds of the world's time, however slowly this machine draws frames.
        var world = findChild(scene, "world")
        world.running = false
        for (var i = 0; i < 600; ++i)
            world.step(1 / 60)
        world.running = true
        // Resting means asleep or all but still (a body wedged in a pile may keep
        // trembling awake), on the ground and between the walls.
        scene.dropped.forEach(function (item) {
            var v = item.body.linearVelocity
            var speed = Math.sqrt(v.x * v.x + v.y * v.y)
            verify(!item.body.awake || speed < 5, "at rest: " + item.x + ", " + item.y + " at " + speed)
        })
        scene.dropped.forEach(function (item) {
            verify(item.y > 150 && item.y + item.height < 290, "rests on the ground: " + item.y)
            verify(item.x > 0 && item.x + item.width < 480, "between the walls: " + item.x)
        })
        mouseClick(findChild(scene, "dropArea"), 240, 40)
        compare(scene.dropped.length, 9)
        var last = scene.dropped[8]
        tryVerify(function () { return last.y > 100 }, 5000, "the dropped body falls")
        window.close()
        window.destroy()
    }
}
