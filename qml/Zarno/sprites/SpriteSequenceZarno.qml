import QtQuick 2.0

/*!
    \qmltype SpriteSequenceZarno
    \inqmlmodule Zarno
    \brief Qt Quick's SpriteSequence for sprite strips with frames in scene units.

    Declare SpriteZarno children, one per animation, and the strip they share in
    \l defaultSource. Frame sizes and positions are written in scene units (the
    plain file's pixels), whichever density of the strip is loaded. The item
    takes the frame size of the current sprite; the first sprite plays first.

    \qml
    SpriteSequenceZarno {
        defaultSource: "../assets/img/runner.png"
        SpriteZarno { name: "run"; frameWidth: 64; frameHeight: 64; frameCount: 6; frameRate: 12 }
        SpriteZarno { name: "jump"; startFrameRow: 2; frameWidth: 64; frameHeight: 64; frameCount: 4; frameRate: 12; to: { "run": 1 } }
    }
    \endqml
*/
Item {
    id: root

    /*! The strip's URL; \l defaultSource takes it unless set itself. */
    property url spriteSheetSource
    /*!
        The URL of the sprite strip all sprites draw from. Changing it (another
        creature, another density) rebuilds the animation.
    */
    property url defaultSource: spriteSheetSource
    /*! Scene units per pixel of the loaded strip: 1, 0.5 (\c{+hd}) or 0.25 (\c{+hd2}). */
    property real contentScaleFactor: internalContentScaleFactorForImages
    /*! The SpriteZarno children, in their order; assign a list to use other sprites. */
    property var sprites: []

    /*! The inner SpriteSequence. */
    property alias spriteSequence: spriteSequence
    /*!
        The name of the sprite to move towards through the \c to weights; see
        SpriteSequence::goalSprite.
    */
    property alias goalSprite: spriteSequence.goalSprite
    /*! Whether the animation runs; true by default. False freezes the current frame. */
    property alias running: spriteSequence.running
    /*! Whether frames are blended; false. */
    property alias interpolate: spriteSequence.interpolate
    /*! The name of the sprite that plays. */
    readonly property alias currentSprite: spriteSequence.currentSprite
    /*! The SpriteZarno that plays; null before the first one starts. */
    readonly property var currentSpriteObject: __spriteNamed(spriteSequence.currentSprite, children)

    /*! Whether the item is mirrored horizontally in place; false by default. */
    property bool mirror: false
    /*! Same as \l mirror unless set itself. */
    property bool mirrorX: mirror
    /*! Whether the item is flipped vertically in place; false by default. */
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

    /*! Changes at once to the sprite named \a sprite. */
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
