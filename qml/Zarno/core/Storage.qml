import QtQuick 2.0
import "storage.js" as StorageScript

// Small persistent key/value store; values are kept as JSON text.
Item {
    id: storage

    property string databaseName
    property bool cacheEnabled: false
    property bool logOutputStorageEnabled: false
    property bool clearAllAtStartup: false

    property var __database: null

    signal storageError(var errorData)
    // Lets derived stores run their start-up after the store's own.
    signal __storageCompleted()

    function getValue(key, callback) {
        return StorageScript.getValue(storage, key, callback)
    }

    function setValue(key, value) {
        return StorageScript.setValue(storage, key, value)
    }

    function clearValue(key) {
        StorageScript.clearValue(storage, key)
    }

    function clearAll() {
        StorageScript.clearAll(storage)
    }

    onStorageError: {
        if (!errorData)
            console.debug("ERROR: Storage.onStorageError called without errorData")
        else if (logOutputStorageEnabled)
            console.debug("Storage:", "error", errorData.code, errorData.message)
    }

    Component.onCompleted: {
        if (cacheEnabled) {
            console.warn("WARNING: setting Storage::cacheEnabled to true is not supported in Zarno 2.0 yet")
            cacheEnabled = false
        }
        if (clearAllAtStartup)
            clearAll()
        __storageCompleted()
    }
}
