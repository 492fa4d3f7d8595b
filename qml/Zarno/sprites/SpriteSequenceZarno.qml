import QtQuick 2.0

// Qt Quick's SpriteSequence for strips whose frames are given in logical units.
Item {
    id: root

    property url spriteSheetSource
    property url defaultSource: spriteSheetSource
    property real contentScaleFactor: internalContentScaleFactorForImages
    property var sprites: []

    property alias spriteSequence: spriteSequence
    property alias goalSprite: spriteSequence.goalSprite
    property alias running: spriteSequence.running
    property alias interpolate: spriteSequence.interpolate
    readonly property alias currentSprite: spriteSequence.currentSprite
    readonly property var currentSpriteObject: __spriteNamed(spriteSequence.currentSprite, children)

    property bool mirror: false
    property bool mirrorX: mirror
    property bool mirrorY: false

    width: currentSpriteObject ? currentSpriteObject.frameWidth : 0
    height: currentSpriteObject ? currentSpriteObject.frameHeight : 0

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

    function jumpTo(sprite) {
        spriteSequence.jumpTo(sprite)
    }

    // SpriteZarno items of a list, skipping its first entry (the inner sequence) when asked.
    function __collect(list, skipFirst) {
        var result = []
        if (!list)
            return result
        for (var i = skipFirst ? 1 : 0; i < list.length; ++i) {
            if (list[i] && list[i].objectName === "spriteZarno")
                result.push(list[i])
        }
        return result
    }

    function __spriteNamed(name, list) {
        var found = null
        var candidates = __collect(list, true)
        for (var i = 0; i < candidates.length; ++i) {
            if (candidates[i].name === name)
                found = candidates[i]
        }
        return found
    }

    function __applySprites(list) {
        var inner = []
        for (var i = 0; i < list.length; ++i)
            inner.push(list[i].sprite)
        spriteSequence.sprites = inner
    }

    function __takeSprites() {
        var list = __collect(sprites, false)
        // The sequence draws at the density of its strip from the start.
        if (list.length > 0 && String(list[0].source) !== "")
            contentScaleFactor = list[0].contentScaleFactor
        __applySprites(list)
    }

    onChildrenChanged: sprites = __collect(children, true)
    onSpritesChanged: __takeSprites()
    // Sprite frames are bound values; build the engine once they all hold.
    Component.onCompleted: __takeSprites()

    SpriteSequence {
        id: spriteSequence
        width: root.width / root.contentScaleFactor
        height: root.height / root.contentScaleFactor
        interpolate: false
        transform: Scale {
            xScale: root.contentScaleFactor
            yScale: root.contentScaleFactor
        }
    }
}
