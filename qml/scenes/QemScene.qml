import QtQuick 2.0
import Zarno 2.0

Scene {
    readonly property int titleFontSize: 96
    readonly property int normalFontSize: 64
    readonly property int smallFontSize: 32
    readonly property real mm: 20
    readonly property real m2: 10
    // The whole window in its own pixels: full-window pictures are read at this size,
    // so a picture made for a large screen costs no more than the window shows.
    readonly property size windowPixelSize: Qt.size(Math.round(gameWindowAnchorItem.width * xScaleForScene),
                                                    Math.round(gameWindowAnchorItem.height * xScaleForScene))

    width: 1920
    height: 1280
    // Every scene starts hidden; the main item shows one at a time.
    opacity: 0

    // A scene whose own content covers the whole window may hide it.
    property alias windowFill: windowFill

    // Paints the letterbox bars too, so no other scene shows through them.
    Rectangle {
        id: windowFill
        anchors.fill: gameWindowAnchorItem
        color: "black"
    }
}
