import QtQuick 2.0
import Zarno 2.0

SpriteSequenceZarno {
    id: player

    // 6 is the starting creature; a spin picks one of 0 to 5.
    property int type: 6
    // Set from a death until the next run.
    property bool dead: false
    // Whether the player's scene shows: the creature and its effect cloud keep
    // still while it does not, so that they ask for no frames behind the other scenes.
    property bool shown: true
    // Whether the creature's animation runs (while its scene shows).
    property bool running: true
    spriteSequence.running: running && shown

    function init() {
        running = false
        dead = false
        type = 6
        cloud.jumpTo("idle")
    }

    function play() {
        running = true
        dead = false
        jumpTo("run")
        cloud.jumpTo("idle")
    }

    function stop() {
        running = false
    }

    function die() {
        dead = true
        jumpTo("die")
    }

    function heal() {
        showEffect(healImage, healAnimation)
    }

    function damage() {
        showEffect(damageImage, damageAnimation)
    }

    function neutral() {
        showEffect(neutralImage, neutralAnimation)
    }

    // A second call while the icon still rises starts it over from the middle.
    function showEffect(icon, animation) {
        animation.stop()
        icon.y = player.height / 2
        icon.opacity = 1
        animation.start()
    }

    // A new creature appears in a puff.
    onTypeChanged: cloud.jumpTo("run")

    // A new creature's strip restarts the animation at its first sprite once it is
    // drawn; a dead creature has to stay dead through that. The jump waits until the
    // drawing that announced the restart is over, or the animation would stall.
    onCurrentSpriteChanged: {
        if (dead && currentSprite === "run")
            Qt.callLater(jumpTo, "die")
    }

    defaultSource: "../../assets/img/heroes/hero-" + type + ".png"

    SpriteZarno {
        name: "run"
        frameWidth: 256
        frameHeight: 265
        startFrameColumn: 1
        frameCount: 8
        frameRate: 20
        to: {"run": 1}
    }

    SpriteZarno {
        name: "die"
        frameWidth: 256
        frameHeight: 265
        startFrameColumn: 9
        frameCount: 11
        frameRate: 5
        to: {"dieLastFrame": 1}
    }

    SpriteZarno {
        name: "dieLastFrame"
        frameWidth: 256
        frameHeight: 265
        startFrameColumn: 20
        frameCount: 1
        to: {"dieLastFrame": 1}
    }

    SpriteSequenceZarno {
        id: cloud
        objectName: "cloud"
        anchors.centerIn: parent
        // The idle frame is empty: drawing it would blend a transparent square over
        // the creature in every frame.
        visible: currentSprite !== "idle"
        running: player.shown
        defaultSource: "../../assets/img/misc/cloud.png"

        SpriteZarno {
            name: "run"
            frameWidth: 314
            frameHeight: 314
            startFrameColumn: 1
            frameCount: 6
            frameRate: 20
            to: {"idle": 1}
        }

        SpriteZarno {
            name: "idle"
            frameWidth: 314
            frameHeight: 314
            startFrameColumn: 7
            frameCount: 1
            to: {"idle": 1}
        }
    }

    MultiResolutionImage {
        id: healImage
        objectName: "healImage"
        anchors.horizontalCenter: parent.horizontalCenter
        y: player.height / 2
        z: 1
        opacity: 0
        source: "../../assets/img/misc/heal.png"
    }

    MultiResolutionImage {
        id: damageImage
        objectName: "damageImage"
        anchors.horizontalCenter: parent.horizontalCenter
        y: player.height / 2
        z: 1
        opacity: 0
        source: "../../assets/img/misc/damage.png"
    }

    MultiResolutionImage {
        id: neutralImage
        objectName: "neutralImage"
        anchors.horizontalCenter: parent.horizontalCenter
        y: player.height / 2
        z: 1
        opacity: 0
        source: "../../assets/img/misc/neutral.png"
    }

    // The icons rise to the top of whatever holds the player while they fade.
    ParallelAnimation {
        id: healAnimation
        NumberAnimation { target: healImage; property: "opacity"; to: 0; duration: 2000 }
        NumberAnimation { target: healImage; property: "y"; to: -player.parent.height / 2; duration: 2000 }
    }

    ParallelAnimation {
        id: damageAnimation
        NumberAnimation { target: damageImage; property: "opacity"; to: 0; duration: 2000 }
        NumberAnimation { target: damageImage; property: "y"; to: -player.parent.height / 2; duration: 2000 }
    }

    ParallelAnimation {
        id: neutralAnimation
        NumberAnimation { target: neutralImage; property: "opacity"; to: 0; duration: 2000 }
        NumberAnimation { target: neutralImage; property: "y"; to: -player.parent.height / 2; duration: 2000 }
    }
}
