import QtQuick 2.0
import QtQuick.Layouts 1.1
import Zarno 2.0
import "../misc"

QemScene {
    id: rulesScene

    BackgroundImage {
        anchors.fill: gameWindowAnchorItem
        source: "../../assets/img/misc/background.png"
        // Drawn far below its file's density; the smaller levels keep software rendering fast.
        Component.onCompleted: image.mipmap = true
    }

    ColumnLayout {
        anchors.fill: gameWindowAnchorItem
        anchors.margins: rulesScene.mm

        Item {
            Layout.fillHeight: true
        }

        QemTextButton {
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Back")
            onClicked: rulesScene.backButtonPressed()
        }
    }
}
