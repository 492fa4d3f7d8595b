// Builds the editor's rows for the current editable type from the register.

var rows = []

function clearRows() {
    for (var i = 0; i < rows.length; ++i) {
        if (rows[i])
            rows[i].destroy()
    }
    rows = []
}

function delegateFor(editor, kind) {
    switch (kind) {
    case "number": case "double": case "int": case "real": return editor.numberDelegate
    case "boolean": case "bool": return editor.boolDelegate
    case "string": return editor.stringDelegate
    case "point": return editor.pointDelegate
    case "color": return editor.colorDelegate
    case "url": case "texture": case "image": return editor.textureDelegate
    case "list": case "array": case "stringlist": return editor.arrayDelegate
    }
    if (editor.customTypes && editor.customTypes[kind])
        return editor.customTypes[kind]
    return null
}

function addRow(delegate, parent, properties) {
    if (!delegate)
        return null
    var row = delegate.createObject(parent, properties)
    if (row)
        rows.push(row)
    return row
}

function addGroup(editor, storage, parent, master, group, map) {
    addRow(editor.groupDelegate, parent, { text: group })
    var later = []
    for (var name in map) {
        if (!master.__isProperty(name)) {
            if (map[name] && typeof map[name] === "object")
                later.push(name)
            continue
        }
        var meta = map[name] || {}
        if (meta.enabled === false)
            continue
        var value = master.target[name]
        var kind = meta.propertyType !== undefined ? meta.propertyType : system.typeOf(value)
        var row = addRow(delegateFor(editor, kind), parent, {
            objectName: "row_" + name, editor: editor, propertyName: name, label: meta.label !== undefined ? meta.label : name,
            metaData: meta, value: value
        })
        if (!row)
            continue
        var type = master.editableType, ownerGroup = master.defaultGroup
        row.valueEdited.connect(function (t, g, n) {
            return function (newValue) { storage.applyValue(t, g, n, newValue) }
        }(type, ownerGroup, name))
        if (!storage.controls[type])
            storage.controls[type] = {}
        if (!storage.controls[type][ownerGroup])
            storage.controls[type][ownerGroup] = {}
        storage.controls[type][ownerGroup][name] = row
    }
    for (var i = 0; i < later.length; ++i)
        addGroup(editor, storage, parent, master, later[i], map[later[i]])
}

function rebuild(editor, storage, parent) {
    clearRows()
    storage.controls = {}
    if (!parent || !editor.currentEditableType)
        return
    var byGroup = storage.masters[editor.currentEditableType] || {}
    for (var i = 0; i < storage.groups.length; ++i) {
        var master = byGroup[storage.groups[i]]
        if (master)
            addGroup(editor, storage, parent, master, master.defaultGroup, master.properties || {})
    }
}

// After a load the rows show the copies' new values.
function refresh(storage) {
    for (var type in storage.controls) {
        for (var group in storage.controls[type]) {
            var master = storage.masters[type] ? storage.masters[type][group] : undefined
            if (!master)
                continue
            var byName = storage.controls[type][group]
            for (var name in byName)
                byName[name].value = master.target[name]
        }
    }
}
