import QtQuick 2.0
import QtTest 1.2

// The physics scene example: the file the generator wrote builds, the windmill's
// motor turns it counter-clockwise, the seesaw stays within its limits and the
// crates come to rest above the ground.
TestCase {
    name: "PhysicsSceneExample"
    when: windowShown

    function test_sceneBuildsAndMoves() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/physicsscene/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        var parser = findChild(window.activeScene, "parser")
        tryVerify(function () { return parser.bodies.length === 11 }, 3000)
        compare(parser.joints.length, 2)
        compare(parser.images.length, 11)
        var named = {}
        parser.bodies.forEach(function (body) { named[body.objectName] = body })
        compare(named.crate2.customProperties.points, 30)

        // Waited for in steps of the world, not in time: a busy machine steps it fewer
        // times a second.
        tryVerify(function () { return named.rotor.rotation < -90 }, 30000, "the windmill turns counter-clockwise")
        var world = findChild(window.activeScene, "world")
        var steps = 0
        var count = function () { ++steps }
        world.stepped.connect(count)
        tryVerify(function () { return steps >= 120 }, 30000)
        world.stepped.disconnect(count)
        // Box2D lets a limit give by up to its angular slop of 2 degrees under load.
        verify(Math.abs(named.seesaw.rotation) < 0.35 * 180 / Math.PI + 3, "seesaw within its limits: " + named.seesaw.rotation)
        // The level's origin is the scene's bottom edge; the ground is 32 pixels high.
        for (var i = 0; i < 3; ++i) {
            var crate = named["crate" + i]
            verify(crate.y < -32 && crate.y > -320, crate.objectName + " rests above the ground: " + crate.y)
            verify(crate.x > 0 && crate.x < 480, crate.objectName + " stays in the scene: " + crate.x)
        }
        window.close()
        window.destroy()
    }
}
