import QtQuick 2.15

// Red, green, blue and alpha sliders for one colour.
Column {
    id: picker
    property var editor: null
    property color color: "black"
    signal picked(color color)

    function component(index) {
        if (!editor)
            return 0
        switch (index) {
        case 0: return editor.readColorPropertyWithRed(color)
        case 1: return editor.readColorPropertyWithGreen(color)
        case 2: return editor.readColorPropertyWithBlue(color)
        }
        return editor.readColorPropertyWithAlpha(color)
    }

    function withComponent(index, fraction) {
        var parts = [component(0), component(1), component(2), component(3)]
        parts[index] = fraction
        return Qt.rgba(parts[0], parts[1], parts[2], parts[3])
    }

    spacing: 2
    Repeater {
        model: ["#ff5050", "#50d050", "#5080ff", "#cccccc"]
        Rectangle {
            id: track
            width: picker.width; height: 10
            color: "#303540"
            Rectangle {
                height: parent.height
                width: parent.width * picker.component(index)
                color: modelData
            }
            MouseArea {
                anchors.fill: parent
                function edit(x) { picker.picked(picker.withComponent(index, Math.max(0, Math.min(1, x / width)))) }
                onPressed: edit(mouse.x)
                onPositionChanged: edit(mouse.x)
            }
        }
    }
}
