import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Editable components with the item editor: what is saved, how it loads back,
// shared copies, renaming and components without an editor.
TestCase {
    id: testCase
    name: "EditableComponent"
    when: windowShown
    visible: true
    width: 300
    height: 300

    ItemEditor { id: itemEditor; visible: false }

    Component {
        id: ship
        Item {
            property real speed: 5
            property real mass: 2
            property point spawn: Qt.point(1, 2)
            property url picture: "ship.png"
            property bool secret: true
            property alias editable: editable
            EditableComponent {
                id: editable
                editableType: "ship"
                properties: { "speed": {}, "Advanced": { "mass": {}, "spawn": {}, "picture": {} } }
            }
        }
    }

    Component {
        id: hidden
        Item {
            property int level: 3
            EditableComponent { editableType: "hidden"; preventStorage: true; properties: { "level": {} } }
        }
    }

    Component {
        id: orphan
        Item { EditableComponent { targetEditor: null; editableType: "orphan"; properties: { "x": {} } } }
    }

    // The editor keeps its copy of the ship values between tests.
    function init() {
        itemEditor.loadAllComponentsFromJSON({ ship: { speed: 5, mass: 2, spawn: "1, 2", picture: "ship.png" } })
    }

    function test_savesAllGroupsFlatUnderTheDefaultGroup() {
        var a = createTemporaryObject(ship, testCase)
        var saved = itemEditor.saveAllComponentsToJSON()
        compare(saved.ship, { speed: 5, mass: 2, spawn: "1.0, 2.0", picture: "ship.png" })
        compare(itemEditor.getAllEditableTypes().indexOf("ship") >= 0, true)
    }

    function test_sharedCopyLoadsIntoEveryInstance() {
        var a = createTemporaryObject(ship, testCase)
        var b = createTemporaryObject(ship, testCase, { speed: 99 })
        // The later instance takes the values the editor already holds.
        compare(b.speed, 5)
        itemEditor.loadAllComponentsFromJSON({ ship: { speed: 7, spawn: "3, 4", picture: "other.png", unknown: 1 } })
        for (var i = 0, items = [a, b]; i < items.length; ++i) {
            compare(items[i].speed, 7)
            compare(items[i].spawn, Qt.point(3, 4))
            compare(String(items[i].picture), String(Qt.resolvedUrl("other.png")))
        }
        compare(Object.keys(itemEditor.saveAllComponentsToJSON()).filter(function (k) { return k === "ship" }).length, 1)
        compare(itemEditor.saveAllComponentsToJSON().ship.speed, 7)
    }

    function test_relativeUrlsResolve_data() {
        return [
            { tag: "against the base path", basePath: "file:///levels/art/", expected: "file:///levels/art/rock.png" },
            { tag: "against the target's document", basePath: "", expected: String(Qt.resolvedUrl("rock.png")) },
            { tag: "absolute stays", basePath: "file:///levels/art/", text: "qrc:/img/rock.png", expected: "qrc:/img/rock.png" },
        ]
    }

    function test_relativeUrlsResolve(data) {
        var a = createTemporaryObject(ship, testCase)
        a.editable.basePath = data.basePath
        a.editable.loadFromJSONMap({ picture: data.text || "rock.png" })
        compare(String(a.picture), data.expected)
    }

    function test_preventStorageIsEditedButNotSaved() {
        var h = createTemporaryObject(hidden, testCase)
        verify(!itemEditor.saveAllComponentsToJSON().hasOwnProperty("hidden"))
        itemEditor.currentEditableType = "hidden"
        itemEditor.visible = true
        findChild(itemEditor, "row_level").valueEdited(8)
        compare(h.level, 8)
        itemEditor.visible = false
    }

    function test_fileRoundTripAndRename() {
        var a = createTemporaryObject(ship, testCase)
        a.editable.targetEditor.loadAllComponentsFromJSON({ ship: { speed: 11 } })
        verify(itemEditor.saveAllComponentsToJSONFile("", "editortest"))
        itemEditor.loadAllComponentsFromJSON({ ship: { speed: 1 } })
        compare(a.speed, 1)
        verify(itemEditor.loadAllComponentsFromJSONFile("", "editortest"))
        compare(a.speed, 11)
        ignoreWarning(new RegExp("ItemEditor: could not read .*missing.json"))
        verify(!itemEditor.loadAllComponentsFromJSONFile("", "missing"))
        compare(a.speed, 11)

        itemEditor.currentEditableType = "ship"
        itemEditor.renameCurrentEditableType("boat")
        compare(a.editable.editableType, "boat")
        compare(a.editable.defaultGroup, "boat")
        compare(itemEditor.saveAllComponentsToJSON().boat.speed, 11)
        itemEditor.renameCurrentEditableType("ship")
    }

    function test_noEditorRegistersNothing() {
        ignoreWarning(new RegExp("construction without a defined and active ItemEditor"))
        var o = orphan.createObject(testCase)
        verify(o)
        o.destroy()
        wait(0)
        verify(itemEditor.getAllEditableTypes().indexOf("orphan") < 0)
    }

    function test_numberRowKeepsEditsInRange_data() {
        return [
            { tag: "above the maximum", typed: 100, expected: 80 },
            { tag: "below the minimum", typed: 3, expected: 16 },
            { tag: "between steps", typed: 21.9, expected: 20 },
            { tag: "on a step", typed: 64, expected: 64 },
        ]
    }

    function test_numberRowKeepsEditsInRange(data) {
        var row = createTemporaryObject(itemEditor.numberDelegate, testCase,
                                        { value: 40, metaData: { "min": 16, "max": 80, "stepsize": 4 } })
        var edited = []
        row.valueEdited.connect(function (value) { edited.push(value) })
        var box = findChild(row, "numberBox")
        box.text = String(data.typed)
        box.accepted(box.text)
        compare(edited, [data.expected])
    }

    Component {
        id: editorWithContent
        ItemEditor {
            id: ownEditor
            property alias early: early
            // Completes before its editor does: the registration waits in the queue.
            Item {
                id: early
                property real speed: 3
                EditableComponent { targetEditor: ownEditor; editableType: "early"; properties: { "speed": {} } }
            }
        }
    }

    function test_registrationBeforeTheEditorIsReadyIsQueued() {
        var editor = createTemporaryObject(editorWithContent, testCase)
        compare(editor.getAllEditableTypes(), ["early"])
        compare(editor.currentEditableType, "early")
        editor.loadAllComponentsFromJSON({ early: { speed: 9 } })
        compare(editor.early.speed, 9)
    }
}
