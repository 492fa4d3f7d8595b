import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Joints on a world stepped by hand: physical invariants with exact bounds,
// deferred creation, validation and the life of joints beside their bodies.
TestCase {
    id: testCase
    name: "Joints"

    Component {
        id: worldComponent
        World { running: false; pixelsPerMeter: 32 }
    }

    // A 32 x 32 item driven by a body with one box.
    Component {
        id: boxComponent
        Item {
            id: item
            property alias body: body
            property var world: null
            property int bodyType: Body.Dynamic
            width: 32
            height: 32
            Body {
                id: body
                world: item.world
                target: item
                bodyType: item.bodyType
                Box { width: item.width; height: item.height; density: 1 }
            }
        }
    }

    Component {
        id: spyComponent
        SignalSpy { }
    }

    function makeWorld() {
        return createTemporaryObject(worldComponent, testCase)
    }

    function makeBox(world, x, y, bodyType, width, height) {
        var props = { world: world, x: x, y: y, bodyType: bodyType === undefined ? Body.Dynamic : bodyType }
        if (width !== undefined)
            props.width = width
        if (height !== undefined)
            props.height = height
        return createTemporaryObject(boxComponent, testCase, props)
    }

    // Bodies go last: a joint takes its other properties at creation.
    function makeJoint(type, props) {
        var joint = createTemporaryQmlObject("import Zarno 2.0\n" + type + " {}", testCase)
        for (var key in props) {
            if (key !== "bodyA" && key !== "bodyB")
                joint[key] = props[key]
        }
        if (props.bodyA !== undefined)
            joint.bodyA = props.bodyA
        if (props.bodyB !== undefined)
            joint.bodyB = props.bodyB
        return joint
    }

    function spyOn(target, signalName) {
        return createTemporaryObject(spyComponent, testCase, { target: target, signalName: signalName })
    }

    function centre(item) {
        return Qt.point(item.x + item.width / 2, item.y + item.height / 2)
    }

    function distance(a, b) {
        var ca = centre(a), cb = centre(b)
        return Math.sqrt((ca.x - cb.x) * (ca.x - cb.x) + (ca.y - cb.y) * (ca.y - cb.y))
    }

    function steps(world, count, check) {
        for (var i = 0; i < count; ++i) {
            world.step(1 / 60)
            if (check)
                check(i)
        }
    }

    function test_rigidDistanceJointKeepsItsLength() {
        var world = makeWorld()
        var anchor = makeBox(world, 100, 100, Body.Static)
        var ball = makeBox(world, 164, 100)
        // A static body's centre of mass is its origin: anchor A is given.
        var joint = makeJoint("DistanceJoint", { bodyA: anchor.body, bodyB: ball.body, localAnchorA: Qt.point(16, 16) })
        steps(world, 60, function (i) {
            var d = distance(anchor, ball)
            verify(Math.abs(d - 64) <= 0.5, "step " + i + ": " + d)
        })
        // The pendulum swung: the joint holds while the body moves.
        verify(ball.y > 130, ball.y)

        // A live change of the length moves both limits without inverting them.
        joint.length = 96
        steps(world, 60)
        fuzzyCompare(distance(anchor, ball), 96, 0.5)
        joint.length = 40
        steps(world, 60)
        fuzzyCompare(distance(anchor, ball), 40, 0.5)
    }

    function test_springDistanceJointStretches() {
        var world = makeWorld()
        var anchor = makeBox(world, 100, 100, Body.Static)
        var ball = makeBox(world, 100, 164)
        makeJoint("DistanceJoint", { bodyA: anchor.body, bodyB: ball.body, localAnchorA: Qt.point(16, 16),
                                     frequencyHz: 1, dampingRatio: 0.5 })
        var longest = 0
        steps(world, 60, function () { longest = Math.max(longest, distance(anchor, ball)) })
        // Gravity stretches the spring beyond its rest length, which a rigid joint forbids.
        verify(longest > 70, longest)
    }

    function test_ropeHoldsFallingBody() {
        var world = makeWorld()
        var anchor = makeBox(world, 100, 100, Body.Static)
        var weight = makeBox(world, 100, 140)
        var rope = makeJoint("RopeJoint", { bodyA: anchor.body, bodyB: weight.body, localAnchorA: Qt.point(16, 16),
                                            maxLength: 96 })
        compare(rope.jointType, Joint.RopeJoint)
        var longest = 0
        steps(world, 120, function () { longest = Math.max(longest, distance(anchor, weight)) })
        verify(longest <= 96.5, longest)
        verify(longest > 95, longest)   // slack below its length: the body fell to it
    }

    function test_revoluteLimitInClockwiseDegrees() {
        var world = makeWorld()
        var ground = makeBox(world, 100, 100, Body.Static, 10, 10)
        var arm = makeBox(world, 100, 100, Body.Dynamic, 100, 10)
        var hinge = makeJoint("RevoluteJoint", {
            bodyA: ground.body, bodyB: arm.body, localAnchorA: Qt.point(0, 5),
            enableLimit: true, lowerAngle: -10, upperAngle: 30 })
        // The arm falls clockwise on screen and stops at the upper angle.
        steps(world, 240)
        fuzzyCompare(hinge.getJointAngle(), 30, 1)
        fuzzyCompare(arm.rotation, 30, 1)

        // Live limit changes, even ones that pass each other, never abort. A
        // limit tightened onto the arm leaves it within Box2D's angular slop (2°).
        hinge.upperAngle = 20
        steps(world, 120)
        var angle = hinge.getJointAngle()
        verify(angle >= 19.5 && angle <= 22.1, angle)
        hinge.lowerAngle = 60
        steps(world, 240)
        fuzzyCompare(hinge.getJointAngle(), 60, 1)
    }

    function test_refusedValues_data() {
        return [
            { tag: "friction force", type: "FrictionJoint", property: "maxForce", value: -1, text: "FrictionJoint: Invalid maxForce: -1" },
            { tag: "friction force NaN", type: "FrictionJoint", property: "maxForce", value: NaN, text: "FrictionJoint: Invalid maxForce: nan" },
            { tag: "friction torque", type: "FrictionJoint", property: "maxTorque", value: -Infinity, text: "FrictionJoint: Invalid maxTorque: -inf" },
            { tag: "gear ratio", type: "GearJoint", property: "ratio", value: Infinity, text: "GearJoint: Invalid ratio: inf" },
            { tag: "motor correction", type: "MotorJoint", property: "correctionFactor", value: 1.5, text: "MotorJoint: Invalid correctionFactor: 1.5" },
            { tag: "motor force", type: "MotorJoint", property: "maxForce", value: -2, text: "MotorJoint: Invalid maxForce: -2" },
            { tag: "mouse force", type: "MouseJoint", property: "maxForce", value: -3, text: "MouseJoint: Invalid maxForce: -3" },
            { tag: "mouse damping", type: "MouseJoint", property: "dampingRatio", value: -0.5, text: "MouseJoint: Invalid dampingRatio: -0.5" },
            { tag: "pulley ratio", type: "PulleyJoint", property: "ratio", value: 0, text: "PulleyJoint: Invalid ratio: 0" },
            { tag: "distance length", type: "DistanceJoint", property: "length", value: NaN, text: "DistanceJoint: Invalid length: nan" },
            { tag: "revolute angle", type: "RevoluteJoint", property: "upperAngle", value: NaN, text: "RevoluteJoint: Invalid upperAngle: nan" },
        ]
    }

    function test_refusedValues(data) {
        var joint = makeJoint(data.type, {})
        var before = joint[data.property]
        var spy = spyOn(joint, data.property + "Changed")
        ignoreWarning(data.text)
        joint[data.property] = data.value
        compare(joint[data.property], before)
        compare(spy.count, 0)
    }

    // Every type is created once both bodies exist, survives stepping, and its
    // live updates reach Box2D without aborting.
    function test_everyTypeIsCreated_data() {
        return [
            { tag: "distance", type: "DistanceJoint", props: {}, change: { length: 50, frequencyHz: 2, dampingRatio: 0.3 } },
            { tag: "revolute", type: "RevoluteJoint", props: { enableMotor: true, maxMotorTorque: 1000 },
              change: { motorSpeed: 90, enableLimit: true, lowerAngle: 10, upperAngle: -10 } },
            { tag: "prismatic", type: "PrismaticJoint", props: { localAxisA: Qt.point(0, 1) },
              change: { enableLimit: true, upperTranslation: -20, lowerTranslation: 20, enableMotor: true, maxMotorForce: 10, motorSpeed: 5 } },
            { tag: "pulley", type: "PulleyJoint", props: { groundAnchorA: Qt.point(100, 0), groundAnchorB: Qt.point(200, 0) }, change: {} },
            { tag: "mouse", type: "MouseJoint", props: { maxForce: 100 }, change: { target: Qt.point(300, 50), frequencyHz: 2, dampingRatio: 1 } },
            { tag: "wheel", type: "WheelJoint", props: { localAxisA: Qt.point(0, 3) },
              change: { enableMotor: true, maxMotorTorque: 100, motorSpeed: 180, frequencyHz: 4, dampingRatio: 0.2 } },
            { tag: "weld", type: "WeldJoint", props: {}, change: { frequencyHz: 3, dampingRatio: 0.5 } },
            { tag: "friction", type: "FrictionJoint", props: {}, change: { maxForce: 10, maxTorque: 10 } },
            { tag: "rope", type: "RopeJoint", props: { maxLength: 80 }, change: { maxLength: 60 } },
            { tag: "motor", type: "MotorJoint", props: {},
              change: { linearOffset: Qt.point(10, 10), angularOffset: 45, maxForce: 5, maxTorque: 5, correctionFactor: 1 } },
        ]
    }

    function test_everyTypeIsCreated(data) {
        var world = makeWorld()
        var a = makeBox(world, 100, 100, Body.Static)
        var b = makeBox(world, 150, 130)
        var joint = makeJoint(data.type, data.props)
        var created = spyOn(joint, "created")
        joint.bodyB = b.body
        if (data.type !== "MouseJoint")
            joint.bodyA = a.body
        compare(created.count, 1)
        steps(world, 10)
        for (var key in data.change)
            joint[key] = data.change[key]
        steps(world, 30)
        verify(isFinite(b.x) && isFinite(b.y) && isFinite(b.rotation))
        compare(created.count, 1)
    }

    function test_distanceJointWaitsForItsBodies() {
        var world = makeWorld()
        var a = makeBox(world, 0, 0)
        var lateItem = makeBox(null, 64, 0)
        var joint = makeJoint("DistanceJoint", { bodyA: a.body, bodyB: lateItem.body })
        var created = spyOn(joint, "created")
        compare(created.count, 0)
        lateItem.world = world
        compare(created.count, 1)

        ignoreWarning("Joint: bodyA and bodyB cannot be the same body")
        joint.bodyB = a.body
        var other = makeWorld()
        var stranger = makeBox(other, 0, 0)
        ignoreWarning("Joint: bodyA and bodyB are not from the same world")
        joint.bodyB = stranger.body
        compare(created.count, 1)
    }

    function test_pulleyOfZeroLength() {
        var world = makeWorld()
        var a = makeBox(world, 0, 0)
        var b = makeBox(world, 100, 0)
        var pulley = makeJoint("PulleyJoint", { groundAnchorA: Qt.point(16, 16), groundAnchorB: Qt.point(100, -50) })
        var created = spyOn(pulley, "created")
        ignoreWarning("PulleyJoint: the joint length cannot be zero")
        pulley.bodyA = a.body
        pulley.bodyB = b.body
        compare(created.count, 0)
    }

    function test_mouseJointDragsWithItsOwnGround() {
        var world = makeWorld()
        world.gravity = Qt.point(0, 0)
        var crate = makeBox(world, 0, 0)
        var mouse = makeJoint("MouseJoint", { target: Qt.point(16, 16), maxForce: 1e7 })
        mouse.bodyB = crate.body
        verify(mouse.bodyA !== null)
        compare(mouse.bodyA.bodyType, Body.Static)
        mouse.target = Qt.point(216, 116)
        steps(world, 120)
        var c = centre(crate)
        fuzzyCompare(c.x, 216, 2)
        fuzzyCompare(c.y, 116, 2)
    }

    // Stiffness is mass times the square of the frequency: a body made a hundred
    // times heavier must still follow within the same time.
    function test_mouseJointFollowsMassChanges() {
        var world = makeWorld()
        world.gravity = Qt.point(0, 0)
        var crate = makeBox(world, 0, 0)
        var mouse = makeJoint("MouseJoint", { target: Qt.point(16, 16), maxForce: 1e12, bodyB: crate.body })
        crate.body.fixtures[0].density = 100
        crate.body.resetMassData()
        steps(world, 1)
        mouse.target = Qt.point(116, 16)
        steps(world, 60)
        fuzzyCompare(centre(crate).x, 116, 2)
    }

    function test_gearJoint() {
        var world = makeWorld()
        world.gravity = Qt.point(0, 0)
        var ground = makeBox(world, 0, 0, Body.Static)
        var wheel1 = makeBox(world, 100, 100)
        var wheel2 = makeBox(world, 200, 100)
        var hinge1 = makeJoint("RevoluteJoint", { bodyA: ground.body, bodyB: wheel1.body, localAnchorA: Qt.point(116, 116) })
        var hinge2 = makeJoint("RevoluteJoint", { bodyA: ground.body, bodyB: wheel2.body, localAnchorA: Qt.point(216, 116) })
        var rope = makeJoint("DistanceJoint", { bodyA: ground.body, bodyB: wheel2.body })
        var gear = makeJoint("GearJoint", { bodyA: wheel1.body, bodyB: wheel2.body, ratio: 2 })
        var created = spyOn(gear, "created")

        ignoreWarning("GearJoint.joint1: Invalid joint type")
        gear.joint1 = rope
        compare(gear.joint1, null)
        gear.joint1 = hinge1
        gear.joint2 = hinge2
        compare(created.count, 1)

        // Turning wheel 1 turns wheel 2 at the ratio (angle1 + 2 angle2 constant).
        wheel1.body.angularVelocity = 180
        steps(world, 30)
        fuzzyCompare(hinge1.getJointAngle() + 2 * hinge2.getJointAngle(), 0, 0.5)
        verify(Math.abs(hinge2.getJointAngle()) > 5)

        // Re-creating a coupled joint re-creates the gear after it.
        hinge1.bodyA = null
        hinge1.bodyA = ground.body
        compare(created.count, 2)
        steps(world, 10)

        // Destroying a coupled joint first leaves the gear without a Box2D joint.
        var joint2Changed = spyOn(gear, "joint2Changed")
        hinge2.destroy()
        tryCompare(joint2Changed, "count", 1)
        compare(gear.joint2, null)
        steps(world, 10)
        verify(isFinite(wheel2.rotation))
    }

    function test_destroyingBodyDestroysItsJoints() {
        var world = makeWorld()
        var a = makeBox(world, 0, 0, Body.Static)
        var b = makeBox(world, 64, 0)
        var joint = makeJoint("WeldJoint", { objectName: "doomedJoint", bodyA: a.body, bodyB: b.body })
        compare(findChild(testCase, "doomedJoint"), joint)
        b.destroy()
        tryVerify(function () { return findChild(testCase, "doomedJoint") === null })
        steps(world, 5)
    }

    function test_jointsFromPreSolveWaitForTheStep() {
        var world = makeWorld()
        var floor = makeBox(world, 0, 100, Body.Static, 200, 20)
        var crate = makeBox(world, 50, 60)
        var joint = makeJoint("DistanceJoint", {})
        var created = spyOn(joint, "created")
        var handled = 0
        function onPreSolve(contact) {
            if (handled++ > 0)
                return
            joint.bodyA = floor.body
            joint.bodyB = crate.body
            compare(created.count, 0)   // Box2D is locked: no joint yet
        }
        world.preSolve.connect(onPreSolve)
        steps(world, 60)
        world.preSolve.disconnect(onPreSolve)
        verify(handled > 0)
        compare(created.count, 1)
    }
}
