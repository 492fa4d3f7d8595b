import QtQuick 2.15

// A text box.
DelegateRow {
    id: row
    InputField {
        anchors.fill: parent
        text: row.value === undefined || row.value === null ? "" : String(row.value)
        onAccepted: row.valueEdited(text)
    }
}
