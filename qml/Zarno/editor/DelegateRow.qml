import QtQuick 2.15

// Common frame of an editor row: a label on the left, the control on the right.
Item {
    id: row

    property var editor: null
    property string propertyName
    property string label: propertyName
    property var metaData: ({})
    property var value
    default property alias control: controlArea.data
    readonly property real controlWidth: controlArea.width

    signal valueEdited(var value)

    width: parent ? parent.width : 200
    height: 26

    function pressed() { if (editor) editor.propertyDelegatePressed(propertyName) }
    function released() { if (editor) editor.propertyDelegateReleased(propertyName) }

    Text {
        id: caption
        width: parent.width * 0.4
        anchors.verticalCenter: parent.verticalCenter
        text: row.label
        elide: Text.ElideRight
        color: "#e8e8e8"
        font.pixelSize: 12
    }
    Item {
        id: controlArea
        anchors { left: caption.right; right: parent.right; top: parent.top; bottom: parent.bottom; margins: 2 }
    }
}
