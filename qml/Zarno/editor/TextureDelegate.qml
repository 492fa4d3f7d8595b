import QtQuick 2.15

// A file path with a small picture of it.
DelegateRow {
    id: row
    height: 48
    ImageViewer {
        id: viewer
        width: 44; height: 44
        source: row.value !== undefined ? row.value : ""
    }
    InputField {
        anchors { left: viewer.right; leftMargin: 4; right: parent.right; verticalCenter: parent.verticalCenter }
        height: 22
        text: row.value !== undefined ? String(row.value) : ""
        onAccepted: row.valueEdited(text)
    }
}
