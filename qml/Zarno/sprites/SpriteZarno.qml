import QtQuick 2.0

/*!
    \qmltype SpriteZarno
    \inqmlmodule Zarno
    \brief One animation of a SpriteSequenceZarno strip, with its frames in scene units.

    Frames of one animation stand side by side in a row of the strip, starting
    at column \l startFrameColumn of row \l startFrameRow. Place it inside a
    SpriteSequenceZarno, which gives it the strip.

    \qml
    SpriteSequenceZarno {
        defaultSource: "../assets/img/bird.png"
        SpriteZarno { name: "fly"; frameWidth: 32; frameHeight: 32; frameCount: 4; frameDuration: 100 }
    }
    \endqml
*/
Item {
    id: spriteZarno

    /*! The width of one frame in scene units. */
    property int frameWidth
    /*! The height of one frame in scene units. */
    property int frameHeight
    /*! The column, from 1, of the first frame; 1 by default. */
    property int startFrameColumn: 1
    /*! The row, from 1, of the first frame; 1 by default. */
    property int startFrameRow: 1
    /*! The x of the first frame in scene units; follows \l startFrameColumn. */
    property int frameX: (startFrameColumn - 1) * frameWidth
    /*! The y of the first frame in scene units; follows \l startFrameRow. */
    property int frameY: (startFrameRow - 1) * frameHeight

    /*! The sprite's name, used by \c to, \c goalSprite and \c jumpTo(). */
    property alias name: sprite.name
    /*!
        The sprites that may follow this one with their weights, for example
        \c{{"run": 1, "idle": 0.5}}; see Sprite::to.
    */
    property alias to: sprite.to
    /*! The number of frames. */
    property alias frameCount: sprite.frameCount
    /*! Frames per second; see Sprite::frameRate. */
    property alias frameRate: sprite.frameRate
    /*! A random variation of \l frameRate. */
    property alias frameRateVariation: sprite.frameRateVariation
    /*! Milliseconds per frame, used when \l frameRate is not set. */
    property alias frameDuration: sprite.frameDuration
    /*! A random variation of \l frameDuration. */
    property alias frameDurationVariation: sprite.frameDurationVariation
    /*! Milliseconds before moving to a sprite of \l to. */
    property alias duration: sprite.duration
    /*! A random variation of \l duration. */
    property alias durationVariation: sprite.durationVariation
    /*! Whether the sprite moves on once per drawn frame instead of by time. */
    property alias frameSync: sprite.frameSync
    /*! Whether the sprite starts at a random frame. */
    property alias randomStart: sprite.randomStart
    /*! Whether the frames play backwards. */
    property alias reverse: sprite.reverse
    /*! The strip's URL; set by the sequence from its \c defaultSource. */
    property alias source: sprite.source
    /*! The inner Sprite. */
    property alias sprite: sprite
    /*! Scene units per pixel of the loaded strip: 1, 0.5 (\c{+hd}) or 0.25 (\c{+hd2}). */
    readonly property real contentScaleFactor: String(sprite.source) !== "" ? __factorForUrl(sprite.source) : internalContentScaleFactorForImages

    property bool __initialized: false
    // The sequence that owns this sprite: its inner SpriteSequence is the first child.
    readonly property var __sequence: parent && parent.spriteSequence !== undefined ? parent : null

    objectName: "spriteZarno"

    function __factorForUrl(url) {
        var text = String(url)
        if (text.indexOf("+hd2") >= 0)
            return 0.25
        if (text.indexOf("+hd") >= 0)
            return 0.5
        return 1
    }

    // Bound frame values settle before the engine is rebuilt, so it is deferred.
    function __rebuildSequence() {
        if (__initialized && __sequence)
            Qt.callLater(__recreateEngine)
    }

    function __recreateEngine() {
        if (__sequence)
            system.recreateSprite(__sequence.spriteSequence)
    }

    function __followSource() {
        if (__initialized && __sequence)
            Qt.callLater(__adoptSource)
    }

    function __adoptSource() {
        if (!__sequence)
            return
        __sequence.contentScaleFactor = contentScaleFactor
        system.recreateSprite(__sequence.spriteSequence)
    }

    onFrameXChanged: __rebuildSequence()
    onFrameYChanged: __rebuildSequence()

    Component.onCompleted: __initialized = true

    Sprite {
        id: sprite
        // Unlike an Image, a Sprite loads its URL as it stands, so a strip given
        // in full (built in script) is resolved here to the screen's density
        // like a relative one; the factor is then read from what is loaded.
        source: spriteZarno.__sequence && String(spriteZarno.__sequence.defaultSource) !== ""
                ? Qt.resolvedUrl(spriteZarno.__sequence.defaultSource) : ""
        frameX: spriteZarno.frameX / spriteZarno.contentScaleFactor
        frameY: spriteZarno.frameY / spriteZarno.contentScaleFactor
        frameWidth: spriteZarno.frameWidth / spriteZarno.contentScaleFactor
        frameHeight: spriteZarno.frameHeight / spriteZarno.contentScaleFactor

        // A new strip may come in another density: the sequence follows it.
        onSourceChanged: spriteZarno.__followSource()
    }
}
