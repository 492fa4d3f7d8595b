import QtQuick 2.0
import Zarno 2.0

Item {
    id: landLayer

    property int land
    property int number
    property bool running
    property alias velocity: scroll.velocity
    // Window pixels per scene unit. The pictures are read at the size they are drawn:
    // drawing five layers from full-density textures was what made a run crawl under
    // software rendering.
    property real pixelsPerUnit: 1
    readonly property int pictureHeight: Math.max(1, Math.ceil(height * pixelsPerUnit))

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
        sourceSize.height: landLayer.pictureHeight
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
                // The strip's period; the picture is 1500 units wide at its own density.
                width: 1500
                height: landLayer.height
                fillMode: Image.PreserveAspectFit
                asynchronous: true
                sourceSize.height: landLayer.pictureHeight
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
