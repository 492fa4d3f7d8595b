import QtQuick 2.15

// A check box.
DelegateRow {
    id: row
    Rectangle {
        objectName: "checkBox"
        width: 16; height: 16
        anchors.verticalCenter: parent.verticalCenter
        color: row.value ? "#7fb0ff" : "#303540"
        border.color: "#999"
        MouseArea {
            anchors.fill: parent
            onPressed: row.pressed()
            onReleased: row.released()
            onClicked: row.valueEdited(!row.value)
        }
    }
}
