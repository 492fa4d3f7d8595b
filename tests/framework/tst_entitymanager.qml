import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "EntityManager"
    when: windowShown
    // Stored entities must be visible, so the container is shown.
    visible: true

    readonly property url enemyUrl: Qt.resolvedUrl("data/PooledEnemy.qml")

    Item {
        id: container
    }

    EntityManager {
        id: entityManager
        entityContainer: container
        poolingEnabled: true
    }

    Component {
        id: plainEntity
        EntityBase {
            entityType: "box"
            property int weight: 1
            property string label: "box"
            property bool solid: true
        }
    }

    Component {
        id: fastEnemy
        EntityBase {
            entityType: "enemy"
            variationType: "fast"
        }
    }

    function cleanup() {
        entityManager.removeAllEntities()
        entityManager.removeAllPooledEntities()
        wait(0)   // deferred destruction
        compare(entityManager.getEntityArrayByType("box").length, 0)
    }

    function test_generatedIds_data() {
        return [
            { tag: "id taken once", live: 0, properties: { entityId: "a" }, second: { entityId: "a" }, expected: "a_" },
            { tag: "type only", live: 3, properties: { entityType: "enemy" }, expected: "enemy_3" },
            { tag: "type and variation", live: 3, properties: { entityType: "enemy", variationType: "fast" }, expected: "enemy_fast_3" },
            // box_0 removed, one entity live: box_1 is taken.
            { tag: "generated id taken", live: 2, removeFirst: true, properties: {}, expected: "box_1_" },
        ]
    }

    function test_generatedIds(data) {
        for (var i = 0; i < data.live; ++i)
            entityManager.createEntityFromComponent(plainEntity)
        if (data.removeFirst)
            entityManager.removeEntityById("box_0")
        if (data.second) {
            compare(entityManager.createEntityFromComponentWithProperties(plainEntity, data.properties), "a")
            ignoreWarning("WARNING: EntityManager: an entity wants to be created which id is already assigned to another entity - following entityId: a")
            data.properties = data.second
        }
        var id = entityManager.createEntityFromComponentWithProperties(plainEntity, data.properties)
        compare(id, data.expected)
        compare(entityManager.getEntityById(id).objectName, data.expected)
    }

    function test_removedEntityComesBackFromPool() {
        var firstId = entityManager.createEntityFromUrlWithProperties(enemyUrl, { x: 5 })
        var enemy = entityManager.getEntityById(firstId)
        compare(firstId, "enemy_0")
        enemy.health = 3
        enemy.getComponent("body").color = "blue"

        entityManager.removeEntityById(firstId)
        compare(enemy.visible, false)
        compare(entityManager.getEntityById(firstId), undefined)
        compare(entityManager.getPooledEntityArrayByType("enemy"), [enemy])
        compare(enemy.health, 10, "reset by its movedToPool handler")
        verify(Qt.colorEqual(enemy.getComponent("body").color, "red"))

        enemy.events = []
        entityManager.createEntityFromComponent(plainEntity)
        var secondId = entityManager.createEntityFromUrlWithProperties(enemyUrl, { x: 50 })
        compare(entityManager.getEntityById(secondId), enemy, "the same object is reused")
        compare(secondId, "enemy_1")
        compare(enemy.events, ["usedFromPool:false", "entityCreated:true"])
        compare(enemy.visible, true)
        compare(enemy.x, 50)
        compare(entityManager.getPooledEntityArrayByType("enemy").length, 0)
        compare(entityManager.getLastAddedEntity(), enemy)
    }

    function test_removalWithoutPooling_data() {
        return [
            { tag: "entity not poolable", managerPools: true, entityPools: false },
            { tag: "manager not pooling", managerPools: false, entityPools: true },
        ]
    }

    function test_removalWithoutPooling(data) {
        entityManager.poolingEnabled = data.managerPools
        var id = entityManager.createEntityFromUrlWithProperties(enemyUrl, { poolingEnabled: data.entityPools })
        var destroyed = false
        entityManager.getEntityById(id).entityDestroyed.connect(function () { destroyed = true })
        entityManager.removeEntityById(id)
        entityManager.poolingEnabled = true
        compare(entityManager.getPooledEntityArrayByType("enemy").length, 0)
        tryVerify(function () { return destroyed })
        compare(container.children.length, 0)
    }

    function test_switchingPoolingOffDestroysThePool() {
        entityManager.createPooledEntitiesFromUrl(enemyUrl, 3)
        compare(entityManager.getPooledEntityArrayByType("enemy").length, 3)
        compare(entityManager.getEntityArrayByType("enemy").length, 0)
        entityManager.poolingEnabled = false
        entityManager.poolingEnabled = true
        compare(entityManager.getPooledEntityArrayByType("enemy").length, 0)
        tryCompare(container.children, "length", 0)
    }

    function test_pooledEntityDestroyedFromOutsideIsNotReused() {
        entityManager.createPooledEntitiesFromUrl(enemyUrl, 1)
        entityManager.getPooledEntityArrayByType("enemy")[0].destroy()
        wait(0)
        compare(entityManager.getPooledEntityArrayByType("enemy").length, 0)
        var id = entityManager.createEntityFromUrl(enemyUrl)
        compare(entityManager.getEntityById(id).visible, true)
    }

    function test_findAndRemoveByType() {
        var fast = entityManager.createEntityFromComponent(fastEnemy)
        var slow = entityManager.createEntityFromUrl(enemyUrl)
        var box = entityManager.createEntityFromComponent(plainEntity)
        compare(entityManager.getEntityArrayByType("fast").map(function (e) { return e.entityId }), [fast])
        compare(entityManager.getEntityArrayByType("enemy").map(function (e) { return e.entityId }), [fast, slow])
        entityManager.removeEntitiesByFilter(["fast", "box"])
        compare(entityManager.getEntityById(fast), undefined)
        compare(entityManager.getEntityById(box), undefined)
        verify(entityManager.getEntityById(slow))
        ignoreWarning("WARNING: EntityManager: entity to remove could not be found with id: " + box)
        entityManager.removeEntityById(box)
        entityManager.removeLastAddedEntity()
        compare(entityManager.getEntityById(slow), undefined)
    }

    function test_createByLearnedType() {
        entityManager.createEntityFromComponent(plainEntity)
        entityManager.createEntityFromComponent(fastEnemy)
        var boxId = entityManager.createEntityFromEntityTypeAndVariationType({ entityType: "box", weight: 7 })
        compare(entityManager.getEntityById(boxId).weight, 7)
        // An unknown variation falls back to a known variation of the type.
        var enemyId = entityManager.createEntityFromEntityTypeAndVariationType({ entityType: "enemy", variationType: "slow" })
        compare(entityManager.getEntityById(enemyId).variationType, "slow")
        ignoreWarning(/ERROR: EntityManager: no entityType value is contained in the properties of createEntityWithProperties\(\).*/)
        compare(entityManager.createEntityFromEntityTypeAndVariationType({}), undefined)
        ignoreWarning(/ERROR: EntityManager: no entity of type ghost .*/)
        compare(entityManager.createEntityFromEntityTypeAndVariationType({ entityType: "ghost" }), undefined)
    }

    function test_protectedEntitySurvivesAndIsNotStored() {
        var kept = entityManager.createEntityFromComponentWithProperties(plainEntity, { preventFromRemovalFromEntityManager: true })
        var other = entityManager.createEntityFromComponent(plainEntity)
        ignoreWarning(/WARNING: EntityManager: the entity box_0 has preventFromRemovalFromEntityManager set.*/)
        entityManager.removeAllEntities()
        verify(entityManager.getEntityById(kept))
        compare(entityManager.getEntityById(other), undefined)
        compare(entityManager.storeEntitiesAsJson(), {})
        entityManager.getEntityById(kept).preventFromRemovalFromEntityManager = false
    }

    function test_storeKeepsFalsyValues() {
        var id = entityManager.createEntityFromComponentWithProperties(plainEntity,
                     { x: 0, y: 12, weight: 0, label: "", solid: false, toStoreProperties: ["weight"] })
        entityManager.createEntityFromComponentWithProperties(plainEntity, { visible: false })
        entityManager.createEntityFromComponent(fastEnemy)
        var stored = entityManager.storeEntitiesAsJsonWithProperties(["box"], ["label", "solid", "missing"])
        compare(Object.keys(stored), [id])
        compare(stored[id], { entityId: id, entityType: "box", variationType: "", x: 0, y: 12, rotation: 0,
                              weight: 0, label: "", solid: false })
        compare(Object.keys(entityManager.storeEntitiesAsJson()).length, 2)
    }

    function test_noContainer() {
        var changedLate = /WARNING: EntityManager: entityContainer changed after the initialization.*/
        ignoreWarning(changedLate)
        entityManager.entityContainer = null
        ignoreWarning(/ERROR: EntityManger: no valid enitityContainer defined, cannot create this entity!.*/)
        compare(entityManager.createEntityFromComponent(plainEntity), undefined)
        ignoreWarning(/ERROR: failed to create sprite from url: .*missing\.qml.*/)
        compare(entityManager.createEntityFromUrl(Qt.resolvedUrl("data/missing.qml")), undefined)
        ignoreWarning(changedLate)
        entityManager.entityContainer = container
    }

    Component {
        id: documentWithEntities
        Item {
            property alias manager: localManager
            Item { id: localContainer }
            EntityManager { id: localManager; entityContainer: localContainer; poolingEnabled: true
                            dynamicCreationEntityList: [testCase.enemyUrl, plainEntity, 3] }
            // Named like the game's manager so that the entity finds it.
            property QtObject entityManager: localManager
            EntityBase { entityType: "tree" }
        }
    }

    function test_entitiesDeclaredInDocuments() {
        ignoreWarning("ERROR: EntityManager: entry 2 of dynamicCreationEntityList has the unusable type number")
        var holder = createTemporaryObject(documentWithEntities, container)
        var manager = holder.manager
        compare(manager.initialized, true)
        compare(manager.getEntityArrayByType("tree").length, 1)
        compare(manager.getEntityArrayByType("tree")[0].entityId, "tree_0")
        compare(manager.getPooledEntityArrayByType("enemy").length, 1)
        compare(manager.getPooledEntityArrayByType("box").length, 0, "not poolable")
        var pooled = manager.getPooledEntityArrayByType("enemy")[0]
        var tree = manager.getEntityArrayByType("tree")[0]
        tree.destroy()
        wait(0)
        compare(manager.getEntityArrayByType("tree").length, 0)
        // The pool goes with its manager.
        holder.destroy()
        tryVerify(function () { return pooled === null || !pooled.parent }, 1000)
    }
}
