import QtQuick 2.0

/*!
    \qmltype Settings
    \inqmlmodule Zarno
    \inherits Storage
    \brief The user's settings: sound, music, high score and the game's own data, kept between launches.

    The game window has one, \c{gameWindow.settings}; any other Settings object
    of the game shares the same stored values. While the object completes it
    replaces its defaults by the stored values (on the first launch it stores
    the defaults) and then sets \l fullyCompleted; from then on every change of
    a stored property is written at once. Read stored values once
    \l fullyCompleted is true: before, the properties hold their defaults.
    Change \l customData by assigning a new object: changing a member of it
    in place is not noticed and not stored.

    \qml
    GameWindow {
        id: gameWindow
        Connections {
            target: gameWindow.settings
            function onFullyCompletedChanged() {
                console.log("best score so far:", gameWindow.settings.maximumHighscore)
            }
        }
    }
    \endqml
*/
Storage {
    id: settings

    /*! Whether sound effects play; stored, true by default. */
    property bool soundEnabled: true
    /*! Whether background music plays; stored, true by default. */
    property bool musicEnabled: true
    /*! Whether the game wants particle effects; stored, true by default. */
    property bool particlesEnabled: true
    /*!
        Any data of the game's own as a plain object; stored, empty by default.
        Assign a new object to store a change.
    */
    property var customData: ({})
    /*! The best score; stored, 0 by default. */
    property int maximumHighscore: 0
    /*! The player's name; stored, empty by default. */
    property string username
    /*!
        The language of the texts; not stored. Changing it has an effect only when
        a context object \c translation exists.
    */
    property string language
    /*!
        A list of names of stored properties that are neither loaded nor written.
        Set it in the declaration.
    */
    property var ignoredPropertiesForStoring
    /*! False until the stored values are loaded, then true for good. */
    property bool fullyCompleted: false

    /*!
        Colours and font size of the framework's widgets: \c textColor,
        \c accentColor, \c fontSize.
    */
    property QtObject zarnoStyle: QtObject {
        property color textColor: "white"
        property color accentColor: "#f0a020"
        property real fontSize: 16
    }
    /*! Same as \l zarnoStyle. */
    property alias style: settings.zarnoStyle

    // Values assigned while the object is being created are not written back: the
    // store's name may not be final yet, and they must not overwrite what is stored.
    property bool __loadStarted: false
    readonly property var __storedProperties: ["soundEnabled", "musicEnabled", "particlesEnabled", "customData", "maximumHighscore", "username"]

    databaseName: "settings"

    function __isIgnored(name) {
        var ignored = ignoredPropertiesForStoring
        if (!ignored || ignored.indexOf === undefined || ignored.indexOf(name) < 0)
            return false
        console.debug("Settings: this property is ignored for storing:", name)
        return true
    }

    // Whether a stored value fits the property it is loaded into.
    function __fitsProperty(name, value) {
        switch (name) {
        case "soundEnabled":
        case "musicEnabled":
        case "particlesEnabled":
            return typeof value === "boolean"
        case "maximumHighscore":
            return typeof value === "number" && isFinite(value) && Math.floor(value) === value
                    && value >= -2147483648 && value <= 2147483647
        case "username":
            return typeof value === "string"
        case "customData":
            return value !== null && typeof value === "object"
        }
        return false
    }

    function __store(name) {
        if (__loadStarted && !__isIgnored(name))
            setValue(name, settings[name])
    }

    function __load() {
        __loadStarted = true
        for (var i = 0; i < __storedProperties.length; ++i) {
            var name = __storedProperties[i]
            if (__isIgnored(name))
                continue
            var stored = getValue(name)
            if (stored !== undefined && __fitsProperty(name, stored)) {
                settings[name] = stored
                continue
            }
            if (stored !== undefined)
                console.warn("WARNING: Settings: the stored value of " + name + " does not fit the property, using the default:", JSON.stringify(stored))
            if (settings[name] !== undefined)
                setValue(name, settings[name])
        }
        fullyCompleted = true
    }

    on__StorageCompleted: __load()

    onSoundEnabledChanged: __store("soundEnabled")
    onMusicEnabledChanged: __store("musicEnabled")
    onParticlesEnabledChanged: __store("particlesEnabled")
    onCustomDataChanged: __store("customData")
    onMaximumHighscoreChanged: __store("maximumHighscore")
    onUsernameChanged: __store("username")

    onLanguageChanged: {
        if (typeof translation === "undefined" || !translation)
            return
        translation.selectLanguage(language)
        if (translation.activeLanguage !== language)
            language = translation.activeLanguage
        else
            translation.storeActiveLanguage()
    }
}
