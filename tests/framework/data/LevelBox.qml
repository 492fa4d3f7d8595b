import QtQuick 2.0
import Zarno 2.0

EntityBase {
    entityType: "box"
    width: 20
    height: 20
    toStoreProperties: ["label"]
    property real speed: 10
    property color tint: "red"
    property string label: "box"
    property url picture: "box.png"

    EditableComponent {
        editableType: "box"
        properties: { "speed": { "min": 0, "max": 100 }, "Look": { "tint": {}, "picture": {} } }
    }
}
