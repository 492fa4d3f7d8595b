import QtQuick 2.0
import "EntityManager.js" as Logic

/*!
    \qmltype EntityManager
    \inqmlmodule Zarno
    \brief Keeps the register of live entities: creates, finds, removes, pools and stores them.

    Declare one manager with the id \c entityManager where every entity can see
    it. Entities are created inside \l entityContainer. Functions that create
    return the new entity's id, not the entity. Pass document URLs absolute
    (\c Qt.resolvedUrl()), since they are resolved by the manager, not by the caller.

    \qml
    Scene {
        id: scene
        EntityManager {
            id: entityManager
            entityContainer: scene
            poolingEnabled: true
        }
        function dropCoin() {
            var id = entityManager.createEntityFromUrlWithProperties(Qt.resolvedUrl("Coin.qml"), { x: 100 })
            entityManager.removeEntityById(id)   // hidden in the pool, reused by the next coin
        }
    }
    \endqml
*/
QtObject {
    id: manager

    /*! The parent item of every entity the manager creates; it must itself have a parent. */
    property Item entityContainer
    /*! Pooling switch for the whole manager; switching it off destroys the pooled entities. */
    property bool poolingEnabled: false
    /*! Components or URLs of which one entity each is created and pooled at initialisation. */
    property var dynamicCreationEntityList
    /*! Whether the initialisation has run (a usable entityContainer was known). */
    property bool initialized: false

    /*! Emitted when the manager is destroyed; entities destroyed later leave the register alone. */
    signal entityManagerDestroyed()

    property bool __completed: false

    /*! Creates an entity from the document at \a url; returns its id, or undefined. */
    function createEntityFromUrl(url) {
        return Logic.createFromUrl(manager, url, {})
    }

    /*! Creates an entity from the document at \a url with the initial \a properties; returns its id. */
    function createEntityFromUrlWithProperties(url, properties) {
        return Logic.createFromUrl(manager, url, properties || {})
    }

    /*! Creates an entity from \a component; returns its id, or undefined. */
    function createEntityFromComponent(component) {
        return Logic.createFromComponent(manager, component, {})
    }

    /*! Creates an entity from \a component with the initial \a properties; returns its id. */
    function createEntityFromComponentWithProperties(component, properties) {
        return Logic.createFromComponent(manager, component, properties || {})
    }

    /*!
        Creates an entity with the initial \a properties from the component learned for
        their \c entityType (and \c variationType when given); returns its id, or undefined.
    */
    function createEntityFromEntityTypeAndVariationType(properties) {
        return Logic.createByType(manager, properties)
    }

    /*! Creates \a amount invisible entities from \a url and removes them at once, filling the pool. */
    function createPooledEntitiesFromUrl(url, amount) {
        Logic.createPooled(manager, Logic.createFromUrl, url, amount)
    }

    /*! Creates \a amount invisible entities from \a component and removes them at once, filling the pool. */
    function createPooledEntitiesFromComponent(component, amount) {
        Logic.createPooled(manager, Logic.createFromComponent, component, amount)
    }

    /*! Registers \a entity unless its id is registered already; used by EntityBase. */
    function addEntityIfNotRegistered(entity) {
        Logic.addEntityIfNotRegistered(entity)
    }

    /*! Forgets \a entity if it is registered under \a entityId; used by EntityBase on destruction. */
    function removeEntityIfDefinedInQmlFiles(entityId, entity) {
        Logic.removeEntityIfDefinedInQmlFiles(entityId, entity)
    }

    /*! Returns the live entity with the id \a entityId, or undefined. */
    function getEntityById(entityId) {
        return Logic.getEntityById(entityId)
    }

    /*! Returns the entity registered last, or undefined. */
    function getLastAddedEntity() {
        return Logic.entities.length > 0 ? Logic.entities[Logic.entities.length - 1] : undefined
    }

    /*! Returns the live entities whose type or variation type is \a type, in registration order. */
    function getEntityArrayByType(type) {
        return Logic.getEntityArrayByType(type)
    }

    /*! Returns the pooled entities of the entity type \a type, oldest first. */
    function getPooledEntityArrayByType(type) {
        return Logic.getPooledEntityArrayByType(type)
    }

    /*! Removes the entity with the id \a entityId: pools it when pooling applies, else destroys it. */
    function removeEntityById(entityId) {
        Logic.removeById(manager, entityId)
    }

    /*! Removes the entity registered last. */
    function removeLastAddedEntity() {
        Logic.removeLast(manager)
    }

    /*! Removes every live entity whose type or variation type is one of \a types. */
    function removeEntitiesByFilter(types) {
        Logic.removeByFilter(manager, types)
    }

    /*! Removes every live entity (except those protected from removal). */
    function removeAllEntities() {
        Logic.removeAll(manager)
    }

    /*! Destroys every pooled entity and empties the pools. */
    function removeAllPooledEntities() {
        Logic.removeAllPooled()
    }

    /*!
        Returns an object keyed by entity id holding \c entityId, \c entityType,
        \c variationType, \c x, \c y, \c rotation and the entity's \c toStoreProperties
        of every visible, removable entity of one of \a types (of all entities when
        \a types is not given).
    */
    function storeEntitiesAsJson(types) {
        return Logic.store(types, undefined)
    }

    /*!
        As storeEntitiesAsJson() for the entities of \a types, also storing each property
        of \a propertyNames the entity defines.
    */
    function storeEntitiesAsJsonWithProperties(types, propertyNames) {
        return Logic.store(types, propertyNames)
    }

    onPoolingEnabledChanged: if (!poolingEnabled) Logic.removeAllPooled()

    onEntityContainerChanged: {
        if (!__completed)
            return
        if (initialized) {
            console.warn("WARNING: EntityManager: entityContainer changed after the initialization, the entities created so far stay where they are")
            return
        }
        if (entityContainer && !entityContainer.parent)
            console.warn("ERROR: EntityManager: the new entityContainer has no parent, cannot create entities in it")
        Logic.initialize(manager)
    }

    Component.onCompleted: {
        __completed = true
        Logic.initialize(manager)
    }

    Component.onDestruction: {
        entityManagerDestroyed()
        // Nobody could reach the hidden entities any more.
        Logic.removeAllPooled()
    }
}
