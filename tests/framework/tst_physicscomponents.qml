import QtQuick 2.0
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

// PhysicsWorld and the colliders that give entities their bodies.
TestCase {
    id: testCase
    name: "PhysicsComponents"

    // Entities follow their visibility, and the test case itself is hidden.
    Window {
        Item { id: stage; width: 320; height: 240 }
    }

    Component {
        id: worldComponent
        PhysicsWorld { running: false }
    }

    Component {
        id: entityComponent
        EntityBase {
            property alias box: box
            property alias circle: circle
            property alias polygon: polygon
            entityType: "crate"
            width: 40
            height: 20
            BoxCollider { id: box; x: 4; y: 2; density: 0.5 }
            CircleCollider { id: circle; radius: 10; active: false }
            PolygonCollider { id: polygon; vertices: [Qt.point(0, 0), Qt.point(10, 0), Qt.point(0, 10)]; collisionTestingOnlyMode: true }
        }
    }

    function makeScene() {
        var world = createTemporaryObject(worldComponent, stage)
        Box2D.setDefaultWorld(world)
        var entity = createTemporaryObject(entityComponent, stage, { x: 100, y: 50 })
        return { world: world, entity: entity }
    }

    function test_physicsWorldDefaults() {
        var world = createTemporaryObject(worldComponent, stage)
        compare(world.gravity, Qt.point(0, 0))
        fuzzyCompare(world.timeStep, 1 / 30, 1e-7)
        world.updatesPerSecondForPhysics = 60
        fuzzyCompare(world.timeStep, 1 / 60, 1e-7)
        compare(world.width, 320)
        compare(world.debugDraw.world, world)
        compare(world.debugDrawVisible, system.debugBuild)
    }

    function test_boxFollowsItsEntity() {
        var scene = makeScene()
        var collider = scene.entity.getComponent("boxCollider")
        compare(collider, scene.entity.box)
        compare(collider.colliderType, "box")
        compare(collider.body.target, scene.entity)
        compare(collider.fixture.x, 4)
        compare(collider.fixture.y, 2)
        compare(collider.fixture.width, 40)
        compare(collider.fixture.height, 20)
        // Density is mass per square pixel: the box's mass is its area times it.
        fuzzyCompare(collider.body.getMass(), 40 * 20 * 0.5, 1e-3)
        scene.entity.width = 60
        compare(collider.fixture.width, 60)
        fuzzyCompare(collider.body.getMass(), 60 * 20 * 0.5, 1e-3)
    }

    function test_hidingDeactivatesBodies() {
        var scene = makeScene()
        var body = scene.entity.box.body
        scene.world.gravity = Qt.point(0, 10)
        compare(body.active, true)
        compare(scene.entity.circle.body.active, false)   // its own switch is off
        scene.entity.visible = false
        compare(body.active, false)
        for (var i = 0; i < 10; ++i)
            scene.world.step(1 / 30)
        compare(scene.entity.y, 50)
        scene.entity.visible = true
        compare(body.active, true)
        scene.world.step(1 / 30)
        verify(scene.entity.y > 50)
    }

    function test_otherShapesAndTestingMode() {
        var scene = makeScene()
        compare(scene.entity.getComponent("circleCollider"), scene.entity.circle)
        compare(scene.entity.circle.fixture.radius, 10)
        compare(scene.entity.getComponent("PolygonCollider"), scene.entity.polygon)
        compare(scene.entity.polygon.fixture.vertices.length, 3)
        compare(scene.entity.polygon.sensor, true)
        compare(scene.entity.polygon.sleepingAllowed, false)
        compare(scene.entity.box.sensor, false)
        scene.entity.box.collisionTestingOnlyMode = true
        compare(scene.entity.box.sensor, true)
        compare(scene.entity.box.sleepingAllowed, false)
    }
}
