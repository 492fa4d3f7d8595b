import QtQuick 2.0
import "LevelEditorLogic.js" as Logic

/*!
    \qmltype LevelEditor
    \inqmlmodule Zarno
    \brief Creates, saves, loads, removes and exports levels kept in local level stores.

    It finds \c entityManager (required), \c levelLoader and \c itemEditor
    (optional) by id. A saved level holds the entities of toStoreEntityTypes,
    the item editor's values, the game's custom data and its metadata; levels
    the user makes go to the "authorGenerated" store. Stored entities are
    re-created by type, so the EntityManager must have made an entity of each
    stored type before (for example through its \c dynamicCreationEntityList).

    \qml
    LevelEditor {
        id: levelEditor
        toStoreEntityTypes: ["box"]
        toRemoveEntityTypes: ["box"]
        onSaveLevelFinished: console.log("saved", currentLevelId)
    }
    \endqml
    Save, then later load it back:
    \code
    levelEditor.saveCurrentLevel({ levelMetaData: { levelName: "My level" } })
    levelEditor.loadSingleLevel(levelEditor.authorGeneratedLevels[0])
    \endcode
*/
Item {
    id: levelEditor

    /*! Entity types written when saving; all entities when unset. */
    property var toStoreEntityTypes
    /*! Entity types removed before a level is loaded or created; all entities when unset. */
    property var toRemoveEntityTypes
    /*! The current level (entityData, editableComponentData, customData, levelMetaData), or null. */
    property var currentLevelData: null
    /*! The id of the current level. */
    readonly property var currentLevelId: currentLevelData && currentLevelData.levelMetaData ? currentLevelData.levelMetaData.levelId : undefined
    /*! The name of the current level. */
    readonly property string currentLevelName: currentLevelData && currentLevelData.levelMetaData && currentLevelData.levelMetaData.levelName
                                               ? currentLevelData.levelMetaData.levelName : ""
    /*! The name of the current level, or "UndefinedLevel". */
    readonly property string currentLevelNameString: currentLevelName !== "" ? currentLevelName : "UndefinedLevel"
    /*! The storage location of the current level. */
    readonly property string currentLevelStorageLocation: currentLevelData && currentLevelData.levelMetaData && currentLevelData.levelMetaData.storageLocation
                                                          ? currentLevelData.levelMetaData.storageLocation : ""
    /*! A folder whose *.json level files are read into the "applicationJSON" store at start. */
    property url applicationJSONLevelsDirectory
    /*! Level data objects put into the "applicationQML" store at start. */
    property var qmlLevelList: []
    /*! Map from a levelBaseName to an object whose \c url is the level document. */
    property var levelBaseNameToUrlMap: ({})
    /*! Metadata of the levels of the "applicationQML" store. */
    property var applicationQMLLevels: []
    /*! Metadata of the levels of the "applicationJSON" store. */
    property var applicationJSONLevels: []
    /*! Metadata of the levels the user saved ("authorGenerated"). */
    property var authorGeneratedLevels: []

    /*! Name of the store of levels read from JSON files at start. */
    property string applicationJSON: "applicationJSON"
    /*! Name of the store of levels given in qmlLevelList. */
    property string applicationQML: "applicationQML"
    /*! Name of the store of the levels the user saves. */
    property string authorGenerated: "authorGenerated"
    /*! Name of the store of levels other players published. */
    property string userGenerated: "userGenerated"
    /*! Name of the store of downloaded levels. */
    property string downloaded: "downloaded"

    /*! Emitted when an operation fails; \c errorData has code, requestType, requestParameters and message. */
    signal levelError(var errorData)
    /*! Emitted when the current level was saved. */
    signal saveLevelFinished()
    /*! Emitted when a level was loaded and made current. */
    signal loadLevelFinished()
    /*! Emitted when a new level is current; \c createEmptyLevel is false for a duplicate. */
    signal newLevelFinished(bool createEmptyLevel)
    /*! Emitted with the metadata of every level of \c storageLocation. */
    signal loadAllLevelsFromStorageLocationFinished(string storageLocation, var allLevelsData)
    /*! Emitted when the current level was written to a file. */
    signal exportLevelAsFileFinished()
    /*! Emitted when the current level was removed. */
    signal removeLevelFinished(string removedLevelName)

    property LevelStorage __applicationJSONStorage: LevelStorage { storageLocation: levelEditor.applicationJSON }
    property LevelStorage __applicationQMLStorage: LevelStorage { storageLocation: levelEditor.applicationQML }
    property LevelStorage __authorGeneratedStorage: LevelStorage { storageLocation: levelEditor.authorGenerated }

    /*! Makes a new empty level current without saving it; \a properties may hold levelMetaData and customData. */
    function createNewLevel(properties) {
        Logic.createNew(levelEditor, properties)
    }

    /*! Saves the current level under a new id and makes the copy current; \a properties as for createNewLevel(). */
    function duplicateCurrentLevel(properties) {
        Logic.saveCurrent(levelEditor, properties, true)
        newLevelFinished(false)
    }

    /*!
        Saves the current entities and editable values as the current level in the
        "authorGenerated" store; \a properties may hold levelMetaData and customData.
    */
    function saveCurrentLevel(properties) {
        Logic.saveCurrent(levelEditor, properties, false)
    }

    /*! Loads the level described by \a levelMetaData (levelId and storageLocation) and makes it current. */
    function loadSingleLevel(levelMetaData) {
        Logic.loadSingle(levelEditor, levelMetaData)
    }

    /*! Removes the current user level from its store. */
    function removeCurrentLevel() {
        Logic.removeCurrent(levelEditor)
    }

    /*! Reads the metadata of every level of \a location and emits loadAllLevelsFromStorageLocationFinished(). */
    function loadAllLevelsFromStorageLocation(location) {
        var store = Logic.storeFor(levelEditor, location)
        if (!store)
            return
        var levels = store.loadAllLevels()
        Logic.refreshLists(levelEditor)
        loadAllLevelsFromStorageLocationFinished(location, levels)
    }

    /*! Writes the current level as JSON to \a fileName + ".json" in the documents folder; returns whether it worked. */
    function exportLevelAsFile(fileName) {
        return Logic.exportAsFile(levelEditor, fileName)
    }

    /*! Removes every level the user saved. */
    function clearAllLevels() {
        __authorGeneratedStorage.clearAllLevels()
        if (currentLevelStorageLocation === authorGenerated)
            currentLevelData = null
        Logic.refreshLists(levelEditor)
    }

    /*! Returns whether the current level belongs to \a location. */
    function isCurrentLevelOfLocation(location) {
        return currentLevelStorageLocation === location
    }

    Component.onCompleted: Logic.start(levelEditor)
}
