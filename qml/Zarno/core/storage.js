.import QtQuick.LocalStorage 2.0 as LocalStorage

// One database per store, opened on first use and kept by the store object.

var createStatement = "CREATE TABLE IF NOT EXISTS settings(setting TEXT UNIQUE, value TEXT)"

function log(storage, words) {
    if (storage.logOutputStorageEnabled)
        console.debug(words.join(" "))
}

// The database of the store with its table, or null when it cannot be opened.
function database(storage) {
    if (storage.__database)
        return storage.__database
    var name = system.getConfigValue("identifier") + "-" + storage.databaseName
    try {
        var db = LocalStorage.LocalStorage.openDatabaseSync(name, "1.0", "StorageDatabase", 100000)
        db.transaction(function(tx) {
            tx.executeSql(createStatement)
        })
        log(storage, ["Storage:", "opened", "database", name])
        storage.__database = db
    } catch (error) {
        console.warn("WARNING: Storage: could not open database " + name + ": " + error.message)
        return null
    }
    return storage.__database
}

function getValue(storage, key, callback) {
    key = String(key)
    var text = ""
    var db = database(storage)
    if (db) {
        try {
            db.transaction(function(tx) {
                var result = tx.executeSql("SELECT value FROM settings WHERE setting=?;", [key])
                if (result.rows.length > 0 && result.rows.item(0).value !== null && result.rows.item(0).value !== undefined)
                    text = String(result.rows.item(0).value)
            })
        } catch (error) {
            console.warn("WARNING: Storage: could not read key '" + key + "': " + error.message)
            text = ""
        }
    }
    log(storage, ["Storage:", "getValue", key, text])

    var found = text !== ""
    var value
    if (found) {
        try {
            value = JSON.parse(text)
        } catch (error) {
            // A damaged row must not take the game down; it reads as missing.
            console.warn("WARNING: Storage: stored value for key '" + key + "' is not valid JSON, ignoring it")
            found = false
        }
    }
    if (!found) {
        storage.storageError({ code: 10, message: "getValue for key '" + key + "' failed", requestType: "getValue" })
        return undefined
    }
    if (callback)
        callback(value)
    return value
}

function setValue(storage, key, value) {
    key = String(key)
    var text = JSON.stringify(value)
    if (text === undefined)
        text = ""
    log(storage, ["Storage:", "setValue", key, text])
    var affected = -1
    var db = database(storage)
    if (db) {
        try {
            db.transaction(function(tx) {
                affected = tx.executeSql("INSERT OR REPLACE INTO settings VALUES (?,?);", [key, text]).rowsAffected
            })
        } catch (error) {
            console.warn("WARNING: Storage: could not write key '" + key + "': " + error.message)
            affected = -1
        }
    }
    if (affected < 0) {
        storage.storageError({ code: 11, message: "setValue for key '" + key + "' and value '" + text + "' failed", requestType: "setValue" })
        return undefined
    }
    if (affected === 0)
        console.debug("ERROR: Storage: call of Storage.setData() was not successful for key", key)
    return 1
}

// Writes every key of values and removes every key in removed in one transaction:
// a store whose entries refer to each other is never seen half-updated, even when
// the process dies in between. Returns 1, or undefined when nothing was written.
function writeAll(storage, values, removed) {
    var db = database(storage)
    if (!db)
        return undefined
    try {
        db.transaction(function(tx) {
            for (var key in values) {
                var text = JSON.stringify(values[key])
                tx.executeSql("INSERT OR REPLACE INTO settings VALUES (?,?);", [String(key), text === undefined ? "" : text])
            }
            for (var i = 0; i < (removed || []).length; ++i)
                tx.executeSql("DELETE FROM settings WHERE setting=?;", [String(removed[i])])
        })
    } catch (error) {
        console.warn("WARNING: Storage: could not write " + Object.keys(values).join(", ") + ": " + error.message)
        return undefined
    }
    return 1
}

function clearValue(storage, key) {
    key = String(key)
    log(storage, ["Storage:", "clearValue", key])
    var db = database(storage)
    if (!db)
        return
    try {
        db.transaction(function(tx) {
            tx.executeSql("DELETE FROM settings WHERE setting=?;", [key])
        })
    } catch (error) {
        console.warn("WARNING: Storage: could not clear key '" + key + "': " + error.message)
    }
}

function clearAll(storage) {
    log(storage, ["Storage:", "clearAll"])
    var db = database(storage)
    if (!db)
        return
    try {
        db.transaction(function(tx) {
            tx.executeSql("DROP TABLE settings")
            tx.executeSql(createStatement)
        })
    } catch (error) {
        console.warn("WARNING: Storage: could not clear the store: " + error.message)
    }
}
