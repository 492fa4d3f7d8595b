import QtQuick 2.0

Rectangle {
    id: button
    property alias text: label.text
    signal clicked()
    width: 64
    height: 26
    radius: 4
    color: area.pressed ? "#264653" : "#3a5a6a"
    Text {
        id: label
        anchors.centerIn: parent
        color: "white"
        font.pixelSize: 12
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.clicked()
    }
}
