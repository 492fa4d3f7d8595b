import QtQuick 2.0

Rectangle {
    id: progressBar

    property real maxValue: 1
    property real value
    property color mainColor: "#00aa00"
    property color borderColor: "#333333"

    // The filled share, kept inside the bar even for odd values.
    readonly property real fraction: maxValue > 0 ? Math.max(0, Math.min(1, value / maxValue)) : 0

    width: 400
    height: 60
    color: borderColor
    border.width: 8
    border.color: borderColor

    QemText {
        id: label
        anchors.centerIn: parent
        font.pixelSize: smallFontSize
        color: progressBar.mainColor
        text: progressBar.value + "/" + progressBar.maxValue
    }

    // The same text again in white, clipped to the filled part.
    Rectangle {
        width: progressBar.width * progressBar.fraction
        height: progressBar.height
        color: progressBar.mainColor
        clip: true

        QemText {
            x: label.x
            y: label.y
            font.pixelSize: smallFontSize
            color: "white"
            text: label.text
        }
    }
}
