import QtQuick 2.0
import Zarno 2.0

// An enemy that is pooled and reset to its first state when it goes to the pool.
EntityBase {
    id: enemy
    entityType: "enemy"
    poolingEnabled: true
    property int health: 10
    property var events: []
    width: 20
    height: 20

    Rectangle { objectName: "body"; anchors.fill: parent; color: "red" }

    Component.onCompleted: saveProperties(enemy)
    onMovedToPool: resetDefaultProperties()
    onUsedFromPool: events.push("usedFromPool:" + visible)
    onEntityCreated: events.push("entityCreated:" + visible)
}
