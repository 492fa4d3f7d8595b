import QtQuick 2.0

/*!
    \qmltype FPSDisplay
    \inqmlmodule Zarno
    \inherits Text
    \brief A frame-rate counter at the bottom-left corner of its parent.

    Shows, once per second, the frames drawn in the past second (at most 60),
    in white 24-pixel text above everything else. The game window has one:
    switch it on with \c{displayFpsEnabled: true}.

    \qml
    Item {
        FPSDisplay { color: "yellow" }
    }
    \endqml
*/
Text {
    id: fpsDisplay

    property int __framesThisSecond: 0
    property real __frameTick: 0

    anchors.left: parent.left
    anchors.bottom: parent.bottom
    anchors.margins: 5
    z: 9999
    color: "white"
    font.pixelSize: 24

    // Every animation frame moves this value, which is all we need to count frames.
    NumberAnimation on __frameTick {
        running: fpsDisplay.visible
        from: 0
        to: 1
        duration: 1000
        loops: Animation.Infinite
    }
    on__FrameTickChanged: __framesThisSecond++

    Timer {
        running: fpsDisplay.visible
        interval: 1000
        repeat: true
        onTriggered: {
            fpsDisplay.text = Math.min(fpsDisplay.__framesThisSecond, 60)
            fpsDisplay.__framesThisSecond = 0
        }
    }
}
