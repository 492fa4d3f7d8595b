import QtQuick 2.15
import QtMultimedia 5.0

/*!
    \qmltype SoundEffectZarno
    \inqmlmodule Zarno
    \brief A short sound that obeys the user's soundEnabled setting.

    Wraps Qt Multimedia's SoundEffect, which plays uncompressed PCM WAV files
    (use 16-bit PCM; compressed formats such as MP3 or Ogg do not play as
    effects, use BackgroundMusic for them). It finds the settings object and the
    window by the names \c settings and \c gameWindow from where it is declared:
    play() is silent while \c{settings.soundEnabled} is false or the settings
    have not loaded yet. Switching sound off stops a playing effect; a looping
    effect starts again when sound is switched on, a one-shot effect does not.

    \qml
    SoundEffectZarno {
        id: jumpSound
        source: "../assets/snd/jump.wav"
    }
    // in a handler: jumpSound.play()
    \endqml
*/
Item {
    id: effectItem

    /*! How often the effect plays per play(); 1 by default, \c SoundEffect.Infinite loops. */
    property alias loops: effect.loops
    /*! The URL of the WAV file. */
    property alias source: effect.source
    /*! True while the effect plays. */
    readonly property alias playing: effect.playing
    /*! Whether the effect is muted. */
    property alias muted: effect.muted
    /*! The volume, from 0.0 to 1.0 (the default). */
    property alias volume: effect.volume
    /*!
        Whether the file is loaded: \c SoundEffect.Ready once it can play, \c SoundEffect.Error for a file that cannot be read (also logged).
    */
    readonly property alias status: effect.status
    /*! The category of the underlying SoundEffect. */
    property alias category: effect.category
    /*! How many loops are still to play. */
    readonly property alias loopsRemaining: effect.loopsRemaining
    /*! Whether the effect plays once as soon as its file is loaded; false by default. */
    property bool autoPlay: false
    /*!
        Whether the effect stops on GameWindow::applicationPaused() (a looping one
        starts again on GameWindow::applicationResumed()); false on desktop systems.
    */
    property bool autoPauseInBackground: !system.desktopPlatform

    property bool __wasAutoPausedBefore: false

    // Both are looked up by name from where the effect is declared.
    readonly property var __settings: typeof settings !== "undefined" && settings ? settings : null
    readonly property var __gameWindow: typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null
    readonly property bool __soundEnabled: !__settings || __settings.soundEnabled

    /*! Plays the effect from its beginning, if sound is enabled and the settings have loaded. */
    function play() {
        __wasAutoPausedBefore = true
        if (!__settings || (__settings.soundEnabled && __settings.fullyCompleted))
            effect.play()
    }

    /*! Stops the effect. */
    function stop() {
        __wasAutoPausedBefore = false
        effect.stop()
    }

    /*! Returns whether the file is loaded and the effect can play. */
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
