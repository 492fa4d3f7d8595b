import QtQuick 2.0

// The user's settings, loaded at start-up and written back on every change.
Storage {
    id: settings

    property bool soundEnabled: true
    property bool musicEnabled: true
    property bool particlesEnabled: true
    property var customData: ({})
    property int maximumHighscore: 0
    property string username
    property string language
    property var ignoredPropertiesForStoring
    property bool fullyCompleted: false

    property QtObject zarnoStyle: QtObject {
        property color textColor: "white"
        property color accentColor: "#f0a020"
        property real fontSize: 16
    }
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
