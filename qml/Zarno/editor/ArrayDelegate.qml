import QtQuick 2.15

// A list written as JSON text; text that does not parse as a list is refused.
DelegateRow {
    id: row
    InputField {
        anchors.fill: parent
        text: JSON.stringify(row.value)
        onAccepted: {
            try {
                var list = JSON.parse(text)
                if (Array.isArray(list)) {
                    row.valueEdited(list)
                    return
                }
            } catch (error) {
            }
            console.warn("[WARNING] ItemEditor: not a list for", row.propertyName + ":", text)
            text = JSON.stringify(row.value)
        }
    }
}
