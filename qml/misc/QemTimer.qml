import QtQuick 2.0

// A countdown in steps of a tenth of a second.
Item {
    id: qemTimer

    property int duration
    property int time
    property alias running: ticker.running

    signal stopped()
    signal triggered()

    function clear() {
        time = duration
    }

    function start() {
        ticker.start()
    }

    function stop() {
        ticker.stop()
        stopped()
    }

    width: label.width
    height: label.height

    Timer {
        id: ticker
        interval: 100
        repeat: true
        onTriggered: {
            qemTimer.time -= 100
            if (qemTimer.time <= 0) {
                ticker.stop()
                qemTimer.triggered()
            }
        }
    }

    QemText {
        id: label
        font.bold: true
        font.pixelSize: titleFontSize
        // Seconds and milliseconds of the time left; the date part is never shown.
        text: Qt.formatDateTime(new Date(qemTimer.time), "ss:zzz")
    }
}
