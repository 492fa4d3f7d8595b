import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Physics scene files: conversion to pixels and clockwise degrees, the world's
// settings, documents named by custom properties, a motor-driven joint that
// stops at its limit, and damaged files that build what they can.
TestCase {
    id: testCase
    name: "RubeParser"
    when: windowShown
    visible: true

    World { id: world; running: false }
    Item { id: container }
    RubeParser {
        id: parser
        entitiesFolder: Qt.resolvedUrl("data/entities/")
        assetsFolder: Qt.resolvedUrl("../../qml/Zarno/input/")
    }
    SignalSpy { id: ready; target: parser; signalName: "levelReady" }

    readonly property real degrees: 180 / Math.PI

    function square(half) {
        return { x: [-half, half, half, -half], y: [-half, -half, half, half] }
    }

    function scene() {
        return {
            gravity: { x: 0, y: -10 }, stepsPerSecond: 30, positionIterations: 5, velocityIterations: 9,
            body: [
                { name: "anchor", type: 0, position: { x: 2, y: 3 },
                  fixture: [{ density: 1, circle: { radius: 0.5, center: { x: 1, y: 0 } }, "filter-categoryBits": 2 }],
                  customProperties: [{ name: "label", string: "post" }, { name: "count", int: 4 },
                                     { name: "weight", float: 1.5 }, { name: "solid", bool: true },
                                     { name: "offset", vec2: { x: 1, y: 2 } }, { name: "flat", vec2: 0 }] },
                { name: "ball", type: 2, position: { x: 5, y: 0 }, angle: 0.5,
                  fixture: [{ density: 1, friction: 0.3, circle: { radius: 0.25, center: 0 } }],
                  customProperties: [{ name: "qmlType", string: "Crate" }] },
                { name: "spinner", type: 1, position: { x: 8, y: 0 }, angularVelocity: 1, linearVelocity: { x: 1, y: 0 },
                  fixture: [{ density: 1, polygon: { vertices: square(0.5) } }] },
                { type: 2, position: { x: 2, y: 3 }, gravityScale: 0,
                  fixture: [{ density: 1, polygon: { vertices: square(0.5) } }] }
            ],
            image: [
                { body: 1, file: "joystick_thumb.png", corners: square(0.25), renderOrder: 3, flip: true, filter: 1 },
                { body: -1, file: "joystick_thumb.png", corners: { x: [0, 2, 2, 0], y: [0, 0, 1, 1] }, filter: 0, angle: Math.PI / 2 }
            ],
            joint: [
                { type: "revolute", bodyA: 0, bodyB: 3, anchorA: 0, anchorB: 0, enableLimit: true, lowerLimit: -0.5,
                  upperLimit: 0.25, enableMotor: true, motorSpeed: 2, maxMotorTorque: 1000 }
            ]
        }
    }

    function cleanup() {
        world.running = false
        for (var i = 0; i < parser.joints.length; ++i)
            parser.joints[i].destroy()
        parser.joints = []
        parser.clearLevel()
        wait(0)
    }

    function build(sceneObject) {
        parser.setupLevelFromObject(sceneObject, Qt.resolvedUrl("data/scene.json"), world, container)
    }

    function test_sceneConvertsToPixelsAndClockwiseDegrees() {
        build(scene())
        compare(parser.bodies.length, 4)
        var anchor = parser.bodies[0], ball = parser.bodies[1], spinner = parser.bodies[2], wheel = parser.bodies[3]
        compare([anchor.x, anchor.y, anchor.objectName, wheel.objectName], [64, -96, "anchor", "unnamedBody"])
        compare([anchor.bodyType, ball.bodyType, spinner.bodyType], [Body.Static, Body.Dynamic, Body.Kinematic])
        var circle = anchor.fixtures[0]
        compare([circle.radius, circle.x, circle.y, circle.categories], [16, 16, -16, 2])
        fuzzyCompare(circle.density, 1 / 1024, 1e-9)
        compare(anchor.customProperties.label, "post")
        compare([anchor.customProperties.count, anchor.customProperties.weight, anchor.customProperties.solid], [4, 1.5, true])
        compare([anchor.customProperties.offset, anchor.customProperties.flat], [Qt.point(1, 2), Qt.point(0, 0)])
        verify(ball.fromCrateDocument)
        compare(ball.initializedCount, 1)
        fuzzyCompare(ball.rotation, -0.5 * degrees, 1e-3)
        fuzzyCompare(spinner.angularVelocity, -degrees, 1e-3)
        compare(spinner.linearVelocity, Qt.point(32, 0))
        compare(spinner.fixtures[0].vertices[2], Qt.point(16, -16))
        compare(world.gravity, Qt.point(0, 10))
        fuzzyCompare(world.timeStep, 1 / 30, 1e-6)
        compare([world.positionIterations, world.velocityIterations], [5, 9])

        var onBall = parser.images[0], loose = parser.images[1]
        compare(onBall.parent, ball)
        compare([onBall.x, onBall.y, onBall.width, onBall.height, onBall.mirrorX, ball.z], [-8, -8, 16, 16, true, 3])
        compare([loose.parent, loose.x, loose.y, loose.width, loose.height, loose.smooth], [container, 0, -32, 64, 32, false])
        fuzzyCompare(loose.rotation, -90, 1e-6)
        compare(String(loose.source), String(Qt.resolvedUrl("../../qml/Zarno/input/joystick_thumb.png")))

        var joint = parser.joints[0]
        fuzzyCompare(joint.lowerAngle, -0.25 * degrees, 1e-3)
        fuzzyCompare(joint.upperAngle, 0.5 * degrees, 1e-3)
        fuzzyCompare(joint.motorSpeed, -2 * degrees, 1e-3)
        compare([joint.bodyA, joint.bodyB], [anchor.body, wheel.body])
    }

    function test_sceneSimulatesInTheFilesDirections() {
        build(scene())
        var ball = parser.bodies[1], spinner = parser.bodies[2], wheel = parser.bodies[3]
        var ballY = ball.y, spinnerX = spinner.x
        world.running = true
        // The motor turns the wheel counter-clockwise until the upper limit stops it.
        tryVerify(function () { return wheel.rotation < -14 }, 3000, "wheel turns counter-clockwise")
        wait(300)
        verify(wheel.rotation > -0.25 * degrees - 1, "the limit holds: " + wheel.rotation)
        verify(ball.y > ballY + 10, "the ball falls")
        verify(spinner.rotation < -20, "the spinner turns counter-clockwise: " + spinner.rotation)
        verify(spinner.x > spinnerX + 10, "the spinner moves right")
    }

    function test_stepRate_data() {
        return [{ tag: "zero", steps: 0, expected: 1 / 60 }, { tag: "thirty", steps: 30, expected: 1 / 30 }]
    }

    function test_stepRate(data) {
        build({ stepsPerSecond: data.steps })
        fuzzyCompare(world.timeStep, data.expected, 1e-6)
    }

    function test_fileIsFetchedAndBuilt() {
        verify(fileUtils.writeFile("rubetest/scene.json", JSON.stringify(scene())))
        ready.clear()
        parser.setupLevelFromJSON(fileUtils.getDataStorageUrl("rubetest/scene.json"), world, container)
        compare(parser.bodies.length, 0)   // built after the current event
        ready.wait(2000)
        compare(parser.bodies.length, 4)
        compare(parser.joints.length, 1)
    }

    function test_damagedScenesBuildWhatTheyCan_data() {
        var body = { type: 2, position: { x: 1, y: 1 }, fixture: [{ density: 1, circle: { radius: 0.5 } }] }
        return [
            { tag: "not JSON", text: "{ \"body\": [", warnings: ["RubePaser: Error parsing JSON file:"], bodies: 0 },
            { tag: "not an object", text: "[1, 2]", warnings: ["RubePaser: Error parsing JSON file:"], bodies: 0 },
            { tag: "body not a list", scene: { body: 5, image: "x" }, warnings: [], bodies: 0 },
            { tag: "bad body type", scene: { body: [{ type: 7 }, body] }, warnings: ["RubeBody: Invalid body type in RUBE JSON: 7"], bodies: 2 },
            { tag: "fixture without shape", scene: { body: [{ type: 2, fixture: [{ density: 1 }, { polygon: { vertices: { x: [0, 1], y: [0, 1] } } }] }] },
              warnings: ["RubeParser: Invalid fixture type", "RubeParser: Invalid fixture type"], bodies: 1, fixtures: 0 },
            { tag: "missing document", scene: { body: [{ customProperties: [{ name: "qmlType", string: "Nothing" }] }, body] },
              warnings: ["RubeManager: Component for", "RubeManager: errorString", "RubeParser: Could not create entity"], bodies: 1 },
            { tag: "unknown custom type", scene: { body: [{ customProperties: [{ name: "odd", matrix: 1 }] }] },
              warnings: ["RubeUtils: Invalid type of custom property odd"], bodies: 1 },
            { tag: "bad joints", scene: { body: [body], joint: [{ type: "weld", bodyA: 0, bodyB: 0 }, { type: "revolute", bodyA: 0, bodyB: 4 }, { bodyA: 0 }] },
              warnings: ["RubeParser: Invalid joint type", "RubeParser: revolute joint 1 names a body"], bodies: 1 },
            { tag: "bad image filter", scene: { body: [body], image: [{ body: 0, filter: 3, corners: { x: [0], y: [0] } }] },
              warnings: ["RubeImage: Invalid filter setting: 3"], bodies: 1 },
        ]
    }

    function test_damagedScenesBuildWhatTheyCan(data) {
        for (var i = 0; i < data.warnings.length; ++i)
            ignoreWarning(new RegExp("^" + data.warnings[i].replace(/[.*+?^${}()|[\]\\]/g, "\\$&")))
        if (data.text !== undefined)
            parser.__build(data.text, "data/scene.json", world, container)
        else
            build(data.scene)
        compare(parser.bodies.length, data.bodies)
        if (data.fixtures !== undefined)
            compare(parser.bodies[0].fixtures.length, data.fixtures)
        world.running = true
        wait(50)   // what was built steps without trouble
    }
}
