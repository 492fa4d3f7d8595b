import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Levels through the level editor: the full round trip with edited values, the
// stores' ids and times, refused operations and damaged input.
TestCase {
    id: testCase
    name: "LevelEditor"
    when: windowShown
    visible: true
    width: 400
    height: 300

    readonly property url boxUrl: Qt.resolvedUrl("data/LevelBox.qml")

    Item { id: container; width: 400; height: 300 }

    EntityManager {
        id: entityManager
        entityContainer: container
    }

    ItemEditor {
        id: itemEditor
        visible: true
    }

    LevelLoader { id: levelLoader }

    LevelEditor {
        id: levelEditor
        toStoreEntityTypes: ["box"]
        toRemoveEntityTypes: ["box"]
    }

    SignalSpy { id: errors; target: levelEditor; signalName: "levelError" }

    function init() {
        levelEditor.clearAllLevels()
        errors.clear()
    }

    function cleanup() {
        entityManager.removeAllEntities()
        wait(0)
    }

    function createBox(properties) {
        return entityManager.getEntityById(entityManager.createEntityFromUrlWithProperties(boxUrl, properties))
    }

    function boxesById() {
        var result = {}
        var boxes = entityManager.getEntityArrayByType("box")
        for (var i = 0; i < boxes.length; ++i)
            result[boxes[i].entityId] = boxes[i]
        return result
    }

    function test_roundTripKeepsEntitiesPlacesAndEditedValues() {
        createBox({ entityId: "left", x: 10, y: 20, rotation: 30, label: "first" })
        createBox({ entityId: "right", x: 200, y: 120, label: "second" })
        // An edit through the editor's row reaches every box.
        var row = findChild(itemEditor, "row_speed")
        verify(row, "no row for speed")
        row.valueEdited(75)
        compare(boxesById()["right"].speed, 75)

        levelEditor.saveCurrentLevel({ levelMetaData: { levelName: "Round" } })
        var meta = levelEditor.currentLevelData.levelMetaData
        verify(meta.levelId >= 1 && meta.levelId <= 10001, "id " + meta.levelId)
        compare(meta.storageLocation, "authorGenerated")
        compare(meta.creationTime, meta.lastModificationTime)
        compare(levelEditor.authorGeneratedLevels.length, 1)

        entityManager.removeAllEntities()
        itemEditor.loadAllComponentsFromJSON({ box: { speed: 1, tint: "#0000ff" } })
        wait(0)
        compare(Object.keys(boxesById()).length, 0)

        levelEditor.loadSingleLevel({ levelId: meta.levelId, storageLocation: "authorGenerated" })
        var boxes = boxesById()
        compare(Object.keys(boxes).sort(), ["left", "right"])
        var expected = { left: [10, 20, 30, "first"], right: [200, 120, 0, "second"] }
        for (var id in expected) {
            compare([boxes[id].x, boxes[id].y, boxes[id].rotation, boxes[id].label], expected[id], id)
            compare(boxes[id].speed, 75, id)
            compare(String(boxes[id].tint), "#ff0000", id)
        }
        compare(levelEditor.currentLevelName, "Round")

        // Saving again keeps the id and the creation time.
        wait(5)
        levelEditor.saveCurrentLevel()
        var again = levelEditor.currentLevelData.levelMetaData
        compare(again.levelId, meta.levelId)
        compare(again.creationTime, meta.creationTime)
        verify(again.lastModificationTime > meta.lastModificationTime)
        compare(levelEditor.authorGeneratedLevels.length, 1)
    }

    function test_loadReplacesTheEntitiesOfTheCurrentLevel() {
        createBox({ entityId: "only", x: 1 })
        levelEditor.saveCurrentLevel({ levelMetaData: { levelName: "Twice" } })
        var meta = levelEditor.currentLevelData.levelMetaData
        levelEditor.loadSingleLevel(meta)
        levelEditor.loadSingleLevel(meta)
        compare(Object.keys(boxesById()), ["only"])
    }

    function test_duplicateAndNewLevel() {
        createBox({ entityId: "a" })
        levelEditor.saveCurrentLevel()
        compare(levelEditor.currentLevelName, "DefaultLevelName")
        var first = levelEditor.currentLevelId
        levelEditor.duplicateCurrentLevel({ levelMetaData: { levelName: "Copy" } })
        verify(levelEditor.currentLevelId !== first)
        compare(levelEditor.authorGeneratedLevels.length, 2)
        levelEditor.createNewLevel({ levelMetaData: { levelName: "Empty", levelId: 5 } })
        compare(levelEditor.currentLevelId, undefined)
        compare(Object.keys(boxesById()).length, 0)
        compare(levelEditor.authorGeneratedLevels.length, 2)
    }

    function test_refusedOperations_data() {
        return [
            { tag: "remove without a level", run: function () { levelEditor.currentLevelData = null; levelEditor.removeCurrentLevel() }, code: 3 },
            { tag: "remove an application level", run: function () {
                levelEditor.currentLevelData = { levelMetaData: { levelId: 9, storageLocation: "applicationJSON" } }
                levelEditor.removeCurrentLevel() }, code: 4 },
            { tag: "export up a folder", run: function () { levelEditor.exportLevelAsFile("../escape") }, code: 2, warns: true },
            { tag: "export into a folder", run: function () { levelEditor.exportLevelAsFile("sub/escape") }, code: 2, warns: true },
            { tag: "export without a level", run: function () { levelEditor.currentLevelData = null; levelEditor.exportLevelAsFile("x") }, code: 2 },
        ]
    }

    function test_refusedOperations(data) {
        levelEditor.saveCurrentLevel({ levelMetaData: { levelName: "Kept" } })
        var stored = levelEditor.authorGeneratedLevels.length
        if (data.warns)
            ignoreWarning(new RegExp("refusing to export"))
        ignoreWarning(new RegExp("WARNING: LevelEditor: .*failed|Error at saving"))
        data.run()
        compare(errors.count, 1)
        compare(errors.signalArguments[0][0].code, data.code)
        compare(levelEditor.authorGeneratedLevels.length, stored)
    }

    function test_exportWritesTheLevelIntoTheDocumentsFolder() {
        createBox({ entityId: "e", x: 42 })
        levelEditor.saveCurrentLevel({ levelMetaData: { levelName: "Exported" } })
        verify(levelEditor.exportLevelAsFile())
        var written = JSON.parse(fileUtils.readFile("Exported.json"))
        compare(written.levelMetaData.levelName, "Exported")
        compare(written.entityData.e.x, 42)
    }

    Component {
        id: jsonLevels
        LevelEditor {
            applicationJSONLevelsDirectory: Qt.resolvedUrl("data/levels")
            qmlLevelList: [{ levelMetaData: { levelId: 3, levelName: "Built in" } }, "not a level"]
        }
    }

    function test_damagedFilesAndUnknownTypesAreSkipped() {
        createBox({ entityId: "seed" })   // teaches the manager the box type
        entityManager.removeAllEntities()
        ignoreWarning("WARNING: LevelEditor: skipping malformed level file array.json")
        ignoreWarning("WARNING: LevelEditor: skipping malformed level file badmeta.json")
        ignoreWarning("WARNING: LevelEditor: skipping malformed level file broken.json")
        ignoreWarning("WARNING: LevelEditor: entry 1 of qmlLevelList is not a level, skipping it")
        var editor = createTemporaryObject(jsonLevels, testCase)
        compare(editor.applicationJSONLevels.map(function (m) { return m.levelName }).sort(), ["Good", "Haunted"])
        compare(editor.applicationQMLLevels.length, 1)

        ignoreWarning(new RegExp("no entity of type ghost"))
        ignoreWarning(new RegExp("could not create the entity g "))
        ignoreWarning(new RegExp("could not create the entity n "))
        editor.loadSingleLevel({ levelId: 78, storageLocation: "applicationJSON" })
        compare(Object.keys(boxesById()), ["b"])
        compare(editor.currentLevelName, "Haunted")

        editor.loadSingleLevel({ levelId: 77, storageLocation: "applicationJSON" })
        compare(boxesById()["b1"].label, "from file")
        compare(editor.currentLevelData.customData.par, 3)
    }

    LevelStorage { id: scratchStore; storageLocation: "levelStorageTest" }

    // A damaged level list must not take the stored levels with it.
    function test_damagedLevelListKeepsTheLevels() {
        scratchStore.clearAllLevels()
        var saved = scratchStore.saveLevel({ levelMetaData: { levelName: "kept" }, entityData: { a: { x: 1 } } })
        scratchStore.setValue("levels", { "not": "a list" })
        ignoreWarning(new RegExp("level list of levelStorageTest is damaged"))
        compare(scratchStore.loadAllLevels(), [])
        compare(scratchStore.getLevel(saved.levelMetaData.levelId).entityData.a.x, 1)
    }

    SignalSpy { id: loaderErrors; target: levelLoader; signalName: "error" }

    function test_levelDocumentThatDoesNotLoadSetsTheErrorState() {
        ignoreWarning(new RegExp("ERROR: LeveLoader: error at loading level with url"))
        ignoreWarning(new RegExp("missing/Level.qml"))
        levelEditor.createNewLevel({ levelMetaData: { levelName: "Doc", levelBaseUrl: Qt.resolvedUrl("missing/Level.qml") } })
        compare(levelLoader.state, "error")
        compare(loaderErrors.count, 1)
        compare(levelLoader.loadedLevel, null)
        levelLoader.levelSource = ""
    }
}
