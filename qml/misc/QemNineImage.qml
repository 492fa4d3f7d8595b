import QtQuick 2.0
import Zarno 2.0

// Numbered like a keypad: 7 8 9 on top, 4 5 6 in the middle, 1 2 3 at the bottom.
// Corners keep their size, edges stretch along one side, the centre both ways.
Item {
    id: nineImage

    property url source1
    property url source2
    property url source3
    property url source4
    property url source5
    property url source6
    property url source7
    property url source8
    property url source9

    MultiResolutionImage {
        id: image7
        anchors.left: parent.left
        anchors.top: parent.top
        source: nineImage.source7
    }

    MultiResolutionImage {
        id: image9
        anchors.right: parent.right
        anchors.top: parent.top
        source: nineImage.source9
    }

    MultiResolutionImage {
        id: image1
        anchors.left: parent.left
        anchors.bottom: parent.bottom
        source: nineImage.source1
    }

    MultiResolutionImage {
        id: image3
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        source: nineImage.source3
    }

    BackgroundImage {
        id: image8
        anchors.top: parent.top
        anchors.horizontalCenter: parent.horizontalCenter
        width: nineImage.width - image7.width - image9.width
        height: image7.height
        source: nineImage.source8
    }

    BackgroundImage {
        id: image2
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        width: nineImage.width - image1.width - image3.width
        height: image1.height
        source: nineImage.source2
    }

    BackgroundImage {
        id: image4
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        width: image7.width
        height: nineImage.height - image7.height - image1.height
        source: nineImage.source4
    }

    BackgroundImage {
        id: image6
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: image9.width
        height: nineImage.height - image9.height - image3.height
        source: nineImage.source6
    }

    // One unit of overlap on each side hides the seams.
    BackgroundImage {
        anchors.centerIn: parent
        width: nineImage.width - image4.width - image6.width + 2
        height: nineImage.height - image8.height - image2.height + 2
        source: nineImage.source5
    }
}
