import QtQuick 2.15
import QtMultimedia 5.0

// Looping music that follows the user's musicEnabled setting and the application state.
Item {
    id: music

    property alias loops: audio.loops
    property alias source: audio.source
    property alias muted: audio.muted
    property alias volume: audio.volume
    readonly property alias status: audio.status
    property alias autoLoad: audio.autoLoad
    // Handled here rather than by the Audio, so the settings are obeyed.
    property bool autoPlay: false
    readonly property alias availability: audio.availability
    readonly property alias bufferProgress: audio.bufferProgress
    readonly property alias duration: audio.duration
    readonly property alias error: audio.error
    readonly property alias errorString: audio.errorString
    readonly property alias hasAudio: audio.hasAudio
    readonly property alias hasVideo: audio.hasVideo
    readonly property alias metaData: audio.metaData
    property alias playbackRate: audio.playbackRate
    readonly property alias playbackState: audio.playbackState
    readonly property alias position: audio.position
    readonly property alias seekable: audio.seekable
    readonly property bool playing: audio.playbackState === Audio.PlayingState

    property bool autoPauseInBackground: !system.desktopPlatform

    property bool __wasAutoPausedBefore: false
    property bool __explicitlyStoppedOrPaused: false
    property bool __playWhenSettingsCompleted: false

    // Both are looked up by name from where the music is declared.
    readonly property var __settings: typeof settings !== "undefined" && settings ? settings : null
    readonly property var __gameWindow: typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null

    signal started()
    signal paused()
    signal stopped()

    function play() {
        __wasAutoPausedBefore = true
        __explicitlyStoppedOrPaused = false
        if (__settings) {
            if (!__settings.fullyCompleted)
                __playWhenSettingsCompleted = true
            else if (__settings.musicEnabled)
                audio.play()
            else
                console.debug("BackgroundMusic: did not play sound because it is disabled in GameWindow.settings")
        } else {
            console.debug("BackgroundMusic: Warning: no settings known, i.e. there is no GameWindow as root item - thus the musicEnabled property could not be found")
            audio.play()
        }
    }

    function pause() {
        __wasAutoPausedBefore = false
        __playWhenSettingsCompleted = false
        __explicitlyStoppedOrPaused = true
        audio.pause()
    }

    function stop() {
        __wasAutoPausedBefore = false
        __playWhenSettingsCompleted = false
        __explicitlyStoppedOrPaused = true
        audio.stop()
    }

    function seek(offset) {
        audio.seek(offset)
    }

    function __settingsCompleted() {
        if (__playWhenSettingsCompleted) {
            __playWhenSettingsCompleted = false
            play()
        } else if (autoPlay && __settings.musicEnabled) {
            audio.play()
        } else if (autoPlay) {
            console.debug("BackgroundMusic: the BackgroundMusic was intended to autoPlay, but settings.musicEnabled is false (so the user did set the musicEnabled settings property in a previous app launch) ... thus do not play this music source:", source)
            audio.stop()
        }
    }

    Component.onCompleted: {
        // Settings that finished loading before the music existed send no signal.
        if (__settings && __settings.fullyCompleted)
            __settingsCompleted()
        else if (!__settings && autoPlay)
            play()
    }

    Connections {
        target: music.__settings
        ignoreUnknownSignals: true

        function onFullyCompletedChanged() {
            if (music.__settings.fullyCompleted)
                music.__settingsCompleted()
        }

        function onMusicEnabledChanged() {
            if (!music.__settings.fullyCompleted)
                return
            if (!music.__settings.musicEnabled) {
                if (music.playing) {
                    music.__wasAutoPausedBefore = true
                    audio.pause()
                }
            } else if (music.__wasAutoPausedBefore || (music.autoPlay && !music.__explicitlyStoppedOrPaused)) {
                console.debug("BackgroundMusic: play this audio file again after musicEnabled got true:", music.source)
                music.__wasAutoPausedBefore = false
                audio.play()
            }
        }
    }

    Connections {
        target: music.__gameWindow
        ignoreUnknownSignals: true

        function onApplicationPaused() {
            if (music.__settings && !music.__settings.musicEnabled)
                return
            if (music.playing && music.autoPauseInBackground) {
                music.__wasAutoPausedBefore = true
                audio.pause()
            }
        }

        function onApplicationResumed() {
            if (music.__settings && !music.__settings.musicEnabled)
                return
            if (music.__wasAutoPausedBefore)
                audio.play()
        }
    }

    Audio {
        id: audio
        loops: Audio.Infinite
        onPlaying: music.started()
        onPaused: music.paused()
        onStopped: music.stopped()
        onError: console.debug("ERROR: BackgroundMusic.onError received - error enum:", error, ", errorString:", errorString, " - for source:", source)
    }
}
