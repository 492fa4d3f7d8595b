import QtQuick 2.15

// A number with a slider between the metadata's min and max and a text box.
DelegateRow {
    id: row
    readonly property real minimum: metaData.min !== undefined ? metaData.min : 0
    readonly property real maximum: metaData.max !== undefined ? metaData.max : 100
    readonly property real step: metaData.stepsize !== undefined ? metaData.stepsize : 0

    function snapped(number) {
        var clamped = Math.max(minimum, Math.min(maximum, number))
        return step > 0 ? minimum + Math.round((clamped - minimum) / step) * step : clamped
    }

    Rectangle {
        id: track
        objectName: "slider"
        width: parent.width - box.width - 4
        height: 4
        anchors.verticalCenter: parent.verticalCenter
        color: "#555b66"
        Rectangle {
            width: 10; height: 14; radius: 3
            anchors.verticalCenter: parent.verticalCenter
            x: row.maximum > row.minimum
               ? (Math.max(row.minimum, Math.min(row.maximum, Number(row.value))) - row.minimum) / (row.maximum - row.minimum) * (track.width - width) : 0
            color: "#7fb0ff"
        }
        MouseArea {
            anchors { fill: parent; topMargin: -8; bottomMargin: -8; leftMargin: -6; rightMargin: -6 }
            function edit(mouseX) {
                var fraction = Math.max(0, Math.min(1, (mouseX - 6) / track.width))
                row.valueEdited(row.snapped(row.minimum + fraction * (row.maximum - row.minimum)))
            }
            onPressed: { row.pressed(); edit(mouse.x) }
            onPositionChanged: edit(mouse.x)
            onReleased: row.released()
        }
    }
    InputField {
        id: box
        objectName: "numberBox"
        width: 48
        height: parent.height
        anchors.right: parent.right
        text: Number(row.value).toFixed(row.step >= 1 ? 0 : 2)
        validator: DoubleValidator {}
        onAccepted: row.valueEdited(row.snapped(Number(text)))
    }
}
