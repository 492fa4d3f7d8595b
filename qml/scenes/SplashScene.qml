import QtQuick 2.0

QemScene {
    Rectangle {
        anchors.fill: gameWindowAnchorItem
        color: "white"
    }
}
