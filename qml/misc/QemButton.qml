import QtQuick 2.0
import Zarno 2.0

Item {
    id: button

    property alias source: face.source

    signal clicked()
    signal pressed()
    signal released()

    implicitWidth: face.sourceSize.width * face.contentScaleFactor
    implicitHeight: face.sourceSize.height * face.contentScaleFactor
    scale: area.pressed ? 0.85 : 1.0

    MultiResolutionImage {
        id: face
        anchors.fill: parent
        fillMode: Image.PreserveAspectFit
        source: "../../assets/img/buttons/button-small.png"
    }

    MouseArea {
        id: area
        anchors.fill: parent
        enabled: button.enabled
        hoverEnabled: true
        onClicked: {
            button.clicked()
            audioManager.playClickSfx()
        }
    }
}
