import QtQuick 2.15
import Zarno 2.0

// One named animation of a TexturePackerSpriteSequenceZarno; `to` maps the
// names of possible successors to their weights.
TexturePackerAnimatedSpriteZarno {
    property string name: ""
    property var to: null

    objectName: "texturePackerSpriteZarno"
    visible: false
    running: false
    loops: TexturePackerSprite.Infinite
}
