import QtQuick 2.15

// A picture scaled into its box, or a cross while it cannot be shown.
Rectangle {
    property alias source: picture.source
    color: "#303540"
    border.color: "#555b66"
    Image {
        id: picture
        anchors { fill: parent; margins: 2 }
        fillMode: Image.PreserveAspectFit
        asynchronous: true
    }
    Text {
        anchors.centerIn: parent
        visible: picture.status !== Image.Ready
        text: "\u00d7"
        color: "#999"
    }
}
