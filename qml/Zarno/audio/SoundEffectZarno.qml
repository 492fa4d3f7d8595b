import QtQuick 2.15
import QtMultimedia 5.0

// A short sound that follows the user's soundEnabled setting and the application state.
Item {
    id: effectItem

    property alias loops: effect.loops
    property alias source: effect.source
    readonly property alias playing: effect.playing
    property alias muted: effect.muted
    property alias volume: effect.volume
    readonly property alias status: effect.status
    property alias category: effect.category
    readonly property alias loopsRemaining: effect.loopsRemaining
    property bool autoPlay: false
    property bool autoPauseInBackground: !system.desktopPlatform

    property bool __wasAutoPausedBefore: false

    // Both are looked up by name from where the effect is declared.
    readonly property var __settings: typeof settings !== "undefined" && settings ? settings : null
    readonly property var __gameWindow: typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null
    readonly property bool __soundEnabled: !__settings || __settings.soundEnabled

    function play() {
        __wasAutoPausedBefore = true
        if (!__settings || (__settings.soundEnabled && __settings.fullyCompleted))
            effect.play()
    }

    function stop() {
        __wasAutoPausedBefore = false
        effect.stop()
    }

    function isLoaded() {
        return effect.status === SoundEffect.Ready
    }

    on__SoundEnabledChanged: {
        if (!__soundEnabled) {
            if (effect.playing) {
                __wasAutoPausedBefore = true
                effect.stop()
            }
        } else if (effect.loops === SoundEffect.Infinite && __wasAutoPausedBefore) {
            __wasAutoPausedBefore = false
            effect.play()
        }
    }

    Connections {
        target: effectItem.__gameWindow
        ignoreUnknownSignals: true

        function onApplicationPaused() {
            if (effectItem.__soundEnabled && effect.playing && effectItem.autoPauseInBackground) {
                effectItem.__wasAutoPausedBefore = true
                effect.stop()
            }
        }

        function onApplicationResumed() {
            if (effectItem.__soundEnabled && effect.loops === SoundEffect.Infinite && effectItem.__wasAutoPausedBefore)
                effect.play()
        }
    }

    SoundEffect {
        id: effect
        onStatusChanged: {
            if (status === SoundEffect.Error)
                console.warn("WARNING: SoundEffectZarno: could not load sound effect:", source)
            else if (status === SoundEffect.Ready && effectItem.autoPlay)
                effectItem.play()
        }
    }
}
