import QtQuick 2.15

// A swatch that opens a picker with one slider per colour component.
DelegateRow {
    id: row
    height: picker.visible ? 26 + picker.height : 26
    Rectangle {
        width: parent.width; height: 22
        color: row.value !== undefined ? row.value : "transparent"
        border.color: "#999"
        MouseArea {
            anchors.fill: parent
            onPressed: row.pressed()
            onReleased: row.released()
            onClicked: picker.visible = !picker.visible
        }
    }
    ColorPicker {
        id: picker
        y: 24
        width: parent.width
        visible: false
        editor: row.editor
        color: row.value !== undefined ? row.value : "black"
        onPicked: row.valueEdited(color)
    }
}
