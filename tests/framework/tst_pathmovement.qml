import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "PathMovement"

    Component {
        id: walker
        EntityBase {
            property alias movement: movement
            property var reached: []
            property int completed: 0
            entityType: "walker"
            PathMovement {
                id: movement
                velocity: 1000
                waypoints: [Qt.point(0, 0), Qt.point(100, 0), Qt.point(100, 100)]
                rotationAnimationDuration: 20
                onWaypointReached: reached.push(waypointIndex)
                onPathCompleted: ++completed
            }
        }
    }

    function test_runsThePathOnce() {
        var entity = createTemporaryObject(walker, testCase)
        compare(entity.movement.completePathAnimationDuration, 200)
        tryCompare(entity, "completed", 1, 2000)
        compare(entity.reached, [1, 2])
        compare(entity.movement.running, false)
        compare(entity.movement.currentWaypointIndex, 2)
        compare(Qt.point(entity.x, entity.y), Qt.point(100, 100))
        compare(entity.rotation, 90, "faces down the last leg")
    }

    function test_loopsForever() {
        var entity = createTemporaryObject(walker, testCase, { })
        entity.movement.loops = -2
        entity.movement.waypoints = [Qt.point(0, 0), Qt.point(100, 0), Qt.point(100, 100)]
        compare(entity.movement.completePathAnimationDuration, 200 + 141)
        tryVerify(function () { return entity.reached.length >= 5 }, 3000)
        compare(entity.reached.slice(0, 5), [1, 2, 0, 1, 2])
        compare(entity.completed, 0)
        compare(entity.movement.running, true)
    }

    function test_stopKeepsPlaceAndSpeed() {
        var entity = createTemporaryObject(walker, testCase)
        entity.movement.velocity = 200      // 500 ms per leg
        entity.movement.reset()
        compare(Qt.point(entity.x, entity.y), Qt.point(0, 0))
        entity.movement.start()
        tryVerify(function () { return entity.x > 20 })
        entity.movement.stop()
        var stoppedAt = entity.x
        wait(100)
        compare(entity.x, stoppedAt)
        compare(entity.reached, [])
        entity.movement.start()
        tryCompare(entity, "completed", 1, 3000)
        compare(entity.reached, [1, 2])
    }

    function test_pausedHoldsTheEntity() {
        var entity = createTemporaryObject(walker, testCase)
        entity.movement.velocity = 200
        entity.movement.reset()
        entity.movement.start()
        tryVerify(function () { return entity.x > 10 })
        entity.movement.paused = true
        var pausedAt = entity.x
        wait(100)
        compare(entity.x, pausedAt)
        entity.movement.paused = false
        tryCompare(entity, "completed", 1, 3000)
    }

    function test_noWaypoints() {
        var entity = createTemporaryObject(walker, testCase)
        ignoreWarning("WARNING: PathMovementFast: no waypoints were defined - thus no animation can be started!")
        entity.movement.waypoints = []
        ignoreWarning("WARNING: PathMovementFast: no waypoints were defined, and reset() is called - thus no animation can be started!")
        entity.movement.reset()
    }
}
