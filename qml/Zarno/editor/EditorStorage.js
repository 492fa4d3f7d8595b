// The register of one item editor: the document imports this script without
// .pragma library, so every editor owns its own copy of these variables.

var masters = {}       // editableType -> defaultGroup -> the editor's own copy
var components = []    // every registered editable component, registration order
var masterList = []    // the editor's copies, creation order
var types = []         // editable types, order of first appearance
var groups = []        // groups, display order
var controls = {}      // editableType -> group -> property name -> row
var queued = []        // registrations that arrived before the editor was ready

var masterComponent = null

function masterOf(component) {
    var byGroup = masters[component.editableType]
    return byGroup ? byGroup[component.defaultGroup] : undefined
}

function componentsOf(type, group) {
    var result = []
    for (var i = 0; i < components.length; ++i) {
        var c = components[i]
        if (c && c.editableType === type && c.defaultGroup === group)
            result.push(c)
    }
    return result
}

// Values are copied, never shared: a colour or point read from a property is a
// reference to that property and would follow (or lose) the first instance.
function copyValue(value, owner) {
    var kind = system.typeOf(value)
    if (kind === "color")
        return Qt.rgba(value.r, value.g, value.b, value.a)
    if (kind === "url") {
        var text = String(value)
        return text === "" ? value : fileUtils.getPathUrl(text, owner)
    }
    if (kind === "point")
        return Qt.point(value.x, value.y)
    if (Array.isArray(value))
        return value.slice()
    if (kind === "list" && value && value.length !== undefined) {
        var list = []
        for (var i = 0; i < value.length; ++i)
            list.push(value[i])
        return list
    }
    return value
}

function makeMaster(editor, component) {
    if (!masterComponent)
        masterComponent = Qt.createComponent("EditableComponent.qml")
    var values = {}
    component.__walk(component.properties || {}, function (key) {
        values[key] = copyValue(component.target[key], component.target)
    })
    var master = masterComponent.createObject(editor, {
        external: true,
        target: values,
        editableType: component.editableType,
        editableComponentMetaData: component.editableComponentMetaData,
        defaultGroup: component.defaultGroup,
        properties: component.properties,
        targetEditor: editor,
        keepOneInstanceInMemory: component.keepOneInstanceInMemory,
        preventStorage: component.preventStorage,
        basePath: fileUtils.getBasePath(typeof component.target.objectName === "string" ? component.target : null)
    })
    if (!master) {
        console.warn("[WARNING] ItemEditor: could not create the editor's copy for", component.editableType, masterComponent.errorString())
        return null
    }
    if (!masters[component.editableType])
        masters[component.editableType] = {}
    masters[component.editableType][component.defaultGroup] = master
    masterList.push(master)
    return master
}

function addType(type) {
    if (types.indexOf(type) < 0)
        types.push(type)
}

function addGroup(group) {
    if (groups.indexOf(group) < 0)
        groups.push(group)
}

// Returns true when a new copy was made (the register changed shape).
function register(editor, component) {
    if (components.indexOf(component) >= 0)
        return false
    components.push(component)
    addType(component.editableType)
    addGroup(component.defaultGroup)
    var master = masterOf(component)
    if (master) {
        component.loadFromJSONMap(master.toJSONMap())
        return false
    }
    return makeMaster(editor, component) !== null
}

function unregister(component) {
    var index = components.indexOf(component)
    if (index >= 0)
        components.splice(index, 1)
}

// The map of every stored copy (of one type when given), keyed by group.
function save(type) {
    var result = {}
    for (var t = 0; t < types.length; ++t) {
        if (type !== undefined && types[t] !== type)
            continue
        var byGroup = masters[types[t]] || {}
        for (var group in byGroup) {
            var master = byGroup[group]
            if (master && !master.preventStorage)
                result[master.defaultGroup] = master.toJSONMap()
        }
    }
    return result
}

function load(map) {
    if (!map)
        return
    for (var i = 0; i < masterList.length; ++i) {
        var master = masterList[i]
        if (master && map[master.defaultGroup] !== undefined)
            master.loadFromJSONMap(map[master.defaultGroup])
    }
    pushMasterValues()
}

function pushMasterValues() {
    for (var c = 0; c < components.length; ++c) {
        var component = components[c]
        var owner = component ? masterOf(component) : undefined
        if (owner)
            component.loadFromJSONMap(owner.toJSONMap())
    }
}

// An edit reaches the copy and every instance of its type and group.
function applyValue(type, group, name, value) {
    var byGroup = masters[type]
    var master = byGroup ? byGroup[group] : undefined
    if (master)
        master.target[name] = value
    var targets = componentsOf(type, group)
    for (var i = 0; i < targets.length; ++i) {
        if (targets[i].target)
            targets[i].target[name] = value
    }
}

function rename(fromType, toType) {
    if (fromType === toType || !masters[fromType])
        return
    for (var i = 0; i < components.length; ++i) {
        var c = components[i]
        if (c.editableType !== fromType)
            continue
        if (c.defaultGroup === fromType)
            c.defaultGroup = toType
        c.editableType = toType
    }
    var moved = {}
    for (var group in masters[fromType]) {
        var master = masters[fromType][group]
        var newGroup = group === fromType ? toType : group
        if (master.defaultGroup === fromType)
            master.defaultGroup = toType
        master.editableType = toType
        moved[newGroup] = master
        addGroup(newGroup)
    }
    delete masters[fromType]
    masters[toType] = moved
    if (controls[fromType]) {
        controls[toType] = controls[fromType]
        delete controls[fromType]
    }
    var index = types.indexOf(fromType)
    if (index >= 0)
        types[index] = toType
}
