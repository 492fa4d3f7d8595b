import QtQuick 2.0

// One animation of a sprite strip, with its frames given in logical units.
Item {
    id: spriteZarno

    property int frameWidth
    property int frameHeight
    property int startFrameColumn: 1
    property int startFrameRow: 1
    property int frameX: (startFrameColumn - 1) * frameWidth
    property int frameY: (startFrameRow - 1) * frameHeight

    property alias name: sprite.name
    property alias to: sprite.to
    property alias frameCount: sprite.frameCount
    property alias frameRate: sprite.frameRate
    property alias frameRateVariation: sprite.frameRateVariation
    property alias frameDuration: sprite.frameDuration
    property alias frameDurationVariation: sprite.frameDurationVariation
    property alias duration: sprite.duration
    property alias durationVariation: sprite.durationVariation
    property alias frameSync: sprite.frameSync
    property alias randomStart: sprite.randomStart
    property alias reverse: sprite.reverse
    property alias source: sprite.source
    property alias sprite: sprite
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
