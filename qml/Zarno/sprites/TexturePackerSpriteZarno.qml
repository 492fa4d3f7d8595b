import QtQuick 2.15
import Zarno 2.0

/*!
    \qmltype TexturePackerSpriteZarno
    \inqmlmodule Zarno
    \inherits TexturePackerAnimatedSpriteZarno
    \brief One named animation of a TexturePackerSpriteSequenceZarno.

    Hidden and stopped until its sequence shows it.

    \qml
    TexturePackerSpriteSequenceZarno {
        TexturePackerSpriteZarno {
            name: "idle"
            source: "../assets/img/sheet.json"
            frameNames: ["idle1.png", "idle2.png"]
            to: { "idle": 3, "blink": 1 }
        }
        TexturePackerSpriteZarno {
            name: "blink"
            source: "../assets/img/sheet.json"
            frameNames: ["blink1.png", "blink2.png"]
            to: { "idle": 1 }
        }
    }
    \endqml
*/
TexturePackerAnimatedSpriteZarno {
    /*! The name the sequence knows the sprite by. */
    property string name: ""
    /*!
        The sprites that may follow this one, mapped to weights: after each loop the
        next one is drawn at random by weight. Null (the default) repeats this one.
    */
    property var to: null

    objectName: "texturePackerSpriteZarno"
    visible: false
    running: false
    loops: TexturePackerSprite.Infinite
}
