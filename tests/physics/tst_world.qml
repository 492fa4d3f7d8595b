import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Exact values of a world stepped by hand: pixelsPerMeter 32, gravity (0, 10),
// steps of 1/60 s. Box2D integrates with semi-implicit Euler, so after n steps of
// h seconds a body has fallen g h^2 n (n + 1) / 2 meters.
Item {
    id: root
    width: 480
    height: 320

    World {
        id: world
        running: false
    }

    Component {
        id: fallingBox
        Rectangle {
            property alias body: body
            width: 32; height: 32
            Body {
                id: body
                world: world
                bodyType: Body.Dynamic
                Box { width: 32; height: 32; density: 1 }
            }
        }
    }

    Component {
        id: contactScene
        Item {
            property alias ground: ground
            property alias ball: ball
            property alias groundFixture: groundFixture
            property alias ballFixture: ballFixture
            property alias ballBody: ballBody
            Rectangle {
                id: ground
                y: 100; width: 200; height: 20
                Body { world: world; Box { id: groundFixture; objectName: "box"; width: 200; height: 20 } }
            }
            Rectangle {
                id: ball
                x: 84; y: 60; width: 32; height: 32
                Body {
                    id: ballBody
                    world: world
                    bodyType: Body.Dynamic
                    Circle { id: ballFixture; objectName: "circle"; radius: 16; density: 1 }
                }
            }
        }
    }

    TestCase {
        name: "World"

        function fuzzy(actual, expected, message) {
            verify(Math.abs(actual - expected) < 1e-4, message + ": " + actual + " != " + expected)
        }

        function test_defaults() {
            compare(world.gravity, Qt.point(0, 10))
            compare(world.timeStep, 1 / 60)
            compare(world.velocityIterations, 8)
            compare(world.positionIterations, 3)
            compare(world.pixelsPerMeter, 32)
            compare(world.autoClearForces, true)
            compare(world.enableContactEvents, true)
            compare(Box2D.defaultWorld, world)
        }

        function test_fallingBox() {
            var item = createTemporaryObject(fallingBox, root)
            world.step(1 / 60)
            fuzzy(item.body.linearVelocity.x, 0, "vx after one step")
            fuzzy(item.body.linearVelocity.y, 10 / 60 * 32, "vy after one step")
            fuzzy(item.y, 10 / 3600 * 32, "y after one step")
            world.step(1 / 60)
            fuzzy(item.body.linearVelocity.y, 20 / 60 * 32, "vy after two steps")
            fuzzy(item.y, 3 * 10 / 3600 * 32, "y after two steps")
            compare(item.x, 0)
            compare(item.rotation, 0)
        }

        function test_masses() {
            var box = createTemporaryQmlObject("import Zarno 2.0; Body { world: world; bodyType: Body.Dynamic; Box { width: 32; height: 32; density: 1 } }", root)
            var circle = createTemporaryQmlObject("import Zarno 2.0; Body { world: world; bodyType: Body.Dynamic; Circle { radius: 16; density: 1 } }", root)
            fuzzy(box.getMass(), 1024, "box mass")
            fuzzy(circle.getMass() / 1000, 804.24772 / 1000, "circle mass")
            fuzzy(circle.getLocalCenter().x, 16, "circle centre x")
            fuzzy(circle.getLocalCenter().y, 16, "circle centre y")
        }

        function test_toWorldPoint_data() {
            return [
                { tag: "top-left origin", origin: Item.TopLeft, x: 100, y: 50, w: 32, h: 32,
                  local: Qt.point(32, 0), expected: Qt.point(100, 82) },
                { tag: "top-left origin, y axis", origin: Item.TopLeft, x: 100, y: 50, w: 32, h: 32,
                  local: Qt.point(0, 32), expected: Qt.point(68, 50) },
                // The corner moves when the item turns about its centre.
                { tag: "centre origin", origin: Item.Center, x: 0, y: 0, w: 100, h: 50,
                  local: Qt.point(0, 0), expected: Qt.point(75, -25) },
            ]
        }

        function test_toWorldPoint(data) {
            var item = createTemporaryQmlObject("import QtQuick 2.0; import Zarno 2.0; Item { property alias body: b; Body { id: b; world: world; Box { width: 10; height: 10 } } }", root)
            item.transformOrigin = data.origin
            item.width = data.w
            item.height = data.h
            item.x = data.x
            item.y = data.y
            item.rotation = 90
            world.step(0)   // takes the body to its moved target
            var point = item.body.toWorldPoint(data.local)
            fuzzy(point.x, data.expected.x, "x")
            fuzzy(point.y, data.expected.y, "y")
        }

        function test_contactOrder() {
            var scene = createTemporaryObject(contactScene, root)
            var log = []
            var normals = {}
            var onPre = function () { log.push("preSolve") }
            var onPost = function () { log.push("postSolve") }
            var onStepped = function () { log.push("stepped") }
            world.preSolve.connect(onPre)
            world.postSolve.connect(onPost)
            world.stepped.connect(onStepped)
            scene.ballBody.positionChanged.connect(function () { log.push("position") })
            var fixtures = [scene.groundFixture, scene.ballFixture]
            fixtures.forEach(function (fixture) {
                fixture.beginContact.connect(function (other, normal) {
                    log.push("begin " + fixture.objectName + " with " + other.objectName)
                    normals[fixture.objectName] = normal
                })
                fixture.endContact.connect(function (other) { log.push("end " + fixture.objectName + " with " + other.objectName) })
                fixture.contactChanged.connect(function (other) { log.push("changed " + fixture.objectName) })
            })

            var steps = 0
            while (log.indexOf("begin box with circle") < 0 && steps < 120) {
                log = []
                world.step(1 / 60)
                ++steps
            }
            world.preSolve.disconnect(onPre)
            world.postSolve.disconnect(onPost)
            world.stepped.disconnect(onStepped)
            verify(steps > 1 && steps < 120, "steps until touching: " + steps)
            compare(log, ["preSolve", "postSolve", "position",
                          "begin box with circle", "begin circle with box",
                          "changed box", "changed circle", "stepped"])
            compare(normals.box, Qt.point(0, -1))
            compare(normals.circle, Qt.point(0, 1))

            log = []
            scene.ball.y = 0
            world.step(1 / 60)
            compare(log.filter(function (entry) { return entry.indexOf("end") === 0 }),
                    ["end box with circle", "end circle with box"])
        }

        function test_refusedWorldValues_data() {
            return [
                { tag: "ppm zero", property: "pixelsPerMeter", value: 0, warning: "World: pixelsPerMeter must be > 0.0f" },
                { tag: "ppm negative", property: "pixelsPerMeter", value: -5, warning: "World: pixelsPerMeter must be > 0.0f" },
                { tag: "ppm NaN", property: "pixelsPerMeter", value: NaN, warning: "World: pixelsPerMeter must be > 0.0f" },
                { tag: "time step zero", property: "timeStep", value: 0, warning: "World: timeStep must be > 0.0f" },
                { tag: "time step NaN", property: "timeStep", value: NaN, warning: "World: timeStep must be > 0.0f" },
            ]
        }

        function test_refusedWorldValues(data) {
            var before = world[data.property]
            var spy = createTemporaryQmlObject("import QtTest 1.2; SignalSpy {}", root)
            spy.target = world
            spy.signalName = data.property + "Changed"
            ignoreWarning(data.warning)
            world[data.property] = data.value
            compare(world[data.property], before)
            compare(spy.count, 0)
        }

        function test_fixtureValidation_data() {
            return [
                { tag: "polygon of 2", qml: "Polygon { vertices: [Qt.point(0, 0), Qt.point(10, 0)] }",
                  warning: "Polygon: Invalid number of vertices: 2" },
                { tag: "polygon of 9", qml: "Polygon { vertices: [Qt.point(0,0),Qt.point(10,0),Qt.point(20,5),Qt.point(25,10),Qt.point(25,20),Qt.point(20,25),Qt.point(10,30),Qt.point(0,30),Qt.point(-5,15)] }",
                  warning: "Polygon: Invalid number of vertices: 9" },
                { tag: "polygon repeated", qml: "Polygon { vertices: [Qt.point(0, 0), Qt.point(0, 0), Qt.point(10, 10)] }",
                  warning: "Polygon: vertices are too close together" },
                { tag: "polygon A B A", qml: "Polygon { vertices: [Qt.point(0, 0), Qt.point(10, 0), Qt.point(0, 0)] }",
                  warning: "Polygon: the vertices enclose no area (repeated, collinear or too close points)" },
                { tag: "polygon collinear", qml: "Polygon { vertices: [Qt.point(0, 0), Qt.point(10, 0), Qt.point(20, 0)] }",
                  warning: "Polygon: the vertices enclose no area (repeated, collinear or too close points)" },
                { tag: "chain loop of 2", qml: "Chain { loop: true; vertices: [Qt.point(0, 0), Qt.point(10, 0)] }",
                  warning: "Chain: Invalid number of vertices: 2" },
                { tag: "chain loop closed twice", qml: "Chain { loop: true; vertices: [Qt.point(0, 0), Qt.point(10, 0), Qt.point(10, 10), Qt.point(0, 0)] }",
                  warning: "Chain: vertices are too close together" },
                { tag: "edge of 3", qml: "Edge { vertices: [Qt.point(0, 0), Qt.point(10, 0), Qt.point(20, 0)] }",
                  warning: "Edge: Invalid number of vertices: 3" },
                { tag: "edge of one point", qml: "Edge { vertices: [Qt.point(5, 5), Qt.point(5, 5)] }",
                  warning: "Edge: vertices are too close together" },
                { tag: "open chain of 2", qml: "Chain { vertices: [Qt.point(0, 0), Qt.point(10, 0)] }", warning: "" },
            ]
        }

        function test_fixtureValidation(data) {
            if (data.warning)
                ignoreWarning(data.warning)
            var body = createTemporaryQmlObject("import Zarno 2.0; Body { world: world; bodyType: Body.Dynamic; " + data.qml + " }", root)
            var point = Qt.point(5, 1)
            // A refused fixture takes part in nothing; a chain never contains a point either.
            compare(world.bodyAt(point), null)
            compare(body.fixtures.length, 1)
            compare(body.fixtures[0].getBody(), body)
        }
    }
}
