import QtQuick 2.0
import Zarno 2.0

Item {
    id: audioManager

    property bool muted: !settings.soundEnabled

    function playApplauseSfx() {
        if (!muted)
            applause.play()
    }

    function playAwwSfx() {
        if (!muted)
            aww.play()
    }

    function playClickSfx() {
        if (!muted)
            click.play()
    }

    function playCoinSfx() {
        if (!muted)
            coin.play()
    }

    function playCraftSfx() {
        if (!muted)
            craft.play()
    }

    SoundEffectZarno {
        id: applause
        objectName: "applause"
        muted: audioManager.muted
        source: "../../assets/sound/applause.wav"
    }

    SoundEffectZarno {
        id: aww
        objectName: "aww"
        muted: audioManager.muted
        source: "../../assets/sound/aww.wav"
    }

    SoundEffectZarno {
        id: click
        objectName: "click"
        muted: audioManager.muted
        source: "../../assets/sound/click.wav"
    }

    SoundEffectZarno {
        id: coin
        objectName: "coin"
        muted: audioManager.muted
        source: "../../assets/sound/coin.wav"
    }

    SoundEffectZarno {
        id: craft
        objectName: "craft"
        muted: audioManager.muted
        source: "../../assets/sound/craft.wav"
    }
}
