import QtQuick 2.0
import "../core"

/*!
    \qmltype LevelStorage
    \inqmlmodule Zarno
    \brief Keeps the levels of one storage location in a local key-value store.

    Under the key "levels" it keeps the metadata of every level, under each
    level id the whole level. A level is written before the list that names
    it, so an interrupted save never loses the previous level.

    \qml
    LevelStorage {
        id: store
        storageLocation: "authorGenerated"
        Component.onCompleted: {
            store.saveLevel({ levelMetaData: { levelName: "first" }, entityData: {} })
            console.log(store.allLevels.length)
        }
    }
    \endqml
*/
Storage {
    id: levelStorage

    /*! The storage location, which is also the store's database name. */
    property string storageLocation
    /*! The metadata of every level, after loadAllLevels() or any change. */
    property var allLevels: []
    /*! The level last read or saved, or null. */
    property var currentActiveLevel: null

    databaseName: storageLocation

    function __levels() {
        var levels = getValue("levels")
        if (levels === undefined)
            return []
        if (!Array.isArray(levels)) {
            console.warn("WARNING: LevelStorage: the level list of", storageLocation, "is damaged, starting a new one")
            return []
        }
        return levels
    }

    function __indexOf(levels, levelId) {
        for (var i = 0; i < levels.length; ++i) {
            if (levels[i] && String(levels[i].levelId) === String(levelId))
                return i
        }
        return -1
    }

    /*!
        Stores \a levelData: an existing id replaces that level, keeping its creation
        time; a missing id is drawn between 1 and 10001. Returns the stored level,
        or undefined when it could not be written.
    */
    function saveLevel(levelData) {
        var level = JSON.parse(JSON.stringify(levelData || {}))
        var meta = level.levelMetaData && typeof level.levelMetaData === "object" ? level.levelMetaData : {}
        meta.lastModificationTime = new Date().toISOString()
        meta.storageLocation = storageLocation
        var levels = __levels()
        var hasId = meta.levelId !== undefined && meta.levelId !== null && meta.levelId !== ""
        var index = hasId ? __indexOf(levels, meta.levelId) : -1
        if (index >= 0) {
            if (!meta.creationTime)
                meta.creationTime = levels[index].creationTime
            levels[index] = meta
        } else {
            if (!hasId) {
                do {
                    meta.levelId = Math.round(Math.random() * 10000) + 1
                } while (__indexOf(levels, meta.levelId) >= 0)
            }
            meta.creationTime = meta.lastModificationTime
            levels.push(meta)
        }
        level.levelMetaData = meta
        // The level and the list that names it change together or not at all.
        var values = { levels: levels }
        values[String(meta.levelId)] = level
        if (__writeAll(values, []) === undefined) {
            console.warn("WARNING: LevelStorage: could not save level", meta.levelId, "in", storageLocation)
            return undefined
        }
        allLevels = levels
        currentActiveLevel = level
        return level
    }

    /*! Returns the level stored under \a levelId, or undefined. */
    function getLevel(levelId) {
        var level = getValue(String(levelId))
        if (level === undefined || level === null || typeof level !== "object") {
            console.debug("ERROR: LevelStorage: no level with id", levelId, "in", storageLocation)
            return undefined
        }
        currentActiveLevel = level
        return level
    }

    /*! Removes the level stored under \a levelId. */
    function removeLevel(levelId) {
        var levels = __levels()
        var index = __indexOf(levels, levelId)
        if (index < 0)
            console.debug("WARNING: LevelStorage: level to remove not found with id", levelId)
        else
            levels.splice(index, 1)
        __writeAll({ levels: levels }, [String(levelId)])
        allLevels = levels
        if (currentActiveLevel && currentActiveLevel.levelMetaData
                && String(currentActiveLevel.levelMetaData.levelId) === String(levelId))
            currentActiveLevel = null
    }

    /*! Reads the metadata of every level into allLevels and returns it. */
    function loadAllLevels() {
        allLevels = __levels()
        return allLevels
    }

    /*! Removes every level of this location. */
    function clearAllLevels() {
        clearAll()
        allLevels = []
        currentActiveLevel = null
    }

    // A missing key is routine here (a fresh store has no list yet).
    onStorageError: {
        if (logOutputStorageEnabled && allLevels.length > 0)
            console.debug("LevelStorage:", errorData.message)
    }
}
