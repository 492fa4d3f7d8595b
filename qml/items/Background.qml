import QtQuick 2.0
import Zarno 2.0

Item {
    id: landLayer

    property int land
    property int number
    property bool running
    property alias velocity: scroll.velocity

    // The land's picture is read in the background and shown once it is there:
    // reading five full-screen pictures on the spot stalled the run at every portal.
    readonly property string landSource: "../../assets/img/bkg/bkg-" + land + "-" + number + ".png"
    property string shownSource

    function init() {
        running = false
    }

    function play() {
        running = true
    }

    function stop() {
        running = false
    }

    MultiResolutionImage {
        id: nextPicture
        visible: false
        asynchronous: true
        source: landLayer.landSource
        // A missing file shows as nothing rather than keeping the old land.
        onStatusChanged: {
            if (status === Image.Ready || status === Image.Error)
                landLayer.shownSource = landLayer.landSource
        }
    }

    // Three copies side by side; jumping back by one image width (1500) keeps the
    // strip looping without a seam. The copies share the picture read above.
    Row {
        id: strip
        anchors.verticalCenter: parent.verticalCenter

        Repeater {
            model: 3
            BackgroundImage {
                height: landLayer.height
                fillMode: Image.PreserveAspectFit
                source: landLayer.shownSource
            }
        }
    }

    MovementAnimation {
        id: scroll
        target: strip
        property: "x"
        velocity: -1000
        running: landLayer.running
        minPropertyValue: -1500
        onLimitReached: strip.x = 0
    }
}
