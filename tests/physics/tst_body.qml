import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Bodies and their items in both directions, chains, sensors, queries, the contact
// queue under handlers that change bodies, and stepping by the scheduler.
Item {
    id: root
    width: 480
    height: 320

    World { id: world; running: false }
    World { id: otherWorld; running: false }

    Component {
        id: dynamicBox
        Rectangle {
            property alias body: body
            property alias fixture: fixture
            width: 32; height: 32
            Body {
                id: body
                world: world
                bodyType: Body.Dynamic
                Box { id: fixture; width: 32; height: 32; density: 1 }
            }
        }
    }

    Component {
        id: staticBox
        Rectangle {
            property alias body: body
            property alias fixture: fixture
            property int contactChanges: 0
            width: 200; height: 20
            Body { id: body; world: world; Box { id: fixture; width: 200; height: 20; onContactChanged: ++contactChanges } }
        }
    }

    TestCase {
        name: "Body"

        function steps(count) {
            for (var i = 0; i < count; ++i)
                world.step(1 / 60)
        }

        function test_followsItsMovedTarget() {
            var ground = createTemporaryObject(staticBox, root)
            ground.x = 300
            ground.y = 200
            compare(world.bodyAt(Qt.point(310, 210)), null)   // moved only at the next step
            world.step(0)
            compare(world.bodyAt(Qt.point(310, 210)), ground.body)
            compare(world.bodyAt(Qt.point(10, 10)), null)
        }

        function test_bodyAt() {
            var older = createTemporaryObject(staticBox, root)
            var newer = createTemporaryObject(staticBox, root)
            world.step(0)
            compare(world.bodyAt(Qt.point(50, 10)), newer.body)
            newer.body.active = false
            compare(world.bodyAt(Qt.point(50, 10)), older.body)
            older.body.active = false
            compare(world.bodyAt(Qt.point(50, 10)), null)
        }

        // Box2D 2.4 chains collide from one side; ours from both, in either order.
        function test_chainHoldsFromEitherSide_data() {
            return [
                { tag: "left to right, from above", reversed: false, below: false },
                { tag: "right to left, from above", reversed: true, below: false },
                { tag: "left to right, from below", reversed: false, below: true },
                { tag: "right to left, from below", reversed: true, below: true },
            ]
        }

        function test_chainHoldsFromEitherSide(data) {
            var points = [Qt.point(0, 160), Qt.point(100, 160), Qt.point(200, 160)]
            if (data.reversed)
                points.reverse()
            var vertices = points.map(function (p) { return "Qt.point(" + p.x + ", " + p.y + ")" }).join(", ")
            createTemporaryQmlObject("import QtQuick 2.0; import Zarno 2.0; Item { Body { world: world; Chain { vertices: [" + vertices + "] } } }", root)
            // Clear of the middle vertex: one segment, one contact.
            var box = createTemporaryObject(dynamicBox, root, { x: 20, y: data.below ? 200 : 100 })
            box.body.gravityScale = data.below ? -1 : 1
            var begins = 0
            box.fixture.beginContact.connect(function () { ++begins })
            steps(90)
            if (data.below)
                verify(Math.abs(box.y - 160) < 1, "held below: " + box.y)
            else
                verify(Math.abs(box.y + 32 - 160) < 1, "held above: " + box.y)
            compare(begins, 1)
        }

        function test_sensorReportsZeroNormal() {
            var ground = createTemporaryObject(staticBox, root, { y: 100 })
            ground.fixture.sensor = true
            var box = createTemporaryObject(dynamicBox, root, { x: 50, y: 60 })
            var normals = []
            box.fixture.beginContact.connect(function (other, normal) { normals.push(normal) })
            steps(60)
            compare(normals, [Qt.point(0, 0)])
            verify(box.y > 120, "fell through the sensor: " + box.y)
        }

        // A handler that rebuilds a fixture causes an end contact while events are
        // delivered: it comes with the next step, before the new begin.
        function test_contactQueueUnderChangingHandlers() {
            var ground = createTemporaryObject(staticBox, root, { y: 100 })
            var box = createTemporaryObject(dynamicBox, root, { x: 50, y: 60 })
            var log = []
            ground.fixture.beginContact.connect(function () {
                log.push("begin")
                if (box.fixture.width === 32)
                    box.fixture.width = 30
            })
            ground.fixture.endContact.connect(function () { log.push("end") })
            steps(90)
            compare(log, ["begin", "end", "begin"])
            verify(ground.contactChanges > 30, "contactChanged reaches QML handlers: " + ground.contactChanges)
        }

        // Moving a body to another world in a handler drops the events of its
        // fixtures that wait in the same delivery.
        function test_eventsOfMovedBodyAreDropped() {
            var ground = createTemporaryObject(staticBox, root, { y: 100 })
            var left = createTemporaryObject(dynamicBox, root, { x: 10, y: 60 })
            var right = createTemporaryObject(dynamicBox, root, { x: 100, y: 60 })
            var seen = []
            ground.fixture.beginContact.connect(function (other) {
                seen.push(other === left.fixture ? "left" : "right")
                var away = other === left.fixture ? right : left
                away.body.world = otherWorld
            })
            left.fixture.beginContact.connect(function () { seen.push("left's own") })
            right.fixture.beginContact.connect(function () { seen.push("right's own") })
            steps(60)
            compare(seen.length, 2)
            verify(seen[1] === seen[0] + "'s own", seen.join())
            compare(otherWorld.bodyAt(Qt.point(left.x + 5, left.y + 5)) !== null
                    || otherWorld.bodyAt(Qt.point(right.x + 5, right.y + 5)) !== null, true)
        }

        function test_fallsAsleepAndSaysSo() {
            createTemporaryObject(staticBox, root, { y: 100 })
            var box = createTemporaryObject(dynamicBox, root, { x: 50, y: 60 })
            var spy = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: 'awakeChanged' }", root)
            spy.target = box.body
            steps(200)
            compare(box.body.awake, false)
            compare(spy.count, 1)
            box.body.applyLinearImpulse(Qt.point(0, -500), box.body.getWorldCenter())
            compare(box.body.awake, true)
            steps(1)
            compare(spy.count, 2)
        }

        function test_pixelsPerMeterRebuildsFixtures() {
            var box = createTemporaryObject(dynamicBox, root)
            compare(box.body.getMass(), 1024)
            world.pixelsPerMeter = 64
            // The fixture keeps its meters-based density and is half as long in meters.
            compare(box.body.getMass(), 256)
            compare(box.fixture.density, 0.25)
            world.pixelsPerMeter = 32
            compare(box.body.getMass(), 1024)
        }

        function test_localForceTurnsWithTheBody() {
            var box = createTemporaryObject(dynamicBox, root, { rotation: 90 })
            box.body.gravityScale = 0
            box.body.fixedRotation = true
            box.body.force = Qt.point(1024, 0)
            steps(3)
            // Applied after each step, it acts in the next: 2 steps of 32 N on 1024 kg.
            verify(Math.abs(box.body.linearVelocity.y - 2 * 32 / 1024 / 60 * 32) < 1e-5, "pushed down the turned x axis: " + box.body.linearVelocity)
            verify(Math.abs(box.body.linearVelocity.x) < 1e-6, "not along the world's x axis")
        }

        function test_rayCast_data() {
            return [
                { tag: "whole ray", maxFraction: 1, hits: 2 },
                { tag: "first hit only", maxFraction: 0, hits: 1 },
                { tag: "up to the first box", maxFraction: 0.5, hits: 1 },
                { tag: "before the boxes", maxFraction: 0.1, hits: 0 },
            ]
        }

        function test_rayCast(data) {
            var a = createTemporaryObject(staticBox, root, { x: 100, y: 100 })
            var b = createTemporaryObject(staticBox, root, { x: 100, y: 200 })
            world.step(0)
            var ray = createTemporaryQmlObject("import Zarno 2.0; RayCast {}", root)
            ray.maxFraction = data.maxFraction
            var hits = []
            ray.fixtureReported.connect(function (fixture, point, normal, fraction) {
                hits.push({ fixture: fixture, point: point, normal: normal, fraction: fraction })
            })
            world.rayCast(ray, Qt.point(150, 0), Qt.point(150, 300))
            compare(hits.length, data.hits)
            hits.forEach(function (hit) {
                var top = hit.fixture === a.fixture ? 100 : 200
                if (data.maxFraction === 0.5)
                    compare(hit.fixture, a.fixture)
                verify(Math.abs(hit.point.y - top) < 0.5, "hit the top face: " + hit.point)
                verify(Math.abs(hit.fraction - top / 300) < 1e-3)
                compare(hit.normal, Qt.point(0, -32))
            })
            world.rayCast(ray, Qt.point(150, 150), Qt.point(150, 150))   // zero length: nothing
            compare(hits.length, data.hits)
        }

        function test_defaultAndFallbackWorlds() {
            compare(Box2D.defaultWorld, world)
            Box2D.setDefaultWorld(null)
            var fallback = Box2D.defaultWorld
            verify(fallback !== world && fallback !== otherWorld)
            compare(fallback.running, false)
            Box2D.defaultWorld = otherWorld
            var body = createTemporaryQmlObject("import Zarno 2.0; Body {}", root)
            compare(body.world, otherWorld)
            Box2D.setDefaultWorld(world)
            compare(Box2D.defaultWorld, world)
        }

        function test_steppedByTheScheduler() {
            var running = createTemporaryQmlObject("import Zarno 2.0; World { }", root)
            var box = createTemporaryObject(dynamicBox, root)
            box.body.world = running
            tryVerify(function () { return box.y > 10 }, 3000)
            running.running = false
            var pausedAt = box.y
            wait(100)
            compare(box.y, pausedAt)
            running.running = true
            tryVerify(function () { return box.y > pausedAt + 10 }, 3000)
        }
    }
}
