import QtQuick 2.0

/*!
    \qmltype AnimatedSpriteZarno
    \inqmlmodule Zarno
    \brief One frame-strip animation whose frames are given in logical units.

    The strip may come in any image density: a source in a "+hd" folder has
    frames twice as large in pixels, one in "+hd2" four times, and the item keeps
    its logical size of frameWidth x frameHeight.

    \qml
    AnimatedSpriteZarno {
        source: "../assets/img/+hd/coin-strip.png"
        frameWidth: 32; frameHeight: 32
        frameCount: 8; frameRate: 12
    }
    \endqml
*/
Item {
    id: root

    /*! Logical width of one frame. */
    property int frameWidth
    /*! Logical height of one frame. */
    property int frameHeight
    /*! Column of the first frame in the strip, counted from 1. */
    property int startFrameColumn: 1
    /*! Row of the first frame in the strip, counted from 1. */
    property int startFrameRow: 1
    /*! Logical x of the first frame in the strip. */
    property int frameX: (startFrameColumn - 1) * frameWidth
    /*! Logical y of the first frame in the strip. */
    property int frameY: (startFrameRow - 1) * frameHeight
    /*! Logical units per image pixel, decided from the source's density folder. */
    property real contentScaleFactor: internalContentScaleFactorForImages

    /*! Whether the frames are flipped horizontally inside the item. */
    property bool mirror: false
    /*! Horizontal flip, following mirror. */
    property bool mirrorX: mirror
    /*! Whether the frames are flipped vertically inside the item. */
    property bool mirrorY: false

    /*! The inner sprite. */
    property alias animatedSprite: sprite
    /*! The frame shown, counted from 0. */
    property alias currentFrame: sprite.currentFrame
    /*! Number of frames of the animation. */
    property alias frameCount: sprite.frameCount
    /*! Milliseconds each frame is shown, when frameRate is not set. */
    property alias frameDuration: sprite.frameDuration
    /*! Frames per second. */
    property alias frameRate: sprite.frameRate
    /*! Whether frames advance with the screen refresh instead of a rate. */
    property alias frameSync: sprite.frameSync
    /*! Whether frames are blended into each other (false). */
    property alias interpolate: sprite.interpolate
    /*! How often the animation plays; AnimatedSprite.Infinite by default. */
    property alias loops: sprite.loops
    /*! Whether the animation is paused. */
    property alias paused: sprite.paused
    /*! Whether the frames play backwards. */
    property alias reverse: sprite.reverse
    /*! Whether the animation runs. */
    property alias running: sprite.running
    /*! The strip image; its density folder decides contentScaleFactor. */
    property alias source: sprite.source

    width: frameWidth
    height: frameHeight

    transform: [
        Scale {
            xScale: root.mirrorX ? -1 : 1
            yScale: root.mirrorY ? -1 : 1
        },
        Translate {
            x: root.mirrorX ? root.width : 0
            y: root.mirrorY ? root.height : 0
        }
    ]

    /*! Shows the next frame. */
    function advance() { sprite.advance() }
    /*! Pauses the animation on its frame. */
    function pause() { sprite.pause() }
    /*! Starts the animation again from its first frame. */
    function restart() { sprite.restart() }
    /*! Continues a paused animation. */
    function resume() { sprite.resume() }

    function __factorForSource() {
        var text = String(sprite.source)
        if (text.indexOf("+hd2") >= 0)
            return 0.25
        if (text.indexOf("+hd") >= 0)
            return 0.5
        return 1
    }

    // A stopped sprite keeps showing its old frame until it runs once.
    function __showFramePosition() {
        if (!sprite.running) {
            sprite.running = true
            sprite.running = false
        }
    }

    onFrameXChanged: __showFramePosition()
    onFrameYChanged: __showFramePosition()

    AnimatedSprite {
        id: sprite
        width: root.width / root.contentScaleFactor
        height: root.height / root.contentScaleFactor
        frameX: root.frameX / root.contentScaleFactor
        frameY: root.frameY / root.contentScaleFactor
        frameWidth: root.frameWidth / root.contentScaleFactor
        frameHeight: root.frameHeight / root.contentScaleFactor
        interpolate: false
        transform: Scale {
            xScale: root.contentScaleFactor
            yScale: root.contentScaleFactor
        }
        onSourceChanged: root.contentScaleFactor = root.__factorForSource()
    }
}
