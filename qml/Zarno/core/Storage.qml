import QtQuick 2.0
import "storage.js" as StorageScript

/*!
    \qmltype Storage
    \inqmlmodule Zarno
    \brief A small persistent key/value store in a local database.

    Values are kept as JSON text, so numbers, strings, booleans, arrays and
    plain objects come back as they went in. Each store is a database named
    after the configuration's "identifier" and \l databaseName; every call
    runs synchronously. Settings is a Storage with the user's settings.

    \qml
    Storage {
        id: progress
        databaseName: "progress"
        Component.onCompleted: {
            var level = getValue("level")       // undefined on the first launch
            setValue("level", level === undefined ? 1 : level + 1)
        }
    }
    \endqml
*/
Item {
    id: storage

    /*! The name of the store; stores with the same name share their values. */
    property string databaseName
    /*! Not supported: setting it to true logs a warning and it becomes false again. */
    property bool cacheEnabled: false
    /*! Whether every read and write logs a debug line; false by default. */
    property bool logOutputStorageEnabled: false
    /*! Whether the store is emptied when it is complete; false by default. */
    property bool clearAllAtStartup: false

    property var __database: null

    /*!
        Emitted when a call fails, with \c errorData holding \c code (10: a key
        that is not stored, normal on a first launch; 11: a failed write),
        \c message and \c requestType.
    */
    signal storageError(var errorData)
    // Lets derived stores run their start-up after the store's own.
    signal __storageCompleted()

    /*!
        Returns the value stored under \a key, and also passes it to the function
        \a callback when one is given; undefined (and storageError()) when the key is
        not stored.
    */
    function getValue(key, callback) {
        return StorageScript.getValue(storage, key, callback)
    }

    /*!
        Stores \a value under \a key, replacing what was there. Returns 1, or
        undefined (and storageError()) when the write failed.
    */
    function setValue(key, value) {
        return StorageScript.setValue(storage, key, value)
    }

    // Several keys written and removed together (see storage.js).
    function __writeAll(values, removed) {
        return StorageScript.writeAll(storage, values, removed)
    }

    /*! Removes \a key from the store. */
    function clearValue(key) {
        StorageScript.clearValue(storage, key)
    }

    /*! Removes every key from the store. */
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
