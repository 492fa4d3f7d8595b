import QtQuick 2.0
import Zarno 2.0
import "../misc"

QemScene {
    id: menuScene

    signal playPressed()

    onBackButtonPressed: nativeUtils.displayMessageBox(qsTr("Really quit the game?"), "", 2)

    // Only the title screen asked the question, so only it may act on the answer.
    Connections {
        target: window.activeScene === menuScene ? nativeUtils : null
        function onMessageBoxFinished(accepted) {
            if (accepted)
                Qt.quit()
        }
    }

    BackgroundImage {
        anchors.fill: gameWindowAnchorItem
        source: "../../assets/img/misc/comix.png"
        drawnPixelSize: windowPixelSize
    }

    // The scene's own area only: taps on the letterbox bars do nothing.
    MouseArea {
        anchors.fill: parent
        onClicked: menuScene.playPressed()
    }

    QemText {
        anchors.centerIn: parent
        text: qsTr("Play!")
    }
}
