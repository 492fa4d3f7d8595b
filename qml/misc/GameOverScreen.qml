import QtQuick 2.0
import QtQuick.Layouts 1.1

QemDialog {
    id: gameOverScreen

    property string title

    signal playAgainPressed()
    signal menuPressed()

    Rectangle {
        anchors.fill: parent
        color: "black"
        opacity: 0.5
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: mm

        Item {
            Layout.fillHeight: true
        }

        QemText {
            Layout.alignment: Qt.AlignHCenter
            text: gameOverScreen.title
        }

        QemTextButton {
            objectName: "repeatButton"
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Repeat")
            onClicked: gameOverScreen.playAgainPressed()
        }

        QemTextButton {
            objectName: "menuButton"
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Menu")
            onClicked: gameOverScreen.menuPressed()
        }

        Item {
            Layout.fillHeight: true
        }
    }
}
