import QtQuick 2.0

// Blocks no input of its own: only its children take taps, and only once fully shown.
Item {
    id: dialog

    property int fadeTime: 500

    anchors.fill: parent
    opacity: 0
    visible: opacity > 0
    enabled: opacity === 1

    states: State {
        name: "shown"
        PropertyChanges { target: dialog; opacity: 1 }
    }

    transitions: Transition {
        from: ""
        to: "shown"
        reversible: true
        NumberAnimation { property: "opacity"; duration: dialog.fadeTime; easing.type: Easing.InOutQuad }
    }
}
