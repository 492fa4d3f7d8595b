import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype ParallaxScrollingBackground
    \inqmlmodule Zarno
    \brief An endless background scrolling at a constant velocity.

    Three copies of the image lie in a row (or a column when the velocity is
    vertical): the image, the second image (or the first again, mirrored along
    the scrolling axis), and the image once more. When the strip has moved by
    two images it jumps back, which the third copy makes invisible. The item is
    as large as its first image.

    \qml
    ParallaxScrollingBackground {
        sourceImage: "img/hills.png"
        movementVelocity: Qt.point(-100, 0)
        ratio: Qt.point(0.5, 1)          // half as fast as the front layer
    }
    \endqml
*/
Item {
    id: root

    /*! The image. */
    property url sourceImage
    /*! An optional second image shown after the first one. */
    property url sourceImage2
    /*! Whether the second copy is mirrored along the scrolling axis; true when there is no second image. */
    property bool mirrorSecondImage: String(sourceImage2) === ""
    /*! Scrolling velocity in scene units per second, before the ratio is applied. */
    property point movementVelocity: Qt.point(0, 0)
    /*! Factors applied to movementVelocity per axis. */
    property point ratio: Qt.point(1, 1)
    /*! Whether the background scrolls. */
    property bool running: true
    /*! The first image copy. */
    property alias image: firstImage

    // 0: horizontal, 1: vertical; kept while the velocity is zero.
    property int __direction: 0
    readonly property bool __horizontal: __direction === 0
    readonly property real __velocityX: movementVelocity.x * ratio.x
    readonly property real __velocityY: movementVelocity.y * ratio.y
    readonly property real __span: __horizontal ? firstImage.width + secondImage.width
                                                : firstImage.height + secondImage.height

    width: firstImage.width
    height: firstImage.height
    clip: false

    onMovementVelocityChanged: {
        if (movementVelocity.x !== 0)
            __direction = 0
        else if (movementVelocity.y !== 0)
            __direction = 1
    }

    /*! Puts the strip back to its start. */
    function resetBackgrounds() {
        strip.x = 0
        strip.y = 0
    }

    Item {
        id: strip
        objectName: "parallaxStrip"

        Grid {
            columns: root.__horizontal ? 3 : 1

            MultiResolutionImage {
                id: firstImage
                source: root.sourceImage
            }
            MultiResolutionImage {
                id: secondImage
                source: String(root.sourceImage2) === "" ? root.sourceImage : root.sourceImage2
                mirrorX: root.mirrorSecondImage && root.__horizontal
                mirrorY: root.mirrorSecondImage && !root.__horizontal
            }
            MultiResolutionImage {
                source: root.sourceImage
            }
        }
    }

    MovementAnimation {
        target: strip
        property: "x"
        velocity: root.__velocityX
        running: root.running && root.__horizontal
        maxPropertyValue: 0
        minPropertyValue: -root.__span
        onLimitReached: strip.x = velocity > 0 ? -root.__span : 0
    }

    MovementAnimation {
        target: strip
        property: "y"
        velocity: root.__velocityY
        running: root.running && !root.__horizontal
        maxPropertyValue: 0
        minPropertyValue: -root.__span
        onLimitReached: strip.y = velocity > 0 ? -root.__span : 0
    }
}
