import QtQuick 2.15

/*!
    \qmltype TexturePackerSpriteSequenceZarno
    \inqmlmodule Zarno
    \brief Shows one of its TexturePackerSpriteZarno children at a time, moving on after each loop.

    The first child plays first. Whenever the shown sprite finishes a loop, the
    next one is drawn at random by the weights of its \c to map. The item takes
    the size of the shown sprite. See TexturePackerSpriteZarno for an example.

    \qml
    TexturePackerSpriteSequenceZarno {
        id: hero
        TexturePackerSpriteZarno { name: "run"; source: "../assets/img/hero.json"; frameNames: ["run1.png", "run2.png"] }
        TexturePackerSpriteZarno { name: "jump"; source: "../assets/img/hero.json"; frameNames: ["jump.png"]; to: { "run": 1 } }
    }
    // hero.jumpTo("jump")
    \endqml
*/
Item {
    id: sequence

    /*! Whether the shown sprite runs; true by default. */
    property bool running: true
    /*! The name of the shown sprite; assigning it shows that sprite from its start. */
    property string currentSprite: ""
    /*! The TexturePackerSpriteZarno children, in their order. */
    property var sprites: []

    /*! Whether the sprites are mirrored horizontally in place; false by default. */
    property bool mirror: false
    /*! Same as \l mirror. */
    property alias mirrorX: sequence.mirror
    /*! Whether the sprites are flipped vertically in place; false by default. */
    property bool mirrorY: false

    /*! Shows the sprite named \a name from its start. */
    function jumpTo(name) {
        currentSprite = name
    }

    function __findSprite(name) {
        for (var i = 0; i < sprites.length; ++i) {
            if (sprites[i].name === name)
                return sprites[i]
        }
        return null
    }

    function __rebuild() {
        var list = []
        for (var i = 0; i < children.length; ++i) {
            var child = children[i]
            if (child.objectName !== "texturePackerSpriteZarno")
                continue
            child.mirror = Qt.binding(function() { return sequence.mirror })
            child.mirrorY = Qt.binding(function() { return sequence.mirrorY })
            list.push(child)
        }
        sprites = list
        var first = list.length > 0 ? list[0].name : ""
        if (currentSprite !== first)
            currentSprite = first // selects it through onCurrentSpriteChanged
        else
            __select()
    }

    function __select() {
        d.current = __findSprite(currentSprite)
        __follow(d.current ? d.current.sprite : null)
        if (d.current)
            d.current.restart()
        __applyRunning()
        if (d.current) {
            d.current.width = sequence.width
            d.current.height = sequence.height
        }
    }

    // Connected by hand: the connection changes from inside its own handler,
    // which a Connections element with a changing target does not handle well.
    function __follow(nativeSprite) {
        if (d.followed === nativeSprite)
            return
        if (d.followed)
            d.followed.loopFinished.disconnect(__onLoopFinished)
        d.followed = nativeSprite
        if (nativeSprite)
            nativeSprite.loopFinished.connect(__onLoopFinished)
    }

    function __onLoopFinished() {
        currentSprite = __nextSpriteName()
        if (d.current) {
            d.current.running = running
            d.current.loops = 1
        }
    }

    function __applyRunning() {
        for (var i = 0; i < sprites.length; ++i) {
            var s = sprites[i]
            if (s === d.current) {
                s.visible = true
                s.running = sequence.running
                s.loops = 1
            } else {
                s.visible = false
                s.stop()
            }
        }
    }

    function __weight(value) {
        var w = Number(value)
        return isFinite(w) && w > 0 ? w : 0
    }

    function __nextSpriteName() {
        var current = d.current
        if (!current)
            return ""
        var to = current.to
        if (!to)
            return current.name
        var sum = 0
        var key
        for (key in to)
            sum += __weight(to[key])
        var value = Math.random() * sum
        var cumulative = 0
        for (key in to) {
            cumulative += __weight(to[key])
            if (cumulative > value)
                return key
        }
        console.warn("TexturePackerSpriteSequenceItem Error: finding the right sprite for the given probabilities did not work. possible values: 0-"
                     + sum + " chosen value: " + value)
        // Keeping the shown sprite beats going blank.
        return current.name
    }

    width: d.current ? d.current.implicitWidth : 0
    height: d.current ? d.current.implicitHeight : 0

    onChildrenChanged: __rebuild()
    onRunningChanged: __applyRunning()
    onCurrentSpriteChanged: __select()
    onWidthChanged: {
        if (d.current)
            d.current.width = width
    }
    onHeightChanged: {
        if (d.current)
            d.current.height = height
    }

    QtObject {
        id: d
        property var current: null
        property var followed: null
    }
}
