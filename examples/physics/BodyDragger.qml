import QtQuick 2.0
import Zarno 2.0

// Drags dynamic bodies with a mouse joint: press on a body, move, release.
// Presses beside every dynamic body pass through to what lies below.
MouseArea {
    id: dragger

    property var world
    // The joint while a body is dragged.
    property var joint: null

    Component {
        id: mouseJointComponent
        MouseJoint { }
    }

    onPressed: {
        var point = Qt.point(mouse.x, mouse.y)
        var body = world.bodyAt(point)
        if (!body || body.bodyType !== Body.Dynamic) {
            mouse.accepted = false
            return
        }
        // Up to fifty times the body's weight (forces are scaled by pixelsPerMeter).
        joint = mouseJointComponent.createObject(dragger, { target: point, maxForce: body.getMass() * 500 * world.pixelsPerMeter })
        joint.bodyB = body
    }
    onPositionChanged: if (dragging()) joint.target = Qt.point(mouse.x, mouse.y)
    onReleased: drop()
    onCanceled: drop()

    // The world deletes the joint when the dragged body goes.
    function dragging() {
        return joint !== null && joint.jointType !== undefined
    }

    function drop() {
        if (dragging())
            joint.destroy()
        joint = null
    }
}
