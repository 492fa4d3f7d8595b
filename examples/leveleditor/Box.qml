import QtQuick 2.0
import Zarno 2.0

// A crate whose size and colour the item editor changes for every crate at once.
EntityBase {
    id: box
    entityType: "box"
    width: size
    height: size
    property real size: 40
    property color tint: "#e76f51"

    Rectangle {
        anchors.fill: parent
        color: box.tint
        border.color: Qt.darker(box.tint)
        border.width: 3
        radius: 4
    }
    MouseArea {
        anchors.fill: parent
        drag.target: box
        onPressed: itemEditor.currentEditableType = "box"
    }
    EditableComponent {
        editableType: "box"
        editableComponentMetaData: { "displayname": "Crates" }
        properties: { "size": { "min": 16, "max": 80, "stepsize": 1 }, "Look": { "tint": {} } }
    }
}
