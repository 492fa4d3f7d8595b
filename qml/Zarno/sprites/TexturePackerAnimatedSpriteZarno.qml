import QtQuick 2.15
import Zarno 2.0

// One animation from a packed sprite sheet, sized in scene units, optionally mirrored.
Item {
    id: animatedSprite

    property alias frameNames: sprite.frameNames
    property alias source: sprite.source
    property alias fillMode: sprite.fillMode
    property alias frameRate: sprite.frameRate
    property alias loops: sprite.loops
    property alias running: sprite.running
    property alias paused: sprite.paused
    property alias reverse: sprite.reverse
    property alias currentFrame: sprite.currentFrame
    property alias interpolate: sprite.interpolate
    property alias scale: sprite.scale
    property alias smooth: sprite.smooth
    property alias sprite: sprite

    property bool mirror: false
    property alias mirrorX: animatedSprite.mirror
    property bool mirrorY: false

    signal clearCache()
    onClearCache: sprite.clearCache()

    function start() { sprite.start() }
    function stop() { sprite.stop() }
    function restart() { sprite.restart() }
    function pause() { sprite.pause() }
    function resume() { sprite.resume() }
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
