import QtQuick 2.15

// The editor's panel: the current type's name, a button to show the next type,
// and the scrolling column that holds the rows.
Rectangle {
    id: content
    property var editor: null
    readonly property alias rowParent: column

    anchors.fill: parent
    color: "#cc20242c"
    radius: 4

    Rectangle {
        id: header
        width: parent.width; height: 24
        color: "#2a6fdb"
        radius: 4
        Text {
            anchors { left: parent.left; leftMargin: 6; verticalCenter: parent.verticalCenter }
            text: content.editor && content.editor.currentMetaData && content.editor.currentMetaData.displayname
                  ? content.editor.currentMetaData.displayname : (content.editor ? content.editor.currentEditableType : "")
            color: "white"
            font.bold: true
            font.pixelSize: 13
        }
        Text {
            anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
            visible: content.editor && content.editor.editableTypes.length > 1
            text: "\u25b6"
            color: "white"
            MouseArea {
                anchors { fill: parent; margins: -6 }
                onClicked: {
                    var types = content.editor.editableTypes
                    var next = (types.indexOf(content.editor.currentEditableType) + 1) % types.length
                    content.editor.currentEditableType = types[next]
                }
            }
        }
    }
    Flickable {
        anchors { fill: parent; topMargin: header.height + 4; margins: 4 }
        contentHeight: column.height
        clip: true
        Column {
            id: column
            width: parent.width
            spacing: 3
        }
    }
}
