import QtQuick 2.0

// Takes every tap on the window from the first moment of its fade-in to the end of its fade-out.
Item {
    id: waitScreen

    signal activated()

    opacity: 0
    enabled: opacity > 0

    Rectangle {
        anchors.fill: parent
        color: "black"
        opacity: 0.5
    }

    QemText {
        anchors.centerIn: parent
        color: "white"
        text: qsTr("Tap to play")
    }

    MouseArea {
        anchors.fill: parent
        onClicked: waitScreen.activated()
    }

    states: State {
        name: "shown"
        PropertyChanges { target: waitScreen; opacity: 1 }
    }

    transitions: Transition {
        from: ""
        to: "shown"
        reversible: true
        NumberAnimation { property: "opacity"; duration: 250; easing.type: Easing.InOutQuad }
    }
}
