import QtQuick 2.0
import Zarno 2.0

Item {
    id: landLayer

    property int land
    property int number
    property bool running
    property alias velocity: scroll.velocity

    function init() {
        running = false
    }

    function play() {
        running = true
    }

    function stop() {
        running = false
    }

    // Three copies side by side; jumping back by one image width (1500) keeps the
    // strip looping without a seam.
    Row {
        id: strip
        anchors.verticalCenter: parent.verticalCenter

        Repeater {
            model: 3
            BackgroundImage {
                height: landLayer.height
                fillMode: Image.PreserveAspectFit
                source: "../../assets/img/bkg/bkg-" + landLayer.land + "-" + landLayer.number + ".png"
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
