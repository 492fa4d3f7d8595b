import QtQuick 2.0
import Zarno 2.0

// A ball; its radius and whether it shows a ring are editable.
EntityBase {
    id: ball
    entityType: "ball"
    width: radius * 2
    height: radius * 2
    property real radius: 15
    property bool ring: true

    Rectangle {
        anchors.fill: parent
        radius: ball.radius
        color: "#2a9d8f"
        border.color: "#e9c46a"
        border.width: ball.ring ? 4 : 0
    }
    MouseArea {
        anchors.fill: parent
        drag.target: ball
        onPressed: itemEditor.currentEditableType = "ball"
    }
    EditableComponent {
        editableType: "ball"
        editableComponentMetaData: { "displayname": "Balls" }
        properties: { "radius": { "min": 5, "max": 40, "stepsize": 1 }, "ring": {} }
    }
}
