// State of one EntityManager: the script is imported without .pragma library,
// so every manager instance owns its own copy of these variables.

var entities = []           // live entities, registration order
var entitiesMap = {}        // entityId -> entity
var pooledEntities = {}     // entityType -> [entity], oldest first
var componentTypes = []     // [{ component, entityType }]
var componentVariations = [] // [{ component, variationType }]
var typeComponents = {}     // entityType -> { component, variations: { variationType: component } }
var urlTypes = {}           // document url -> entityType, for poolable entities
var urlComponents = {}      // document url -> component, so that a url keeps one identity

var idTakenMessage = "WARNING: EntityManager: an entity wants to be created which id is already assigned to another entity - following entityId:"

function isSet(value) {
    return value !== undefined && value !== null && value !== ""
}

// A taken id that the game asked for is worth a warning; a generated one (built from
// the live count, which falls as entities are removed) is routine.
function uniqueId(id, generated) {
    while (entitiesMap.hasOwnProperty(id)) {
        if (generated)
            console.debug(idTakenMessage, id)
        else
            console.warn(idTakenMessage, id)
        id += "_"
    }
    return id
}

function generateId(entityType, variationType) {
    var n = entities.length
    var id = isSet(variationType) ? entityType + "_" + variationType + "_" + n : entityType + "_" + n
    return uniqueId(id, true)
}

function register(entity) {
    entitiesMap[entity.entityId] = entity
    entities.push(entity)
}

function unregister(entity) {
    delete entitiesMap[entity.entityId]
    var index = entities.indexOf(entity)
    if (index >= 0)
        entities.splice(index, 1)
}

function addEntityIfNotRegistered(entity) {
    if (!entity)
        return
    if (entity.entityId !== "" && entitiesMap.hasOwnProperty(entity.entityId))
        return
    if (entity.entityId === "")
        entity.entityId = generateId(entity.entityType, entity.variationType)
    register(entity)
}

function removeEntityIfDefinedInQmlFiles(entityId, entity) {
    // A pooled entity destroyed from outside (with its parent, say) must not be reused.
    var pool = pooledEntities[entity.entityType]
    var pooledIndex = pool ? pool.indexOf(entity) : -1
    if (pooledIndex >= 0)
        pool.splice(pooledIndex, 1)
    if (entitiesMap[entityId] !== entity)
        return
    unregister(entity)
}

function containerUsable(manager) {
    return manager.entityContainer && manager.entityContainer.parent
}

function learnedType(component) {
    var type
    for (var i = 0; i < componentTypes.length; ++i) {
        if (componentTypes[i].component === component)
            type = componentTypes[i].entityType
    }
    return type
}

function learnedVariation(component) {
    var variation
    for (var i = 0; i < componentVariations.length; ++i) {
        if (componentVariations[i].component === component)
            variation = componentVariations[i].variationType
    }
    return variation
}

function findPooled(manager, properties) {
    if (!manager.poolingEnabled || !isSet(properties.entityType))
        return null
    var pool = pooledEntities[properties.entityType]
    if (!pool || pool.length === 0)
        return null
    var type = isSet(properties.variationType) ? properties.variationType : properties.entityType
    for (var i = 0; i < pool.length; ++i) {
        if (pool[i] && pool[i].isOfType(type))
            return { entity: pool[i], index: i }
    }
    return null
}

function reuse(pooled, properties) {
    var entity = pooled.entity
    pooledEntities[properties.entityType].splice(pooled.index, 1)
    entity.entityId = isSet(properties.entityId) ? properties.entityId
                                                  : generateId(entity.entityType, entity.variationType)
    register(entity)
    for (var key in properties) {
        if (key !== "entityId" && entity[key] !== properties[key])
            entity[key] = properties[key]
    }
    entity.usedFromPool()
    entity.visible = true
    entity.entityCreated()
    return entity.entityId
}

function learn(manager, component, entity, typeWasKnown, variationWasKnown, url) {
    var learnedVariationType
    if (!typeWasKnown)
        componentTypes.push({ component: component, entityType: entity.entityType })
    if (!variationWasKnown && isSet(entity.variationType)) {
        componentVariations.push({ component: component, variationType: entity.variationType })
        learnedVariationType = entity.variationType
    }
    var entry = typeComponents[entity.entityType]
    if (!entry)
        entry = typeComponents[entity.entityType] = { component: undefined, variations: undefined }
    if (learnedVariationType !== undefined) {
        if (!entry.variations)
            entry.variations = {}
        entry.variations[learnedVariationType] = component
    } else {
        entry.component = component
    }
    if (url !== undefined && manager.poolingEnabled && entity.poolingEnabled)
        urlTypes[url] = entity.entityType
}

function createFromComponent(manager, component, properties, url) {
    if (!containerUsable(manager)) {
        console.warn("ERROR: EntityManger: no valid enitityContainer defined, cannot create this entity! Set entityContainer to an item with a parent.")
        return undefined
    }
    if (!properties)
        properties = {}
    if (isSet(properties.entityId))
        properties.entityId = uniqueId(properties.entityId)
    var typeWasKnown = isSet(properties.entityType)
    if (!typeWasKnown) {
        var type = learnedType(component)
        if (type !== undefined)
            properties.entityType = type
    }
    var variationWasKnown = isSet(properties.variationType)
    if (!variationWasKnown) {
        var variation = learnedVariation(component)
        if (variation !== undefined)
            properties.variationType = variation
    }
    typeWasKnown = isSet(properties.entityType)
    variationWasKnown = isSet(properties.variationType)

    var pooled = findPooled(manager, properties)
    if (pooled)
        return reuse(pooled, properties)

    if (!component) {
        console.warn("ERROR: EntityManager: no component given, cannot create this entity!")
        return undefined
    }
    var entity = component.createObject(manager.entityContainer, properties)
    if (!entity) {
        console.warn("ERROR: EntityManager: could not create an entity:", component.errorString())
        return undefined
    }
    // An entity that could not reach the manager by name registers here instead.
    addEntityIfNotRegistered(entity)
    if (!entity.__entityManager)
        entity.__entityManager = manager
    learn(manager, component, entity, typeWasKnown, variationWasKnown, url)
    return entity.entityId
}

function componentForUrl(url) {
    var key = String(url)
    var component = urlComponents[key]
    if (component && component.status === Component.Ready)
        return component
    component = Qt.createComponent(url)
    if (component.status === Component.Ready)
        urlComponents[key] = component
    return component
}

function createFromUrl(manager, url, properties) {
    if (!properties)
        properties = {}
    var key = String(url)
    if (urlTypes.hasOwnProperty(key))
        properties.entityType = urlTypes[key]
    if (containerUsable(manager) && findPooled(manager, properties))
        return createFromComponent(manager, null, properties)
    var component = componentForUrl(url)
    if (component.status !== Component.Ready) {
        console.warn("ERROR: failed to create sprite from url:", url, "status:", component.status,
                     "error:", component.errorString())
        return undefined
    }
    return createFromComponent(manager, component, properties, key)
}

function createByType(manager, properties) {
    if (!properties || !isSet(properties.entityType)) {
        console.warn("ERROR: EntityManager: no entityType value is contained in the properties of createEntityWithProperties(), cannot create an entity without it")
        return undefined
    }
    var entry = typeComponents[properties.entityType]
    if (!entry) {
        console.warn("ERROR: EntityManager: no entity of type", properties.entityType,
                     "was created before, so its component is unknown")
        return undefined
    }
    var component
    if (typeof properties.variationType === "string" && properties.variationType !== "") {
        if (entry.variations) {
            component = entry.variations[properties.variationType]
            if (!component) {
                for (var name in entry.variations) {
                    component = entry.variations[name]
                    break
                }
            }
        } else {
            component = entry.component
        }
    } else {
        component = entry.component
    }
    if (!component) {
        console.warn("ERROR: EntityManager: no component known for entityType", properties.entityType,
                     isSet(properties.variationType) ? "and variationType " + properties.variationType : "")
        return undefined
    }
    return createFromComponent(manager, component, properties)
}

function createPooled(manager, creator, source, amount) {
    var ids = []
    for (var i = 0; i < amount; ++i) {
        var id = creator(manager, source, { visible: false })
        if (id !== undefined)
            ids.push(id)
    }
    for (var j = 0; j < ids.length; ++j)
        removeById(manager, ids[j])
}

function getEntityById(id) {
    return entitiesMap.hasOwnProperty(id) ? entitiesMap[id] : undefined
}

function getEntityArrayByType(type) {
    var result = []
    for (var i = 0; i < entities.length; ++i) {
        if (entities[i] && entities[i].isOfType(type))
            result.push(entities[i])
    }
    return result
}

function getPooledEntityArrayByType(type) {
    var pool = pooledEntities[type]
    return pool ? pool.slice() : []
}

function removeById(manager, id) {
    var entity = entitiesMap.hasOwnProperty(id) ? entitiesMap[id] : undefined
    if (!entity || entities.indexOf(entity) < 0) {
        console.warn("WARNING: EntityManager: entity to remove could not be found with id:", id)
        return
    }
    if (entity.preventFromRemovalFromEntityManager) {
        console.warn("WARNING: EntityManager: the entity", id, "has preventFromRemovalFromEntityManager set and is not removed")
        return
    }
    unregister(entity)
    if (manager.poolingEnabled && entity.poolingEnabled) {
        entity.entityDestroyed()
        entity.visible = false
        entity.movedToPool()
        if (!pooledEntities[entity.entityType])
            pooledEntities[entity.entityType] = []
        pooledEntities[entity.entityType].push(entity)
    } else {
        entity.destroy()
    }
}

function removeLast(manager) {
    if (entities.length > 0)
        removeById(manager, entities[entities.length - 1].entityId)
}

function idsWhere(predicate) {
    var ids = []
    for (var i = 0; i < entities.length; ++i) {
        if (entities[i] && predicate(entities[i]))
            ids.push(entities[i].entityId)
    }
    return ids
}

function removeByFilter(manager, types) {
    if (!types)
        return
    var ids = idsWhere(function (entity) {
        for (var t = 0; t < types.length; ++t) {
            if (entity.isOfType(types[t]))
                return true
        }
        return false
    })
    for (var i = 0; i < ids.length; ++i)
        removeById(manager, ids[i])
}

function removeAll(manager) {
    var ids = idsWhere(function () { return true })
    for (var i = 0; i < ids.length; ++i)
        removeById(manager, ids[i])
}

function removeAllPooled() {
    var pools = pooledEntities
    pooledEntities = {}
    for (var type in pools) {
        for (var i = 0; i < pools[type].length; ++i) {
            if (pools[type][i])
                pools[type][i].destroy()
        }
    }
}

function matchesTypes(entity, types) {
    if (!types)
        return true
    for (var i = 0; i < types.length; ++i) {
        if (entity.isOfType(types[i]))
            return true
    }
    return false
}

function store(types, propertyNames) {
    var result = {}
    for (var i = 0; i < entities.length; ++i) {
        var entity = entities[i]
        if (!entity || !entity.visible || entity.preventFromRemovalFromEntityManager || !matchesTypes(entity, types))
            continue
        var stored = {
            entityId: entity.entityId,
            entityType: entity.entityType,
            variationType: entity.variationType,
            x: entity.x,
            y: entity.y,
            rotation: entity.rotation
        }
        var extra = entity.toStoreProperties || []
        for (var e = 0; e < extra.length; ++e) {
            var value = entity[extra[e]]
            if (value === undefined)
                console.warn("WARNING: EntityManager: the property", extra[e], "of toStoreProperties is not defined on", entity.entityId)
            else
                stored[extra[e]] = value
        }
        if (propertyNames) {
            for (var p = 0; p < propertyNames.length; ++p) {
                if (entity[propertyNames[p]] !== undefined)
                    stored[propertyNames[p]] = entity[propertyNames[p]]
            }
        }
        result[entity.entityId] = stored
    }
    return result
}

function initialize(manager) {
    if (manager.initialized || !containerUsable(manager))
        return
    var list = manager.dynamicCreationEntityList || []
    for (var i = 0; i < list.length; ++i) {
        var entry = list[i]
        if (entry && typeof entry.createObject === "function")
            createPooled(manager, createFromComponent, entry, 1)
        else if (typeof entry === "string" || (entry && typeof entry === "object" && String(entry) !== "[object Object]"))
            createPooled(manager, createFromUrl, String(entry), 1)
        else
            console.warn("ERROR: EntityManager: entry", i, "of dynamicCreationEntityList has the unusable type", typeof entry)
    }
    manager.initialized = true
}
