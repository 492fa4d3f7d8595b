import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Every property written with what Box2D cannot take, and bodies changed from
// inside contact handlers while the world steps. Box2D aborts the process on a
// failed assertion: surviving is the first check. Each refused value warns, and a
// reference body far away, in the same world, falls exactly as in an empty world.
Item {
    id: root

    World { id: world; running: false }
    World { id: elsewhere; running: false }

    Rectangle {
        id: reference
        x: -20000; width: 32; height: 32
        Body {
            id: referenceBody
            world: world
            bodyType: Body.Dynamic
            Box { width: 32; height: 32; density: 1 }
        }
    }

    Component {
        id: victim
        Rectangle {
            property alias body: body
            property alias box: box
            property alias circle: circle
            property alias polygon: polygon
            property alias chain: chain
            property alias edge: edge
            width: 32; height: 32
            Body {
                id: body
                world: world
                bodyType: Body.Dynamic
                Box { id: box; width: 32; height: 32; density: 1 }
                Circle { id: circle; x: 4; y: 4; radius: 12; density: 1 }
                Polygon { id: polygon; density: 1; vertices: [Qt.point(0, 32), Qt.point(16, 0), Qt.point(32, 32)] }
                Chain { id: chain; vertices: [Qt.point(0, 40), Qt.point(32, 40)] }
                Edge { id: edge; vertices: [Qt.point(0, 44), Qt.point(32, 44)] }
            }
        }
    }

    Component {
        id: floor
        Rectangle {
            property alias fixture: fixture
            y: 200; width: 480; height: 20
            Body { world: world; Box { id: fixture; width: 480; height: 20 } }
        }
    }

    TestCase {
        name: "Chaos"

        property var stepsTaken: 0

        // Exactly where a body falling from rest with gravity 10 m/s^2 is after n
        // steps of 1/60 s (semi-implicit Euler), at 32 pixels per meter.
        function expectedFall(n) {
            return 10 / 3600 * n * (n + 1) / 2 * 32
        }

        function step(count) {
            for (var i = 0; i < count; ++i) {
                world.step(1 / 60)
                ++stepsTaken
            }
        }

        function init() {
            reference.x = -20000
            reference.y = 0
            referenceBody.linearVelocity = Qt.point(0, 0)
            world.step(0)
            stepsTaken = 0
        }

        function cleanup() {
            step(30)
            verify(Math.abs(reference.y - expectedFall(stepsTaken)) < 0.01,
                   "the reference body falls as in an empty world: " + reference.y + " after " + stepsTaken)
        }

        function test_refusedValues_data() {
            var nan = NaN, inf = Infinity
            var p = Qt.point
            return [
                { tag: "linearDamping NaN", on: "body", property: "linearDamping", value: nan, warning: /^Body: Invalid linearDamping: nan$/ },
                { tag: "linearDamping negative", on: "body", property: "linearDamping", value: -1, warning: /^Body: Invalid linearDamping: -1$/ },
                { tag: "angularDamping infinite", on: "body", property: "angularDamping", value: inf, warning: /^Body: Invalid angularDamping: inf$/ },
                { tag: "angularDamping negative", on: "body", property: "angularDamping", value: -0.5, warning: /^Body: Invalid angularDamping: -0.5$/ },
                { tag: "gravityScale NaN", on: "body", property: "gravityScale", value: nan, warning: /^Body: Invalid gravityScale: nan$/ },
                { tag: "linearVelocity NaN", on: "body", property: "linearVelocity", value: p(nan, 0), warning: /^Body: Invalid linearVelocity: QPointF\(nan,0\)$/ },
                { tag: "linearVelocity infinite", on: "body", property: "linearVelocity", value: p(0, -inf), warning: /^Body: Invalid linearVelocity: QPointF\(0,-inf\)$/ },
                { tag: "angularVelocity NaN", on: "body", property: "angularVelocity", value: nan, warning: /^Body: Invalid angularVelocity: nan$/ },
                { tag: "force NaN", on: "body", property: "force", value: p(1, nan), warning: /^Body: Invalid force: QPointF\(1,nan\)$/ },
                { tag: "torque infinite", on: "body", property: "torque", value: inf, warning: /^Body: Invalid torque: inf$/ },
                { tag: "bodyType out of range", on: "body", property: "bodyType", value: 7, warning: /^Body: Invalid bodyType: 7$/ },
                { tag: "density NaN", on: "box", property: "density", value: nan, warning: /^Box: Invalid density: nan$/ },
                { tag: "density negative", on: "circle", property: "density", value: -1, warning: /^Circle: Invalid density: -1$/ },
                { tag: "density infinite", on: "polygon", property: "density", value: inf, warning: /^Polygon: Invalid density: inf$/ },
                { tag: "density overflowing the mass", on: "box", property: "density", value: 3e38, warning: /^Box: the mass is too large$/ },
                { tag: "friction negative", on: "box", property: "friction", value: -1, warning: /^Box: Invalid friction: -1$/ },
                { tag: "friction NaN", on: "chain", property: "friction", value: nan, warning: /^Chain: Invalid friction: nan$/ },
                { tag: "restitution NaN", on: "edge", property: "restitution", value: nan, warning: /^Edge: Invalid restitution: nan$/ },
                { tag: "restitution negative", on: "circle", property: "restitution", value: -2, warning: /^Circle: Invalid restitution: -2$/ },
            ]
        }

        function test_refusedValues(data) {
            var item = createTemporaryObject(victim, root)
            var target = data.on === "body" ? item.body : item[data.on]
            var before = target[data.property]
            ignoreWarning(data.warning)
            target[data.property] = data.value
            compare(target[data.property], before)
            step(5)
        }

        // Geometry is stored as written; a shape Box2D cannot hold is refused when
        // it is built, and the fixture takes part in nothing until it is valid again.
        function test_refusedGeometry_data() {
            var nan = NaN, inf = Infinity
            var p = Qt.point
            return [
                { tag: "box width NaN", on: "box", property: "width", value: nan, warning: /^Box: Invalid geometry/ },
                { tag: "box height infinite", on: "box", property: "height", value: inf, warning: /^Box: Invalid geometry/ },
                { tag: "box rotation infinite", on: "box", property: "rotation", value: -inf, warning: /^Box: Invalid geometry/ },
                { tag: "box far from the body origin", on: "box", property: "x", value: 1e6, warning: /^Box: the shape is too small for its distance from the body origin$/ },
                { tag: "circle radius negative", on: "circle", property: "radius", value: -5, warning: /^Circle: Invalid geometry/ },
                { tag: "circle x infinite", on: "circle", property: "x", value: inf, warning: /^Circle: Invalid geometry/ },
                { tag: "tiny circle far away", on: "circle", property: "x", value: 3e5, warning: /^Circle: the shape is too small for its distance from the body origin$/ },
                { tag: "polygon empty", on: "polygon", property: "vertices", value: [], warning: /^Polygon: Invalid number of vertices: 0$/ },
                { tag: "polygon NaN vertex", on: "polygon", property: "vertices", value: [p(0, 0), p(nan, 5), p(9, 9)], warning: /^Polygon: Invalid vertex:/ },
                { tag: "polygon of words", on: "polygon", property: "vertices", value: ["a", "b", "c"], warning: /^Polygon: Invalid vertex:/ },
                { tag: "polygon sliver", on: "polygon", property: "vertices", value: [p(0, 0), p(100, 0), p(200, 1e-6)], warning: /^Polygon: the vertices enclose no area/ },
                { tag: "polygon welded", on: "polygon", property: "vertices", value: [p(0, 0), p(10, 0), p(0.05, 0.01)], warning: /^Polygon: the vertices enclose no area/ },
                { tag: "chain empty", on: "chain", property: "vertices", value: [], warning: /^Chain: Invalid number of vertices: 0$/ },
                { tag: "chain infinite vertex", on: "chain", property: "vertices", value: [p(0, 0), p(inf, 0)], warning: /^Chain: Invalid vertex:/ },
                { tag: "chain repeated vertex", on: "chain", property: "vertices", value: [p(0, 0), p(10, 0), p(10, 0)], warning: /^Chain: vertices are too close together$/ },
                { tag: "chain prevVertex NaN", on: "chain", property: "prevVertex", value: p(nan, 0), warning: /^Chain: Invalid prevVertex or nextVertex$/ },
                { tag: "edge of one", on: "edge", property: "vertices", value: [p(0, 0)], warning: /^Edge: Invalid number of vertices: 1$/ },
                { tag: "edge NaN", on: "edge", property: "vertices", value: [p(0, 0), p(0, nan)], warning: /^Edge: Invalid vertex:/ },
            ]
        }

        function test_refusedGeometry(data) {
            var item = createTemporaryObject(victim, root)
            ignoreWarning(data.warning)
            item[data.on][data.property] = data.value
            step(5)
        }

        function test_refusedWorldValues() {
            ignoreWarning("World: pixelsPerMeter must be > 0.0f")
            world.pixelsPerMeter = Infinity
            ignoreWarning(/^World: Invalid gravity: QPointF\(nan,10\)$/)
            world.gravity = Qt.point(NaN, 10)
            ignoreWarning(/^World: Invalid timeStep: nan$/)
            world.step(NaN)
            ignoreWarning(/^World: Invalid timeStep: -1$/)
            world.step(-1)
            ignoreWarning(/^World: Invalid rayCast points/)
            world.rayCast(createTemporaryQmlObject("import Zarno 2.0; RayCast {}", root), Qt.point(NaN, 0), Qt.point(1, 1))
            compare(world.pixelsPerMeter, 32)
            compare(world.gravity, Qt.point(0, 10))
        }

        function test_targetWithoutFinitePlacement() {
            var item = createTemporaryObject(victim, root)
            ignoreWarning(/^Body: the target's position or rotation is not finite/)
            item.x = -Infinity   // Qt Quick itself ignores NaN
            step(2)
            ignoreWarning(/^Body: the target's position or rotation is not finite/)
            item.x = 0
            item.rotation = Infinity
            step(2)
        }

        function test_refusedMethodArguments() {
            var body = createTemporaryObject(victim, root).body
            ignoreWarning(/^Body: Invalid applyForce arguments/)
            body.applyForce(Qt.point(NaN, 0), Qt.point(0, 0))
            ignoreWarning(/^Body: Invalid applyTorque argument/)
            body.applyTorque(Infinity)
            ignoreWarning(/^Body: Invalid applyLinearImpulse arguments/)
            body.applyLinearImpulse(Qt.point(0, 0), Qt.point(0, -Infinity))
            ignoreWarning(/^Body: Invalid applyAngularImpulse argument/)
            body.applyAngularImpulse(NaN)
            step(5)
        }

        // Everything Box2D refuses while it steps, done from pre- and post-solve
        // (world locked) and from begin and end contact handlers (after the step).
        function test_changesFromContactHandlers() {
            var ground = createTemporaryObject(floor, root)
            var items = []
            for (var i = 0; i < 6; ++i)
                items.push(createTemporaryObject(victim, root, { x: 20 + i * 70, y: 140 + (i % 3) * 10 }))
            var calls = 0
            var nested = 0
            var created = 0
            var mutate = function () {
                if (calls >= 1500)
                    return
                var item = items[calls % items.length]
                switch (calls++ % 14) {
                case 0: item.body.bodyType = item.body.bodyType === Body.Dynamic ? Body.Kinematic : Body.Dynamic; break
                case 1: item.body.active = !item.body.active; break
                case 2: item.box.width = 16 + calls % 20; break
                case 3: item.circle.radius = 4 + calls % 10; break
                case 4: item.polygon.vertices = [Qt.point(0, 0), Qt.point(20, calls % 7), Qt.point(10, 20)]; break
                case 5: item.body.fixedRotation = !item.body.fixedRotation; break
                case 6: item.box.sensor = !item.box.sensor; break
                case 7: item.chain.vertices = [Qt.point(0, 0), Qt.point(30, 0), Qt.point(15, 20)]; item.chain.loop = !item.chain.loop; break
                case 8: item.body.world = item.body.world === world ? elsewhere : world; break
                case 9: item.x = item.x + 1; item.rotation = calls; break
                case 10: elsewhere.pixelsPerMeter = elsewhere.pixelsPerMeter === 32 ? 48 : 32; break
                case 11: world.enableContactEvents = false; world.enableContactEvents = true; break
                case 12: item.box.categories = calls % 2 ? Box.Category2 : Box.All; item.body.resetMassData(); break
                case 13:
                    if (created++ < 4)
                        createTemporaryObject(victim, root, { x: 200, y: 100 })
                    if (nested++ === 0) {
                        ignoreWarning("World: step() refused, the world is stepping")
                        world.step(1 / 60)
                    }
                    break
                }
            }
            world.preSolve.connect(mutate)
            world.postSolve.connect(mutate)
            ground.fixture.beginContact.connect(mutate)
            ground.fixture.endContact.connect(mutate)
            ground.fixture.contactChanged.connect(mutate)
            step(120)
            world.preSolve.disconnect(mutate)
            world.postSolve.disconnect(mutate)
            verify(calls > 300, "handlers ran: " + calls)
            // Gone while locked: items destroyed while Box2D steps.
            for (var j = 0; j < items.length; ++j)
                items[j].destroy()
            wait(0)
            step(10)
        }

        // Every joint property written with what Box2D cannot take, on live joints.
        function test_refusedJointValues_data() {
            var properties = {
                DistanceJoint: ["localAnchorA:p", "localAnchorB:p", "length", "frequencyHz:+", "dampingRatio:+"],
                RevoluteJoint: ["localAnchorA:p", "localAnchorB:p", "referenceAngle", "lowerAngle", "upperAngle", "motorSpeed", "maxMotorTorque:+"],
                PrismaticJoint: ["localAnchorA:p", "localAnchorB:p", "localAxisA:p", "referenceAngle", "lowerTranslation", "upperTranslation", "maxMotorForce:+", "motorSpeed"],
                PulleyJoint: ["groundAnchorA:p", "groundAnchorB:p", "localAnchorA:p", "localAnchorB:p", "lengthA", "lengthB", "ratio:+"],
                MouseJoint: ["target:p", "maxForce:+", "frequencyHz:+", "dampingRatio:+"],
                GearJoint: ["ratio"],
                WheelJoint: ["localAnchorA:p", "localAnchorB:p", "localAxisA:p", "maxMotorTorque:+", "motorSpeed", "frequencyHz:+", "dampingRatio:+"],
                WeldJoint: ["referenceAngle", "frequencyHz:+", "dampingRatio:+", "localAnchorA:p", "localAnchorB:p"],
                FrictionJoint: ["localAnchorA:p", "localAnchorB:p", "maxForce:+", "maxTorque:+"],
                RopeJoint: ["localAnchorA:p", "localAnchorB:p", "maxLength"],
                MotorJoint: ["linearOffset:p", "angularOffset", "maxForce:+", "maxTorque:+", "correctionFactor:+"],
            }
            var rows = []
            for (var type in properties) {
                properties[type].forEach(function (entry) {
                    var parts = entry.split(":")
                    var name = parts[0]
                    var prefix = "^" + type + ": Invalid " + name + ": "
                    if (parts[1] === "p") {
                        rows.push({ tag: type + "." + name + " NaN", type: type, property: name, value: Qt.point(NaN, 0),
                                    warning: new RegExp(prefix + "QPointF\\(nan,0\\)$") })
                    } else {
                        rows.push({ tag: type + "." + name + " NaN", type: type, property: name, value: NaN,
                                    warning: new RegExp(prefix + "nan$") })
                        rows.push({ tag: type + "." + name + " infinite", type: type, property: name, value: -Infinity,
                                    warning: new RegExp(prefix + "-inf$") })
                    }
                    if (parts[1] === "+")
                        rows.push({ tag: type + "." + name + " negative", type: type, property: name, value: -1,
                                    warning: new RegExp(prefix + "-1$") })
                })
            }
            return rows
        }

        function test_refusedJointValues(data) {
            var a = createTemporaryObject(victim, root, { x: 100, y: 100 })
            var b = createTemporaryObject(victim, root, { x: 150, y: 120 })
            var joint = createTemporaryQmlObject("import Zarno 2.0\n" + data.type + " { }", root)
            if (data.type === "RopeJoint")
                joint.maxLength = 50
            if (data.type === "PulleyJoint") {
                joint.groundAnchorA = Qt.point(116, 0)
                joint.groundAnchorB = Qt.point(166, 0)
            }
            if (data.type !== "MouseJoint")
                joint.bodyA = a.body
            joint.bodyB = b.body
            var before = joint[data.property]
            ignoreWarning(data.warning)
            joint[data.property] = data.value
            compare(joint[data.property], before)
            step(5)
        }

        // Values Box2D takes only in some order or range, written on live joints.
        function test_jointValuesAtTheEdges() {
            var a = createTemporaryObject(victim, root, { x: 100, y: 100 })
            var b = createTemporaryObject(victim, root, { x: 150, y: 120 })
            var make = function (type) {
                var joint = createTemporaryQmlObject("import Zarno 2.0\n" + type + " { }", root)
                joint.bodyA = a.body
                joint.bodyB = b.body
                return joint
            }
            var revolute = make("RevoluteJoint")
            revolute.enableLimit = true
            revolute.lowerAngle = 90
            revolute.upperAngle = -90
            revolute.lowerAngle = -1e30
            var prismatic = make("PrismaticJoint")
            prismatic.enableLimit = true
            prismatic.upperTranslation = -50
            prismatic.lowerTranslation = 1e6
            ignoreWarning(/^PrismaticJoint: Invalid lowerTranslation: 1e\+30$/)
            prismatic.lowerTranslation = 1e30
            ignoreWarning(/^PrismaticJoint: Invalid localAxisA: QPointF\(0,0\)$/)
            prismatic.localAxisA = Qt.point(0, 0)
            var distance = make("DistanceJoint")
            distance.length = 0
            distance.length = -40
            distance.frequencyHz = 1e30
            distance.frequencyHz = 0
            distance.length = 1e6
            ignoreWarning(/^DistanceJoint: Invalid length: 1e\+30$/)
            distance.length = 1e30
            ignoreWarning(/^DistanceJoint: Invalid localAnchorA: QPointF\(1e\+30,0\)$/)
            distance.localAnchorA = Qt.point(1e30, 0)
            var rope = make("RopeJoint")
            ignoreWarning("RopeJoint: maxLength too small")
            rope.maxLength = -10
            var wheel = make("WheelJoint")
            wheel.localAxisA = Qt.point(0, 0)
            wheel.bodyA = a.body   // same body: nothing to re-create
            wheel.bodyB = null
            wheel.bodyB = b.body
            var motor = make("MotorJoint")
            motor.correctionFactor = 0
            motor.correctionFactor = 1
            var gear = make("GearJoint")
            gear.joint1 = revolute
            gear.joint2 = prismatic
            gear.ratio = 0
            gear.ratio = -3
            revolute.bodyA = null   // the gear goes first
            revolute.bodyA = a.body
            prismatic.destroy()
            wait(0)
            step(30)
        }

        // Joints created, changed and destroyed from pre- and post-solve (world
        // locked) and from begin and end contact handlers (after the step).
        function test_jointsFromContactHandlers() {
            var ground = createTemporaryObject(floor, root)
            var items = []
            for (var i = 0; i < 6; ++i)
                items.push(createTemporaryObject(victim, root, { x: 20 + i * 70, y: 140 + (i % 3) * 10 }))
            var types = ["DistanceJoint", "RevoluteJoint", "PrismaticJoint", "PulleyJoint", "MouseJoint", "GearJoint",
                         "WheelJoint", "WeldJoint", "FrictionJoint", "RopeJoint", "MotorJoint"]
            var joints = []
            var alive = function () {
                // A joint whose body went is deleted by the world: its wrapper reads undefined.
                joints = joints.filter(function (joint) { return joint.jointType !== undefined })
                return joints
            }
            var calls = 0
            var mutate = function () {
                var n = calls++
                var itemA = items[n % items.length]
                var itemB = items[(n + 1 + n % 4) % items.length]
                var live = alive()
                var joint = live.length ? live[n % live.length] : null
                switch (n % 10) {
                case 0:
                case 1: {
                    var created = Qt.createQmlObject("import Zarno 2.0\n" + types[(n / 2 | 0) % types.length] + " { }", root)
                    if (created.jointType === Joint.GearJoint) {
                        var hinges = live.filter(function (j) { return j.jointType === Joint.RevoluteJoint || j.jointType === Joint.PrismaticJoint })
                        if (hinges.length >= 2) {
                            created.joint1 = hinges[0]
                            created.joint2 = hinges[1]
                        }
                    }
                    if (created.jointType === Joint.PulleyJoint)
                        created.groundAnchorA = Qt.point(0, 0)
                    created.bodyA = itemA.body
                    created.bodyB = itemB.body
                    joints.push(created)
                    break
                }
                case 2: if (joint) joint.bodyA = itemB.body; break
                case 3: if (joint) joint.bodyB = null; break
                case 4: if (joint) joint.collideConnected = !joint.collideConnected; break
                case 5:
                    if (joint) {
                        for (var key of ["length", "maxLength", "motorSpeed", "lowerAngle", "upperAngle", "frequencyHz",
                                         "ratio", "maxForce", "lowerTranslation", "upperTranslation"]) {
                            if (joint[key] !== undefined)
                                joint[key] = (n % 7) * 10 - 20 >= 0 || key.indexOf("max") < 0 ? (n % 7) * 10 - 20 : 5
                        }
                        if (joint.target !== undefined)
                            joint.target = Qt.point(n % 300, 100)
                        if (joint.enableLimit !== undefined)
                            joint.enableLimit = !joint.enableLimit
                        if (joint.enableMotor !== undefined)
                            joint.enableMotor = !joint.enableMotor
                    }
                    break
                case 6: if (joint) joint.destroy(); break
                case 7: itemA.body.world = itemA.body.world === world ? elsewhere : world; break
                case 8: itemA.box.density = 1 + n % 3; itemA.body.resetMassData(); break
                case 9: if (n % 30 === 9) { items[n % items.length].destroy(); items[n % items.length] = createTemporaryObject(victim, root, { x: 200, y: 100 }) } break
                }
            }
            world.preSolve.connect(mutate)
            world.postSolve.connect(mutate)
            ground.fixture.beginContact.connect(mutate)
            ground.fixture.endContact.connect(mutate)
            step(120)
            world.preSolve.disconnect(mutate)
            world.postSolve.disconnect(mutate)
            verify(calls > 100, "handlers ran: " + calls)
            wait(0)
            step(10)
            alive().forEach(function (joint) { joint.destroy() })
            for (var j = 0; j < items.length; ++j)
                items[j].destroy()
            wait(0)
        }
    }
}
