import QtQuick 2.0
import Zarno 2.0
import "../misc"

QemScene {
    id: comixScene

    signal playPressed()

    BackgroundImage {
        anchors.fill: gameWindowAnchorItem
        source: "../../assets/img/misc/background.png"
        drawnPixelSize: windowPixelSize
    }

    MouseArea {
        anchors.fill: parent
        onClicked: comixScene.playPressed()
    }

    QemText {
        anchors.centerIn: parent
        text: qsTr("Play!")
    }
}
