import QtQuick 2.15
import Zarno 2.0

/*!
    \qmltype TexturePackerAnimatedSpriteZarno
    \inqmlmodule Zarno
    \brief One animation from a packed sprite sheet, sized in scene units, mirrorable.

    Wraps a TexturePackerSprite: the item takes the frame's size in scene units
    (whatever the density of the sheet) unless you set one, and can be mirrored in
    place. Its members pass on to the inner sprite.

    \qml
    TexturePackerAnimatedSpriteZarno {
        source: "../assets/img/sheet.json"
        frameNames: ["bat1.png", "bat2.png"]
        frameRate: 10
        mirrorX: true       // faces left
    }
    \endqml
*/
Item {
    id: animatedSprite

    /*! The frames to cycle through; see TexturePackerSprite::frameNames. */
    property alias frameNames: sprite.frameNames
    /*! The URL of the sheet's JSON document. */
    property alias source: sprite.source
    /*! How a frame fills a set size; see TexturePackerSprite::fillMode. */
    property alias fillMode: sprite.fillMode
    /*! Frames per second; 1 by default. */
    property alias frameRate: sprite.frameRate
    /*! How often the frames play; \c TexturePackerSprite.Infinite by default. */
    property alias loops: sprite.loops
    /*! Whether the animation runs; true by default. */
    property alias running: sprite.running
    /*! Whether the animation is paused on its current frame. */
    property alias paused: sprite.paused
    /*! Whether the frames play backwards. */
    property alias reverse: sprite.reverse
    /*! The index of the frame shown; settable while paused. */
    property alias currentFrame: sprite.currentFrame
    /*! Whether frames are blended into the next. */
    property alias interpolate: sprite.interpolate
    /*! The scale of the inner sprite. */
    property alias scale: sprite.scale
    /*! Whether the sheet is filtered when scaled. */
    property alias smooth: sprite.smooth
    /*! The inner TexturePackerSprite. */
    property alias sprite: sprite

    /*! Whether the image is mirrored horizontally in place; false by default. */
    property bool mirror: false
    /*! Same as \l mirror. */
    property alias mirrorX: animatedSprite.mirror
    /*! Whether the image is flipped vertically in place; false by default. */
    property bool mirrorY: false

    /*!
        Emitting it forgets every sheet and texture read so far, for all sprites
        (TexturePackerSprite::clearCache()).
    */
    signal clearCache()
    onClearCache: sprite.clearCache()

    /*! Starts the animation. */
    function start() { sprite.start() }
    /*! Stops the animation. */
    function stop() { sprite.stop() }
    /*! Starts the animation again from its first frame. */
    function restart() { sprite.restart() }
    /*! Pauses the animation. */
    function pause() { sprite.pause() }
    /*! Resumes a paused animation. */
    function resume() { sprite.resume() }
    /*! Shows the next frame while paused. */
    function advance() { sprite.advance() }

    implicitWidth: sprite.implicitWidth
    implicitHeight: sprite.implicitHeight

    // The native element keeps an explicit size in sheet pixels; this item
    // keeps scene units and hands them over.
    onWidthChanged: sprite.setWidthScaled(width)
    onHeightChanged: sprite.setHeightScaled(height)

    TexturePackerSprite {
        id: sprite

        transformOrigin: Item.TopLeft
        antialiasing: animatedSprite.antialiasing
        // Flipped in place: mirrored about the axis, then moved back into the item's rectangle.
        transform: [
            Scale {
                xScale: animatedSprite.mirror ? -1 : 1
                yScale: animatedSprite.mirrorY ? -1 : 1
            },
            Translate {
                x: animatedSprite.mirror ? animatedSprite.width : 0
                y: animatedSprite.mirrorY ? animatedSprite.height : 0
            }
        ]

        onSourceChanged: {
            sprite.setWidthScaled(animatedSprite.width)
            sprite.setHeightScaled(animatedSprite.height)
        }
        onWidthChanged: {
            if (!sprite.widthExplicitlySet()) {
                var w = sprite.getWidthScaled()
                if (animatedSprite.width !== w)
                    animatedSprite.width = w
            } else {
                sprite.setWidthScaled(animatedSprite.width)
            }
        }
        onHeightChanged: {
            if (!sprite.heightExplicitlySet()) {
                var h = sprite.getHeightScaled()
                if (animatedSprite.height !== h)
                    animatedSprite.height = h
            } else {
                sprite.setHeightScaled(animatedSprite.height)
            }
        }
    }
}
