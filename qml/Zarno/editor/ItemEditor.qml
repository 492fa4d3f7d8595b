import QtQuick 2.15
import Zarno 2.0
import "EditorStorage.js" as EditorStorage
import "GUIScript.js" as GUIScript

/*!
    \qmltype ItemEditor
    \inqmlmodule Zarno
    \brief Runtime editor of EditableComponent values; saves and loads them all as one JSON object.

    Give it the id \c itemEditor where the editable components can see it. It
    keeps one copy of the values per editable type and group, shows a row per
    property of the current type, and passes every edit to all components of
    that type and group. The level editor stores saveAllComponentsToJSON() as a
    level's \c editableComponentData.

    \qml
    ItemEditor {
        id: itemEditor
        width: 200; height: parent.height
        anchors.right: parent.right
    }
    \endqml
    \code
    var tweaks = itemEditor.saveAllComponentsToJSON()
    itemEditor.loadAllComponentsFromJSON(tweaks)
    \endcode
*/
ItemEditorBase {
    id: itemEditor
    width: 220
    height: 320

    /*! The editable types in order of first appearance. */
    property var editableTypes: []
    /*! The type whose properties are shown; the first registered type until changed. */
    property string currentEditableType: ""
    /*! The group shown first. */
    property string currentGroup: defaultGroupName
    /*! Name of the group of properties that name none. */
    property string defaultGroupName: "Properties"
    /*! Metadata of the current type's components (\c displayname). */
    property var currentMetaData: ({})
    /*! Map from a custom \c propertyType to the Component drawing its row. */
    property var customTypes: ({})
    /*! Whether the editor handles registrations (queued until it is complete). */
    property bool initialized: false
    /*! True while rows are being made. */
    property bool isLoading: false

    property bool __destroyed: false
    property Item __contentArea: null

    /*! Emitted before rows are made while the editor is visible. */
    signal loading()
    /*! Emitted when the rows are made. */
    signal loaded()
    /*! Emitted when the editor is destroyed; components stop talking to it. */
    signal itemEditorDestroyed()
    /*! Emitted when the row of the property \c propertyName is pressed. */
    signal propertyDelegatePressed(string propertyName)
    /*! Emitted when the row of the property \c propertyName is released. */
    signal propertyDelegateReleased(string propertyName)

    contentDelegate: Component { ContentDelegate {} }
    groupDelegate: Component { GroupDelegate {} }
    boolDelegate: Component { BoolDelegate {} }
    numberDelegate: Component { NumberDelegate {} }
    stringDelegate: Component { StringDelegate {} }
    pointDelegate: Component { PointDelegate {} }
    colorDelegate: Component { ColorDelegate {} }
    textureDelegate: Component { TextureDelegate {} }
    arrayDelegate: Component { ArrayDelegate {} }

    /*! Registers \a component; called by EditableComponent itself. */
    function createEditableComponent(component) {
        if (!initialized) {
            EditorStorage.queued.push(component)
            return
        }
        var newCopy = EditorStorage.register(itemEditor, component)
        editableTypes = EditorStorage.types.slice()
        if (currentEditableType === "")
            currentEditableType = component.editableType
        else if (newCopy && component.editableType === currentEditableType)
            __rebuild()
    }

    /*! Forgets \a component; called by EditableComponent itself. */
    function destroyEditableComponent(component) {
        var index = EditorStorage.queued.indexOf(component)
        if (index >= 0)
            EditorStorage.queued.splice(index, 1)
        EditorStorage.unregister(component)
    }

    /*! Returns every stored value as a map from group to that group's values. */
    function saveAllComponentsToJSON() {
        return EditorStorage.save()
    }

    /*! Returns the values of the components of \a editableType, keyed by group. */
    function saveComponentToJSON(editableType) {
        return EditorStorage.save(editableType)
    }

    /*! Loads \a map, written by saveAllComponentsToJSON(), into every component. */
    function loadAllComponentsFromJSON(map) {
        EditorStorage.load(map)
        GUIScript.refresh(EditorStorage)
    }

    /*! Writes saveAllComponentsToJSON() to \a path + \a fileName + ".json"; returns whether it worked. */
    function saveAllComponentsToJSONFile(path, fileName) {
        return fileUtils.writeFile(path + fileName + ".json", system.stringify(saveAllComponentsToJSON()))
    }

    /*! Reads \a path + \a fileName + ".json" and loads it; returns whether it worked. */
    function loadAllComponentsFromJSONFile(path, fileName) {
        return __loadFile(path + fileName + ".json")
    }

    /*! Makes \a editableType current, renames it to \a saveAsItemName when different and writes its values to \a path. */
    function saveItem(path, editableType, saveAsItemName) {
        if (editableType)
            currentEditableType = editableType
        if (saveAsItemName && saveAsItemName !== currentEditableType)
            renameCurrentEditableType(saveAsItemName)
        return fileUtils.writeFile(path + currentEditableType + ".json",
                                   system.stringify(saveComponentToJSON(currentEditableType)))
    }

    /*! Loads \a path + \a editableType (or the current type) + ".json". */
    function loadItem(path, editableType) {
        return __loadFile(path + (editableType ? editableType : currentEditableType) + ".json")
    }

    /*! Moves every component of the current type, with its rows, to \a toEditableType. */
    function renameCurrentEditableType(toEditableType) {
        if (!toEditableType || toEditableType === currentEditableType)
            return
        EditorStorage.rename(currentEditableType, toEditableType)
        editableTypes = EditorStorage.types.slice()
        currentEditableType = toEditableType
    }

    /*! Returns the editable types in order of first appearance. */
    function getAllEditableTypes() {
        return EditorStorage.types.slice()
    }

    function __loadFile(file) {
        var text = fileUtils.readFile(file)
        if (text === "") {
            console.warn("[WARNING] ItemEditor: could not read", file)
            return false
        }
        var map = system.parse(text)
        if (!map || Object.keys(map).length === 0) {
            console.warn("[WARNING] ItemEditor: no values in", file)
            return false
        }
        loadAllComponentsFromJSON(map)
        return true
    }

    function __rebuild() {
        var master = EditorStorage.masters[currentEditableType]
        var first = master ? master[Object.keys(master)[0]] : null
        currentMetaData = first && first.editableComponentMetaData ? first.editableComponentMetaData : {}
        if (!visible || !__contentArea)
            return
        isLoading = true
        loading()
        GUIScript.rebuild(itemEditor, EditorStorage, __contentArea.rowParent)
        isLoading = false
        loaded()
    }

    onCurrentEditableTypeChanged: __rebuild()
    onVisibleChanged: if (visible) __rebuild()

    Component.onCompleted: {
        __contentArea = contentDelegate ? contentDelegate.createObject(itemEditor, { editor: itemEditor }) : null
        initialized = true
        var waiting = EditorStorage.queued
        EditorStorage.queued = []
        for (var i = 0; i < waiting.length; ++i)
            createEditableComponent(waiting[i])
        __rebuild()
    }

    Component.onDestruction: {
        __destroyed = true
        itemEditorDestroyed()
    }
}
