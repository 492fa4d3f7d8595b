import QtQuick 2.0
import Zarno 2.0

// A ragdoll: head, torso, arms and legs hinged with limits that keep the
// joints in a body's range. Its parts never collide with each other. The item
// stays at the world's origin; the doll starts at (startX, startY).
Item {
    id: doll

    property var world
    property real startX: 0
    property real startY: 0
    property color color: "#e9c46a"
    property int group: -1

    component Part: Rectangle {
        id: part
        property alias body: body
        property bool round: false
        color: doll.color
        border.color: Qt.darker(doll.color)
        radius: round ? width / 2 : 3
        Body {
            id: body
            world: doll.world
            bodyType: Body.Dynamic
            Box { width: part.width; height: part.height; density: 0.3; friction: 0.5; groupIndex: doll.group }
        }
    }

    Part { id: head; objectName: "head"; x: doll.startX + 10; y: doll.startY + 0; width: 20; height: 20; round: true }
    Part { id: torso; objectName: "torso"; x: doll.startX + 8; y: doll.startY + 22; width: 24; height: 40 }
    Part { id: leftArm; x: doll.startX + 0; y: doll.startY + 24; width: 8; height: 32 }
    Part { id: rightArm; x: doll.startX + 32; y: doll.startY + 24; width: 8; height: 32 }
    Part { id: leftLeg; x: doll.startX + 8; y: doll.startY + 64; width: 10; height: 44 }
    Part { id: rightLeg; x: doll.startX + 22; y: doll.startY + 64; width: 10; height: 44 }

    // Anchors are in torso pixels; each part's own anchor follows at creation.
    RevoluteJoint { bodyA: torso.body; bodyB: head.body; localAnchorA: Qt.point(12, 0); enableLimit: true; lowerAngle: -30; upperAngle: 30 }
    RevoluteJoint { bodyA: torso.body; bodyB: leftArm.body; localAnchorA: Qt.point(0, 4); enableLimit: true; lowerAngle: -20; upperAngle: 150 }
    RevoluteJoint { bodyA: torso.body; bodyB: rightArm.body; localAnchorA: Qt.point(24, 4); enableLimit: true; lowerAngle: -150; upperAngle: 20 }
    RevoluteJoint { bodyA: torso.body; bodyB: leftLeg.body; localAnchorA: Qt.point(5, 40); enableLimit: true; lowerAngle: -10; upperAngle: 60 }
    RevoluteJoint { bodyA: torso.body; bodyB: rightLeg.body; localAnchorA: Qt.point(19, 40); enableLimit: true; lowerAngle: -60; upperAngle: 10 }
}
