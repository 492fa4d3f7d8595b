// The level editor's work; functions take the editor so that the document stays a list of members.

function copy(value) {
    return value === undefined ? undefined : JSON.parse(JSON.stringify(value))
}

function isSet(value) {
    return value !== undefined && value !== null && value !== ""
}

function manager() {
    return typeof entityManager !== "undefined" && entityManager ? entityManager : null
}

function loader() {
    return typeof levelLoader !== "undefined" && levelLoader ? levelLoader : null
}

function editorOfItems() {
    return typeof itemEditor !== "undefined" && itemEditor ? itemEditor : null
}

function levelDocument() {
    var l = loader()
    return l && l.loadedLevel && l.loadedLevel.levelData ? l.loadedLevel : null
}

function storeFor(editor, location) {
    if (location === editor.applicationJSON) return editor.__applicationJSONStorage
    if (location === editor.applicationQML) return editor.__applicationQMLStorage
    if (location === editor.authorGenerated) return editor.__authorGeneratedStorage
    console.debug("ERROR: LevelEditorLogic: unsupported storageLocation in getStore:", location)
    return null
}

function error(editor, code, requestType, requestParameters, message) {
    console.warn("WARNING: LevelEditor:", message)
    editor.levelError({ code: code, requestType: requestType, requestParameters: requestParameters, message: message })
}

// An entity file or store entry must be an object holding objects; anything else is skipped.
function isLevel(data) {
    return data !== null && typeof data === "object" && !Array.isArray(data)
            && (data.levelMetaData === undefined || (data.levelMetaData !== null && typeof data.levelMetaData === "object"))
}

function start(editor) {
    if (!manager())
        console.warn("ERROR: LevelEditor: the entityManager property is invalid - put an EntityManager to your main.qml file with the id entityManager to solve this error")

    var qmlStore = editor.__applicationQMLStorage
    qmlStore.clearAllLevels()
    var list = editor.qmlLevelList || []
    for (var i = 0; i < list.length; ++i) {
        if (isLevel(list[i]))
            qmlStore.saveLevel(list[i])
        else
            console.warn("WARNING: LevelEditor: entry", i, "of qmlLevelList is not a level, skipping it")
    }

    var jsonStore = editor.__applicationJSONStorage
    jsonStore.clearAllLevels()
    var directory = String(editor.applicationJSONLevelsDirectory)
    if (directory !== "") {
        var folder = fileUtils.stripSchemeFromUrl(directory).replace(/\/?$/, "/")
        var files = fileUtils.listFiles(editor.applicationJSONLevelsDirectory, ["*.json"]).sort()
        for (var f = 0; f < files.length; ++f) {
            var level
            try {
                level = JSON.parse(fileUtils.readFile(folder + files[f]))
            } catch (e) {
                level = undefined
            }
            if (isLevel(level))
                jsonStore.saveLevel(level)
            else
                console.warn("WARNING: LevelEditor: skipping malformed level file", files[f])
        }
    }
    refreshLists(editor)
}

function refreshLists(editor) {
    editor.applicationQMLLevels = editor.__applicationQMLStorage.loadAllLevels()
    editor.applicationJSONLevels = editor.__applicationJSONStorage.loadAllLevels()
    editor.authorGeneratedLevels = editor.__authorGeneratedStorage.loadAllLevels()
}

function levelUrl(editor, meta) {
    if (!meta)
        return ""
    if (isSet(meta.levelBaseUrl))
        return String(meta.levelBaseUrl)
    if (isSet(meta.levelBaseName)) {
        var entry = (editor.levelBaseNameToUrlMap || {})[meta.levelBaseName]
        if (entry && isSet(entry.url))
            return String(entry.url)
        console.warn("WARNING: LevelEditor: no level document known for levelBaseName", meta.levelBaseName)
    }
    return ""
}

// The previous level's entities always go: keeping them when the same level is
// loaded again would double every entity.
function selectLevelDocument(editor, meta) {
    var m = manager()
    if (m) {
        if (editor.toRemoveEntityTypes)
            m.removeEntitiesByFilter(editor.toRemoveEntityTypes)
        else
            m.removeAllEntities()
    }
    var url = levelUrl(editor, meta)
    var l = loader()
    if (l && url !== "" && String(l.levelSource) !== url)
        l.levelSource = url
}

function setCurrent(editor, data) {
    editor.currentLevelData = data
    var doc = levelDocument()
    if (doc && data) {
        doc.levelData.entityData = copy(data.entityData)
        doc.levelData.editableComponentData = copy(data.editableComponentData)
        doc.levelData.customData = copy(data.customData)
        doc.levelData.levelMetaData = copy(data.levelMetaData)
    }
}

function saveCurrent(editor, properties, duplicate) {
    properties = properties || {}
    var current = editor.currentLevelData || {}
    var givenMeta = properties.levelMetaData || {}
    var givenCustom = properties.customData

    var doc = levelDocument()
    if (doc) {
        doc.levelAboutToBeSaved()
        var docCustom = doc.levelData.customData || {}
        if (Object.keys(docCustom).length > 0) {
            givenCustom = givenCustom !== undefined ? copy(givenCustom) : copy(current.customData) || {}
            for (var c in docCustom) {
                if (givenCustom[c] !== undefined)
                    console.debug("WARNING: LevelEditor: customData", c, "is already set, keeping the given value")
                else
                    givenCustom[c] = docCustom[c]
            }
        }
        var docMeta = doc.levelData.levelMetaData || {}
        for (var k in docMeta) {
            if (k === "levelId")
                continue
            if (givenMeta[k] !== undefined)
                console.debug("WARNING: LevelEditor: levelMetaData", k, "is already set, keeping the given value")
            else
                givenMeta[k] = docMeta[k]
        }
    }

    var m = manager()
    var meta = copy(current.levelMetaData) || {}
    for (var key in givenMeta)
        meta[key] = givenMeta[key]
    if (duplicate) {
        delete meta.levelId
        delete meta.creationTime
    }
    if (!isSet(meta.levelName))
        meta.levelName = "DefaultLevelName"
    var items = editorOfItems()
    var data = {
        entityData: m ? m.storeEntitiesAsJson(editor.toStoreEntityTypes) : {},
        editableComponentData: items ? items.saveAllComponentsToJSON() : {},
        customData: givenCustom !== undefined ? copy(givenCustom) : (copy(current.customData) || {}),
        levelMetaData: meta
    }
    var saved = editor.__authorGeneratedStorage.saveLevel(data)
    if (!saved) {
        error(editor, 1, "saveCurrentLevel", properties, "Error at saving level " + meta.levelName)
        return
    }
    setCurrent(editor, saved)
    editor.authorGeneratedLevels = editor.__authorGeneratedStorage.allLevels
    editor.saveLevelFinished()
}

function createNew(editor, properties) {
    properties = properties || {}
    var meta = copy(properties.levelMetaData) || {}
    delete meta.levelId
    meta.storageLocation = editor.authorGenerated
    selectLevelDocument(editor, meta)
    setCurrent(editor, {
        entityData: {},
        editableComponentData: {},
        customData: copy(properties.customData) || {},
        levelMetaData: meta
    })
    editor.newLevelFinished(true)
}

function loadSingle(editor, levelMetaData) {
    if (!levelMetaData || typeof levelMetaData !== "object") {
        console.warn("ERROR: LevelEditor: loadSingleLevel needs the metadata of a level")
        return
    }
    var store = storeFor(editor, isSet(levelMetaData.storageLocation) ? levelMetaData.storageLocation : editor.authorGenerated)
    if (!store)
        return
    var data = store.getLevel(levelMetaData.levelId)
    if (!isLevel(data)) {
        console.warn("ERROR: LevelEditor: no level with id", levelMetaData.levelId, "in", store.storageLocation)
        return
    }
    selectLevelDocument(editor, data.levelMetaData || levelMetaData)

    if (store !== editor.__applicationQMLStorage) {
        var m = manager()
        var entities = data.entityData
        if (entities && typeof entities === "object") {
            for (var id in entities) {
                var stored = entities[id]
                var created = (stored && typeof stored === "object" && m)
                        ? m.createEntityFromEntityTypeAndVariationType(copy(stored)) : undefined
                if (created === undefined)
                    console.warn("ERROR: LevelEditor: could not create the entity", id, "of the level", levelMetaData.levelId)
            }
        } else if (entities !== undefined) {
            console.warn("ERROR: LevelEditor: the entities of level", levelMetaData.levelId, "are damaged, none were created")
        }
        var items = editorOfItems()
        if (items && data.editableComponentData && typeof data.editableComponentData === "object")
            items.loadAllComponentsFromJSON(data.editableComponentData)
    }

    setCurrent(editor, data)
    var doc = levelDocument()
    if (doc)
        doc.levelLoaded()
    editor.loadLevelFinished()
}

function removeCurrent(editor) {
    var data = editor.currentLevelData
    var meta = data && data.levelMetaData
    if (!meta || !isSet(meta.levelId)) {
        error(editor, 3, "removeCurrentLevel", {}, "RemoveCurrentLevel failed, because there is none active currently")
        return
    }
    if (meta.storageLocation === editor.applicationJSON || meta.storageLocation === editor.applicationQML) {
        error(editor, 4, "removeCurrentLevel", meta, "RemoveCurrentLevel failed, because the level is an application level and not a user-generated one")
        return
    }
    var store = storeFor(editor, meta.storageLocation || editor.authorGenerated)
    if (!store)
        return
    store.removeLevel(meta.levelId)
    editor.currentLevelData = null
    refreshLists(editor)
    editor.removeLevelFinished(meta.levelName || "")
}

function exportAsFile(editor, fileName) {
    var name = isSet(fileName) ? String(fileName) : editor.currentLevelName
    // The name is a file name in the documents folder, never a way out of it.
    if (!isSet(name) || /[\/\\]/.test(name) || name.indexOf("..") >= 0 || !editor.currentLevelData) {
        if (isSet(name) && (/[\/\\]/.test(name) || name.indexOf("..") >= 0))
            console.warn("WARNING: LevelEditor: refusing to export to a path outside the documents folder:", name)
        error(editor, 2, "exportLevelAsFile", { fileName: name }, "Error at saving level as file with filename " + name)
        return false
    }
    if (!fileUtils.writeFile(name + ".json", JSON.stringify(editor.currentLevelData, null, 2))) {
        error(editor, 2, "exportLevelAsFile", { fileName: name }, "Error at saving level as file with filename " + name)
        return false
    }
    editor.exportLevelAsFileFinished()
    return true
}
