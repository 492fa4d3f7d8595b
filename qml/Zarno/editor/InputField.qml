import QtQuick 2.15

// A one-line text box that reports its text when editing ends.
Rectangle {
    id: field
    property alias text: input.text
    property alias validator: input.validator
    signal accepted(string text)

    color: "#303540"
    border.color: input.activeFocus ? "#7fb0ff" : "#555b66"
    radius: 2
    clip: true

    TextInput {
        id: input
        anchors { fill: parent; leftMargin: 4; rightMargin: 4 }
        verticalAlignment: TextInput.AlignVCenter
        color: "white"
        font.pixelSize: 12
        selectByMouse: true
        onEditingFinished: field.accepted(text)
    }
}
