import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    name: "Rig"

    Component {
        id: chain
        Item {
            property alias hip: hip
            property alias arm: arm
            property alias hand: hand
            BoneTransform { id: hip; x: 100; y: 100 }
            BoneTransform { id: arm; parentBone: hip; x: 50; angle: 90; length: 20 }
            BoneTransform { id: hand; parentBone: arm; x: 20; xScale: 2 }
        }
    }

    Component {
        id: limb
        Item {
            property alias upper: upper
            property alias lower: lower
            property alias target: target
            property alias joint: joint
            BoneTransform { id: target; x: 60; y: 30 }
            BoneTransform { id: upper; length: 50; joint: joint }
            BoneTransform { id: lower; parentBone: upper; x: 50; length: 50; joint: joint }
            IKJoint { id: joint; first: upper; second: lower; target: target }
        }
    }

    function fuzzy(actual, expected, what) {
        verify(Math.abs(actual - expected) < 0.001, what + ": " + actual + " expected " + expected)
    }

    function test_bonesComposeAlongTheChain_data() {
        return [
            { tag: "setup", hipAngle: 0, inherit: true, hand: Qt.point(150, 120), handRotation: 90 },
            { tag: "hip turned", hipAngle: 90, inherit: true, hand: Qt.point(80, 150), handRotation: 180 },
            { tag: "arm keeps its own rotation", hipAngle: 90, inherit: false, hand: Qt.point(100, 170), handRotation: 90 },
        ]
    }

    function test_bonesComposeAlongTheChain(data) {
        var rig = createTemporaryObject(chain, this)
        rig.hip.dangle = data.hipAngle
        rig.arm.inheritRotation = data.inherit
        var position = rig.hand.worldPosition()
        // With inheritRotation off the arm still sits where the turned hip puts it.
        fuzzy(position.x, data.hand.x, "x")
        fuzzy(position.y, data.hand.y, "y")
        fuzzy(rig.hand.worldRotation(), data.handRotation, "rotation")
    }

    function test_resetAndPointTo() {
        var rig = createTemporaryObject(chain, this)
        var spy = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: 'matrixChanged' }", this)
        spy.target = rig.hand
        rig.hip.dx = 10
        compare(spy.count, 1)
        rig.hip.reset()
        fuzzy(rig.hand.worldPosition().x, 150, "reset x")
        // Pointing the arm at the hip's origin turns it back along -x.
        rig.arm.pointTo = rig.hip
        fuzzy(rig.arm.worldRotation(), 180, "pointTo")
        ignoreWarning("BoneTransform WARNING: a bone cannot sit on itself or on one of its children")
        rig.hip.parentBone = rig.hand
        compare(rig.hip.parentBone, null)
    }

    function test_jointReachesTheTarget_data() {
        return [ { tag: "bend positive", bend: true }, { tag: "bend negative", bend: false } ]
    }

    function test_jointReachesTheTarget(data) {
        var rig = createTemporaryObject(limb, this)
        rig.joint.bendPositive = data.bend
        var elbow = rig.lower.worldPosition()
        var angle = rig.lower.worldRotation() * Math.PI / 180
        fuzzy(elbow.x + 50 * Math.cos(angle), 60, "tip x")
        fuzzy(elbow.y + 50 * Math.sin(angle), 30, "tip y")
        // The elbow is on one side of the line to the target or the other.
        var side = 60 * elbow.y - 30 * elbow.x
        verify(data.bend ? side < 0 : side > 0, "elbow side " + side)
        // Following the target.
        rig.target.x = 0
        rig.target.y = 80
        elbow = rig.lower.worldPosition()
        angle = rig.lower.worldRotation() * Math.PI / 180
        fuzzy(elbow.y + 50 * Math.sin(angle), 80, "tip follows")
        rig.joint.mix = 0
        fuzzy(rig.upper.worldRotation(), 0, "mix 0 keeps the bone's own angle")
    }

    Component {
        id: skinned
        Item {
            property alias mesh: mesh
            property alias tail: tail
            BoneTransform { id: root; x: 10; y: 10 }
            BoneTransform { id: tail; parentBone: root; x: 40 }
            SpineSkinnedMeshItem {
                id: mesh
                boneCounts: [1, 2]
                bones: [root, root, tail]
                boneVertices: [0, 0, 40, 0, 0, 20]
                weights: [1, 0.5, 0.5]
            }
        }
    }

    function test_skinnedVerticesFollowTheirBones() {
        var rig = createTemporaryObject(skinned, this)
        compare(rig.mesh.vertices, [10, 10, 50, 20])
        rig.tail.dangle = -90   // (0, 20) in the tail's space moves to (20, 0) from it
        compare(rig.mesh.vertices, [10, 10, 60, 10])
        compare(rig.mesh.meshRect(), Qt.rect(10, 10, 50, 0))
    }
}
