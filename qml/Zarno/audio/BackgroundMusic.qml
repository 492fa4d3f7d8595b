import QtQuick 2.15
import QtMultimedia 5.0

/*!
    \qmltype BackgroundMusic
    \inqmlmodule Zarno
    \brief Looping music that obeys the user's musicEnabled setting.

    Wraps Qt Multimedia's Audio element and loops it forever by default. It
    finds the settings object and the window by the names \c settings and
    \c gameWindow from where it is declared: with settings it plays only while
    \c{settings.musicEnabled} is true and waits until they have loaded (a play()
    before that plays once they have); switching music off pauses it and on again
    resumes it. After the game's own stop() or pause(), only play() starts it
    again. It plays what the multimedia plugins decode: WAV, Ogg Vorbis, Opus,
    FLAC and MP3.

    \qml
    BackgroundMusic {
        source: "../assets/snd/theme.ogg"
        autoPlay: true      // once the settings have loaded, if music is enabled
    }
    \endqml
*/
Item {
    id: music

    /*! How often the music plays; \c Audio.Infinite (forever) by default. */
    property alias loops: audio.loops
    /*! The URL of the music file. */
    property alias source: audio.source
    /*! The \c muted of the underlying Audio element. */
    property alias muted: audio.muted
    /*! The volume, from 0.0 to 1.0 (the default). */
    property alias volume: audio.volume
    /*! The \c status of the underlying Audio element: whether the file is loaded. */
    readonly property alias status: audio.status
    /*! The \c autoLoad of the underlying Audio element; true by default. */
    property alias autoLoad: audio.autoLoad
    // Handled here rather than by the Audio, so the settings are obeyed.
    /*!
        Whether the music starts by itself once the settings have loaded, if
        music is enabled; false by default. Without it only play() starts the music.
    */
    property bool autoPlay: false
    /*! The \c availability of the underlying Audio element. */
    readonly property alias availability: audio.availability
    /*! The \c bufferProgress of the underlying Audio element. */
    readonly property alias bufferProgress: audio.bufferProgress
    /*! The length of the music in milliseconds. */
    readonly property alias duration: audio.duration
    /*! The \c error of the underlying Audio element. */
    readonly property alias error: audio.error
    /*! A description of the last error. */
    readonly property alias errorString: audio.errorString
    /*! The \c hasAudio of the underlying Audio element. */
    readonly property alias hasAudio: audio.hasAudio
    /*! The \c hasVideo of the underlying Audio element. */
    readonly property alias hasVideo: audio.hasVideo
    /*! The \c metaData of the underlying Audio element. */
    readonly property alias metaData: audio.metaData
    /*! The \c playbackRate of the underlying Audio element. */
    property alias playbackRate: audio.playbackRate
    /*! The \c playbackState of the underlying Audio element. */
    readonly property alias playbackState: audio.playbackState
    /*! The playing position in milliseconds. */
    readonly property alias position: audio.position
    /*! Whether seek() works on this source. */
    readonly property alias seekable: audio.seekable
    /*! True while the music plays. */
    readonly property bool playing: audio.playbackState === Audio.PlayingState

    /*!
        Whether the music pauses on GameWindow::applicationPaused() and resumes on
        GameWindow::applicationResumed(); false on desktop systems, where losing
        focus does not pause it.
    */
    property bool autoPauseInBackground: !system.desktopPlatform

    property bool __wasAutoPausedBefore: false
    property bool __explicitlyStoppedOrPaused: false
    property bool __playWhenSettingsCompleted: false

    // Both are looked up by name from where the music is declared.
    readonly property var __settings: typeof settings !== "undefined" && settings ? settings : null
    readonly property var __gameWindow: typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null

    /*! Emitted when the music starts playing. */
    signal started()
    /*! Emitted when the music pauses. */
    signal paused()
    /*! Emitted when the music stops. */
    signal stopped()

    /*!
        Plays the music if music is enabled in the settings; before the settings
        have loaded, it plays as soon as they have.
    */
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

    /*! Pauses the music; it stays paused when music is switched off and on. */
    function pause() {
        __wasAutoPausedBefore = false
        __playWhenSettingsCompleted = false
        __explicitlyStoppedOrPaused = true
        audio.pause()
    }

    /*! Stops the music; it stays stopped when music is switched off and on. */
    function stop() {
        __wasAutoPausedBefore = false
        __playWhenSettingsCompleted = false
        __explicitlyStoppedOrPaused = true
        audio.stop()
    }

    /*! Moves the playing position to \a offset milliseconds. */
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
