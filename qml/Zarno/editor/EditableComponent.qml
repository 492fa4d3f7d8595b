import QtQuick 2.15

/*!
    \qmltype EditableComponent
    \inqmlmodule Zarno
    \brief Exposes chosen properties of an object to the runtime item editor and stores them as JSON.

    Place it inside the object to edit (or point \l target at it). It registers
    with the \c ItemEditor found by the id \c itemEditor (or \l targetEditor).
    All components of one \l editableType and \l defaultGroup share the
    editor's values: an edit reaches every one of them, and their values are
    saved once under \l defaultGroup. A key of \l properties that is not a
    property of the target names a sub-group holding more properties.

    \qml
    EntityBase {
        entityType: "box"
        property real speed: 40
        property color tint: "teal"
        EditableComponent {
            editableType: "box"
            properties: {
                "speed": { "min": 0, "max": 200, "stepsize": 1 },
                "Look": { "tint": {} }
            }
        }
    }
    \endqml
*/
Item {
    id: editableComponent
    objectName: "editableComponent"

    /*! The object whose properties are edited (the parent). */
    property var target: parent
    /*! The kind of object, for example an entity type; first key of the editor's register. */
    property string editableType: ""
    /*! The group the properties appear under and the key of their values in saved JSON. */
    property string defaultGroup: editableType
    /*! Editor hints for the whole component; \c displayname defaults to editableType. */
    property var editableComponentMetaData: ({ "displayname": editableType })
    /*! Property names mapped to editor metadata (\c propertyType, \c min, \c max, \c stepsize, \c label, \c enabled); a key that is not a property of target is a sub-group. */
    property var properties
    /*! The editor to register with: \c itemEditor when one is in reach. */
    property var targetEditor: typeof itemEditor !== "undefined" ? itemEditor : null
    /*! True for the copy the editor keeps itself; such a component does not register. */
    property bool external: false
    /*! Number of visible users of the editor's copy. */
    property int referenceCount: 0
    /*! Base for relative file URLs when saving and loading; empty means the target's document folder. */
    property string basePath: ""
    /*! Keep the editor's copy while no instance of this type exists. */
    property bool keepOneInstanceInMemory: true
    /*! Leave this component out of saved JSON; it is still edited. */
    property bool preventStorage: false

    property var __registeredWith: null

    /*! Returns the JSON text of the current values, all groups in one flat object. */
    function toJSON() {
        var values = __values()
        if (basePath !== "")
            return system.stringifyWithBasePath(values, [], basePath)
        return system.stringify(values, [], (target && typeof target.objectName === "string") ? target : null)
    }

    /*! Returns the current values as a map (file URLs relative to the base path). */
    function toJSONMap() {
        var text = toJSON()
        return text === "" ? {} : system.parse(text)
    }

    /*! Assigns each value of \a map whose key is a property of target; other keys are ignored. */
    function loadFromJSONMap(map) {
        if (!map || !target)
            return
        for (var key in map) {
            if (!__isProperty(key))
                continue
            var value = map[key]
            var kind = system.typeOf(target[key])
            try {
                if (kind === "url")
                    target[key] = __resolvedUrl(value)
                else if (kind === "point" && typeof value === "string")
                    target[key] = system.pointFFromString(value)
                else
                    target[key] = value
            } catch (error) {
                console.warn("[WARNING] EditableComponent: could not load", key, "of", editableType + ":", error.message)
            }
        }
    }

    function __isProperty(key) {
        if (!target || typeof target !== "object")
            return false
        if (!(key in target))
            return false
        return typeof target[key] !== "function"
    }

    function __walk(map, visit) {
        for (var key in map) {
            if (__isProperty(key))
                visit(key, map[key])
            else if (map[key] && typeof map[key] === "object")
                __walk(map[key], visit)
        }
    }

    function __values() {
        var values = {}
        if (properties)
            __walk(properties, function (key) { values[key] = target[key] })
        return values
    }

    // Absolute texts are kept as they are: joining them to a base would break them.
    function __resolvedUrl(value) {
        var text = String(value === undefined || value === null ? "" : value)
        if (text === "" || /^[a-zA-Z][a-zA-Z0-9+.-]*:/.test(text) || text.charAt(0) === "/")
            return fileUtils.getUrlByAddingSchemeToFilename(text)
        if (basePath !== "")
            return fileUtils.getUrlByAddingSchemeToFilename(basePath.replace(/\/?$/, "/") + text)
        return fileUtils.getPathUrl(text, target)
    }

    Component.onCompleted: {
        if (external)
            return
        if (targetEditor && !targetEditor.__destroyed) {
            __registeredWith = targetEditor
            targetEditor.createEditableComponent(editableComponent)
        } else {
            console.warn("[WARNING] EditableComponent construction without a defined and active ItemEditor. Ensure your Scene knows about the id: itemEditor or provide an explicit targetEditor!")
        }
    }

    Component.onDestruction: {
        if (external)
            return
        if (__registeredWith && !__registeredWith.__destroyed)
            __registeredWith.destroyEditableComponent(editableComponent)
        else
            console.debug("[WARNING] EditableComponent Destruction without a defined and active ItemEditor. Ensure your Scene knows about the id: itemEditor or provide an explicit targetEditor!")
    }
}
