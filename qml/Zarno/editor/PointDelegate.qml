import QtQuick 2.15

// Two text boxes for x and y.
DelegateRow {
    id: row
    readonly property real pointX: row.value ? row.value.x : 0
    readonly property real pointY: row.value ? row.value.y : 0
    Row {
        anchors.fill: parent
        spacing: 4
        InputField {
            width: (parent.width - 4) / 2; height: parent.height
            text: String(row.pointX)
            validator: DoubleValidator {}
            onAccepted: row.valueEdited(Qt.point(Number(text), row.pointY))
        }
        InputField {
            width: (parent.width - 4) / 2; height: parent.height
            text: String(row.pointY)
            validator: DoubleValidator {}
            onAccepted: row.valueEdited(Qt.point(row.pointX, Number(text)))
        }
    }
}
