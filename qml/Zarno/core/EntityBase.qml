import QtQuick 2.0

/*!
    \qmltype EntityBase
    \inqmlmodule Zarno
    \brief A game object with a type and an id, registered with the game's EntityManager.

    An entity finds its manager by the id \c entityManager from where it is
    instantiated. It registers itself on completion (an id is generated when
    \l entityId is empty) and leaves the register when it is destroyed. With
    pooling enabled on the entity and on the manager, a removed entity is
    hidden and kept for the next creation of its type.

    \qml
    EntityBase {
        entityType: "coin"
        poolingEnabled: true
        Component.onCompleted: saveProperties(this)
        onMovedToPool: resetDefaultProperties()
        Rectangle { width: 20; height: 20; radius: 10; color: "gold" }
    }
    \endqml
*/
Item {
    id: entity

    /*! Unique id in the manager's register; generated on registration when empty. */
    property string entityId
    /*! Type name used for finding, pooling and storing. */
    property string entityType: "UNDEFINED_ENTITY_TYPE"
    /*! Optional sub-type; isOfType() accepts it as well as the type. */
    property string variationType
    /*! Read by colliders to switch themselves off; follows \c visible. */
    property bool collidersActive: visible
    /*! Protects the entity from every removal through the manager and from storing. */
    property bool preventFromRemovalFromEntityManager: false
    /*! Names of extra properties that EntityManager::storeEntitiesAsJson() writes. */
    property var toStoreProperties: []
    /*! Whether the entity may be pooled on removal (the manager's pooling must be on too). */
    property bool poolingEnabled: false
    /*! Snapshots taken by saveProperties(), restored by resetDefaultProperties(). */
    property var __defaultProperties

    // Guarded: null once the manager is gone.
    property QtObject __entityManager: null
    property bool __entityManagerDestroyed: false

    /*! Emitted when the entity enters the register, and again when it comes back from the pool. */
    signal entityCreated()
    /*! Emitted when the entity is destroyed or moved into the pool. */
    signal entityDestroyed()
    /*! Emitted when the manager hides the removed entity in its pool. */
    signal movedToPool()
    /*! Emitted when the manager reuses the entity from its pool, before entityCreated(). */
    signal usedFromPool()

    transformOrigin: Item.TopLeft
    objectName: entityId

    /*! Returns the first child whose objectName is \a objectName, else undefined. */
    function getComponent(objectName) {
        for (var i = 0; i < entity.children.length; ++i) {
            if (entity.children[i].objectName === objectName)
                return entity.children[i]
        }
        for (var j = 0; j < entity.resources.length; ++j) {
            if (entity.resources[j] && entity.resources[j].objectName === objectName)
                return entity.resources[j]
        }
        return undefined
    }

    /*! Returns whether \a type is the entity's type or its variation type. */
    function isOfType(type) {
        return type === entityType || (variationType !== "" && type === variationType)
    }

    /*! Removes the entity through its manager (pooling it when pooling applies). */
    function removeEntity() {
        if (!__entityManager) {
            console.warn("WARNING: EntityBase: no entityManager found, cannot remove entity", entityId)
            return
        }
        __entityManager.removeEntityById(entityId)
    }

    // Names that must keep following their bindings or the manager.
    readonly property var __unsnapshotted: ["objectName", "entityId", "entityType", "variationType",
        "collidersActive", "__defaultProperties", "__entityManager", "__entityManagerDestroyed",
        "activeFocus", "activeFocusOnTab", "focus", "parent", "state"]

    function __isColor(value) {
        return value !== null && typeof value === "object" && value.hsvHue !== undefined && value.a !== undefined
    }

    function __snapshot(object) {
        var values = {}
        for (var name in object) {
            if (__unsnapshotted.indexOf(name) >= 0)
                continue
            var value
            try {
                value = object[name]
            } catch (e) {
                continue
            }
            var kind = typeof value
            // Only plain values and colours are copied: other objects would be live references.
            if (kind === "number" || kind === "string" || kind === "boolean")
                values[name] = value
            else if (__isColor(value))
                values[name] = Qt.rgba(value.r, value.g, value.b, value.a)
        }
        return values
    }

    function __saveRecursively(object) {
        __defaultProperties.push({ object: object, values: __snapshot(object) })
        var children = object.children
        if (!children)
            return
        for (var i = 0; i < children.length; ++i)
            __saveRecursively(children[i])
    }

    /*!
        Appends a snapshot of the plain (number, text, boolean, colour) properties of \a object
        and of all its descendants, to be restored by resetDefaultProperties().
    */
    function saveProperties(object) {
        if (!object)
            return
        if (!__defaultProperties)
            __defaultProperties = []
        __saveRecursively(object)
    }

    /*!
        Assigns every value stored by saveProperties() back where it changed. The
        entity's own \c visible is left alone: while pooling, the manager decides it.
    */
    function resetDefaultProperties() {
        if (!__defaultProperties)
            return
        for (var i = 0; i < __defaultProperties.length; ++i) {
            var record = __defaultProperties[i]
            if (!record.object)
                continue
            for (var name in record.values) {
                if (record.object === entity && name === "visible")
                    continue
                var current = record.object[name]
                var stored = record.values[name]
                if (current === stored || (__isColor(stored) && __isColor(current) && Qt.colorEqual(current, stored)))
                    continue
                try {
                    record.object[name] = stored
                } catch (e) {
                    console.warn("WARNING: EntityBase: could not reset property", name, "-", e)
                }
            }
        }
    }

    Component.onCompleted: {
        if (entityType === "UNDEFINED_ENTITY_TYPE")
            console.debug("EntityBase: the entity", entityId, "has no entityType, set one to find, pool and store it")
        __entityManager = typeof entityManager !== "undefined" && entityManager ? entityManager : null
        if (__entityManager)
            __entityManager.addEntityIfNotRegistered(entity)
        entityCreated()
    }

    Component.onDestruction: {
        entityDestroyed()
        if (__entityManager && !__entityManagerDestroyed)
            __entityManager.removeEntityIfDefinedInQmlFiles(entityId, entity)
    }

    Connections {
        target: entity.__entityManager
        function onEntityManagerDestroyed() { entity.__entityManagerDestroyed = true }
    }
}
