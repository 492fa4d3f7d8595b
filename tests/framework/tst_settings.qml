import QtQuick 2.15
import QtQuick.LocalStorage 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "SettingsStorage"

    readonly property string identifier: system.getConfigValue("identifier")

    // Writes raw text under a key, as another program or a damaged file would leave it.
    function writeRaw(storeName, key, text) {
        var db = LocalStorage.openDatabaseSync(identifier + "-" + storeName, "1.0", "StorageDatabase", 100000)
        db.transaction(function(tx) {
            tx.executeSql("CREATE TABLE IF NOT EXISTS settings(setting TEXT UNIQUE, value TEXT)")
            tx.executeSql("INSERT OR REPLACE INTO settings VALUES (?,?);", [key, text])
        })
    }

    function readRaw(storeName, key) {
        var db = LocalStorage.openDatabaseSync(identifier + "-" + storeName, "1.0", "StorageDatabase", 100000)
        var text
        db.readTransaction(function(tx) {
            var rows = tx.executeSql("SELECT value FROM settings WHERE setting=?;", [key]).rows
            text = rows.length > 0 ? rows.item(0).value : undefined
        })
        return text
    }

    function createSettings(storeName, extra) {
        return createTemporaryQmlObject("import Zarno 2.0; Settings { databaseName: '" + storeName + "'; " + (extra || "") + " }", testCase)
    }

    function test_storageRoundTrip() {
        var store = createTemporaryQmlObject("import Zarno 2.0; Storage { databaseName: 'roundtrip' }", testCase)
        var errors = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: 'storageError' }", testCase)
        errors.target = store

        compare(store.setValue("flag", false), 1)
        compare(store.setValue("count", 0), 1)
        compare(store.setValue("name", ""), 1)
        compare(store.setValue("data", { list: [1, "two"], nested: { ok: true } }), 1)
        compare(store.setValue(42, "numeric key"), 1)
        compare(readRaw("roundtrip", "name"), "\"\"")
        compare(readRaw("roundtrip", "flag"), "false")

        compare(store.getValue("flag"), false)
        compare(store.getValue("count"), 0)
        compare(store.getValue("name"), "")
        compare(store.getValue("data"), { list: [1, "two"], nested: { ok: true } })
        compare(store.getValue("42"), "numeric key")
        var viaCallback
        store.getValue("count", function(value) { viaCallback = value })
        compare(viaCallback, 0)
        compare(errors.count, 0)

        compare(store.getValue("missing"), undefined)
        compare(errors.count, 1)
        compare(errors.signalArguments[0][0].code, 10)
        compare(errors.signalArguments[0][0].message, "getValue for key 'missing' failed")
        compare(errors.signalArguments[0][0].requestType, "getValue")

        store.clearValue("count")
        compare(store.getValue("count"), undefined)
        store.clearAll()
        compare(store.getValue("flag"), undefined)
        compare(store.setValue("flag", true), 1)
        compare(store.getValue("flag"), true)
    }

    function test_cacheIsRefused() {
        ignoreWarning("WARNING: setting Storage::cacheEnabled to true is not supported in Zarno 2.0 yet")
        var store = createTemporaryQmlObject("import Zarno 2.0; Storage { databaseName: 'cache'; cacheEnabled: true }", testCase)
        verify(!store.cacheEnabled)
    }

    function test_clearAllAtStartup() {
        writeRaw("startup", "kept", "1")
        var store = createTemporaryQmlObject("import Zarno 2.0; Storage { databaseName: 'startup'; clearAllAtStartup: true }", testCase)
        compare(store.getValue("kept"), undefined)
    }

    function test_firstLaunchWritesDefaults() {
        var settings = createSettings("first")
        verify(settings.fullyCompleted)
        compare(readRaw("first", "soundEnabled"), "true")
        compare(readRaw("first", "musicEnabled"), "true")
        compare(readRaw("first", "particlesEnabled"), "true")
        compare(readRaw("first", "customData"), "{}")
        compare(readRaw("first", "maximumHighscore"), "0")
        compare(readRaw("first", "username"), "\"\"")
        compare(readRaw("first", "language"), undefined)

        settings.musicEnabled = false
        settings.maximumHighscore = 17
        settings.customData = { level: 3 }
        compare(readRaw("first", "musicEnabled"), "false")
        compare(readRaw("first", "maximumHighscore"), "17")
        compare(readRaw("first", "customData"), "{\"level\":3}")
    }

    function test_falsyValuesLoadAsThemselves() {
        writeRaw("falsy", "soundEnabled", "false")
        writeRaw("falsy", "musicEnabled", "false")
        writeRaw("falsy", "particlesEnabled", "false")
        writeRaw("falsy", "maximumHighscore", "0")
        writeRaw("falsy", "username", "\"\"")
        var settings = createSettings("falsy", "maximumHighscore: 5; username: 'preset'")
        compare(settings.soundEnabled, false)
        compare(settings.musicEnabled, false)
        compare(settings.particlesEnabled, false)
        compare(settings.maximumHighscore, 0)
        compare(settings.username, "")
    }

    function test_twoSettingsShareTheStartValues() {
        writeRaw("shared", "maximumHighscore", "120")
        var first = createSettings("shared")
        var second = createSettings("shared")
        compare(first.maximumHighscore, 120)
        compare(second.maximumHighscore, 120)
        first.maximumHighscore = 300
        // Written at once, but the other object only sees it at the next launch.
        compare(readRaw("shared", "maximumHighscore"), "300")
        compare(second.maximumHighscore, 120)
        var third = createSettings("shared")
        compare(third.maximumHighscore, 300)
    }

    function test_ignoredProperties() {
        writeRaw("ignored", "soundEnabled", "false")
        writeRaw("ignored", "username", "\"stored\"")
        var settings = createSettings("ignored", "ignoredPropertiesForStoring: ['soundEnabled']")
        compare(settings.soundEnabled, true)
        compare(settings.username, "stored")
        settings.soundEnabled = false
        settings.soundEnabled = true
        compare(readRaw("ignored", "soundEnabled"), "false")
    }

    function test_clearAllKeepsValuesInMemory() {
        var settings = createSettings("cleared")
        settings.maximumHighscore = 9
        settings.clearAll()
        compare(settings.maximumHighscore, 9)
        compare(readRaw("cleared", "maximumHighscore"), undefined)
    }

    function test_corruptValuesGiveDefaults_data() {
        return [
            { tag: "broken JSON", key: "soundEnabled", text: "{tru", warning: "WARNING: Storage: stored value for key 'soundEnabled' is not valid JSON, ignoring it" },
            { tag: "text for a flag", key: "musicEnabled", text: "\"yes\"", warning: "WARNING: Settings: the stored value of musicEnabled does not fit the property, using the default: \"yes\"" },
            { tag: "text for a number", key: "maximumHighscore", text: "\"many\"", warning: "WARNING: Settings: the stored value of maximumHighscore does not fit the property, using the default: \"many\"" },
            { tag: "fraction for a number", key: "maximumHighscore", text: "2.5", warning: "WARNING: Settings: the stored value of maximumHighscore does not fit the property, using the default: 2.5" },
            { tag: "list for a name", key: "username", text: "[1,2]", warning: "WARNING: Settings: the stored value of username does not fit the property, using the default: [1,2]" },
            { tag: "null for custom data", key: "customData", text: "null", warning: "WARNING: Settings: the stored value of customData does not fit the property, using the default: null" }
        ]
    }

    function test_corruptValuesGiveDefaults(data) {
        var store = "corrupt-" + data.key
        writeRaw(store, data.key, data.text)
        writeRaw(store, "particlesEnabled", "false")
        ignoreWarning(data.warning)
        var settings = createSettings(store)
        verify(settings.fullyCompleted)
        var defaults = { soundEnabled: true, musicEnabled: true, maximumHighscore: 0, username: "", customData: {} }
        compare(settings[data.key], defaults[data.key])
        // Other keys still load, and the damaged one is replaced by the default.
        compare(settings.particlesEnabled, false)
        compare(readRaw(store, data.key), JSON.stringify(defaults[data.key]))
    }

    function test_foreignTableGivesDefaults() {
        var db = LocalStorage.openDatabaseSync(identifier + "-foreign", "1.0", "StorageDatabase", 100000)
        db.transaction(function(tx) {
            tx.executeSql("CREATE TABLE settings(id INTEGER, name TEXT, payload BLOB)")
        })
        ignoreWarning(/^WARNING: Storage: could not read key 'soundEnabled': .*/)
        ignoreWarning(/^WARNING: Storage: could not write key 'soundEnabled': .*/)
        for (var i = 0; i < 5; ++i) {
            ignoreWarning(/^WARNING: Storage: could not read key '.*': .*/)
            ignoreWarning(/^WARNING: Storage: could not write key '.*': .*/)
        }
        var settings = createSettings("foreign")
        verify(settings.fullyCompleted)
        compare(settings.soundEnabled, true)
        compare(settings.maximumHighscore, 0)
    }

    function test_foreignVersionGivesDefaults() {
        LocalStorage.openDatabaseSync(identifier + "-otherversion", "7.0", "StorageDatabase", 100000)
        // Every step tries to open the store again and is told the same.
        for (var i = 0; i < 13; ++i)
            ignoreWarning(new RegExp("^WARNING: Storage: could not open database " + identifier.replace(/\./g, "\\.") + "-otherversion: .*"))
        var settings = createSettings("otherversion")
        verify(settings.fullyCompleted)
        compare(settings.musicEnabled, true)
        var errors = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: 'storageError' }", testCase)
        errors.target = settings
        settings.username = "someone"
        compare(settings.username, "someone")
        compare(errors.count, 1)
        compare(errors.signalArguments[0][0].code, 11)
        compare(errors.signalArguments[0][0].message, "setValue for key 'username' and value '\"someone\"' failed")
        compare(errors.signalArguments[0][0].requestType, "setValue")
    }
}
