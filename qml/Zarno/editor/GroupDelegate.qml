import QtQuick 2.15

// A group header.
Rectangle {
    property string text
    width: parent ? parent.width : 200
    height: 22
    color: "#3c4250"
    Text {
        anchors { left: parent.left; leftMargin: 4; verticalCenter: parent.verticalCenter }
        text: parent.text
        color: "white"
        font.bold: true
        font.pixelSize: 12
    }
}
