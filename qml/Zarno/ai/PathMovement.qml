import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype PathMovement
    \inqmlmodule Zarno
    \brief Moves its owning entity along waypoints at a constant speed, turning it to face each leg.

    Place it inside an \l EntityBase. With \l loops other than 1 the last
    waypoint leads back to the first. While stopped, the entity keeps its
    place; starting again goes on towards the same waypoint at the same speed.

    \qml
    EntityBase {
        entityType: "guard"
        PathMovement {
            velocity: 120
            loops: -2                       // forever
            waypoints: [ Qt.point(0, 0), Qt.point(200, 0), Qt.point(200, 100) ]
            onWaypointReached: console.log("at", waypointIndex)
        }
    }
    \endqml
*/
ComponentBase {
    id: movement

    /*! Speed along the path in scene units per second. */
    property real velocity: 100
    /*! The path: a list of points (or objects with x and y). */
    property var waypoints
    /*! Sum of the leg durations in milliseconds. */
    property int completePathAnimationDuration: 0
    /*! Milliseconds for turning towards a new leg. */
    property int rotationAnimationDuration: 200
    /*! Whether the entity turns towards each leg. */
    property bool rotationAnimationEnabled: true
    /*! Whether the entity moves. */
    property bool running: true
    /*! Pauses the movement and turning animations. */
    property bool paused: false
    /*! Number of passes; -2 repeats forever. */
    property int loops: 1
    /*! Declared for compatibility; not read. */
    property bool posAnimationEnabled: true
    /*! Index of the waypoint the entity last left or reached. */
    property int currentWaypointIndex: 0

    /*! Emitted when the last pass reaches the last waypoint. */
    signal pathCompleted()
    /*! Emitted when the entity reaches a waypoint, with the waypoint's index. */
    signal waypointReached(int waypointIndex)

    /*! Starts moving. */
    function start() { running = true }
    /*! Stops moving; the entity keeps its place. */
    function stop() { running = false }

    /*! Stops and puts the entity back on the first waypoint, ready for the first leg. */
    function reset() {
        __stopAnimations()
        currentWaypointIndex = 0
        __loopCount = 0
        running = false
        if (!__hasWaypoints()) {
            console.warn("WARNING: PathMovementFast: no waypoints were defined, and reset() is called - thus no animation can be started!")
            return
        }
        __placeOnFirstWaypoint()
        __prepareLeg()
    }

    property var __legs: []
    property int __loopCount: 0
    property bool __stopping: false
    property bool __completed: false

    function __hasWaypoints() {
        return waypoints !== undefined && waypoints !== null && waypoints.length > 0
    }

    function __stopAnimations() {
        __stopping = true
        xAnimation.stop()
        yAnimation.stop()
        rotationAnimation.stop()
        __stopping = false
    }

    function __placeOnFirstWaypoint() {
        if (!owningEntity)
            return
        owningEntity.x = waypoints[0].x
        owningEntity.y = waypoints[0].y
    }

    function __setUp() {
        if (!__hasWaypoints()) {
            console.warn("WARNING: PathMovementFast: no waypoints were defined - thus no animation can be started!")
            return
        }
        __stopAnimations()
        currentWaypointIndex = 0
        __loopCount = 0
        var legs = []
        var total = 0
        var count = waypoints.length
        var legCount = loops === 1 ? count - 1 : count
        for (var i = 0; i < legCount; ++i) {
            var from = waypoints[i]
            var to = waypoints[(i + 1) % count]
            var dx = to.x - from.x
            var dy = to.y - from.y
            var distance = Math.sqrt(dx * dx + dy * dy)
            var duration = velocity > 0 ? Math.round(1000 * distance / velocity) : 0
            legs.push({ distance: distance, duration: duration, rotation: Math.atan2(dy, dx) * 180 / Math.PI })
            total += duration
        }
        __legs = legs
        completePathAnimationDuration = total
        __placeOnFirstWaypoint()
        __prepareLeg()
        if (running)
            __startAnimations()
    }

    function __prepareLeg() {
        var leg = __legs[currentWaypointIndex]
        if (!leg)
            return
        var next = currentWaypointIndex + 1 < waypoints.length ? currentWaypointIndex + 1 : 0
        xAnimation.to = waypoints[next].x
        yAnimation.to = waypoints[next].y
        xAnimation.duration = leg.duration
        yAnimation.duration = leg.duration
        rotationAnimation.to = leg.rotation
    }

    // Durations follow the distance still to go, so a leg resumed after a stop keeps the speed.
    function __startAnimations() {
        if (!owningEntity || !__legs[currentWaypointIndex])
            return
        if (velocity <= 0) {
            console.warn("WARNING: PathMovement: velocity must be above 0 to move")
            return
        }
        var dx = xAnimation.to - owningEntity.x
        var dy = yAnimation.to - owningEntity.y
        var duration = Math.round(1000 * Math.sqrt(dx * dx + dy * dy) / velocity)
        xAnimation.duration = duration
        yAnimation.duration = duration
        xAnimation.restart()
        yAnimation.restart()
        if (rotationAnimationEnabled)
            rotationAnimation.restart()
        if (paused) {
            xAnimation.pause()
            yAnimation.pause()
            rotationAnimation.pause()
        }
    }

    function __animationStopped() {
        if (__stopping || xAnimation.running || yAnimation.running || !running)
            return
        __advance()
    }

    function __advance() {
        if (!__hasWaypoints()) {
            console.warn("WARNING: PathMovementFast: no waypoints were defined, and increaseWaypointIndex is called - thus no animation can be started!")
            return
        }
        var next = currentWaypointIndex + 1
        if (next === waypoints.length - 1) {
            ++__loopCount
            if (loops !== -2 && __loopCount >= loops) {
                currentWaypointIndex = next
                waypointReached(next)
                running = false
                pathCompleted()
                return
            }
        } else if (next === waypoints.length) {
            next = 0
        }
        currentWaypointIndex = next
        waypointReached(next)
        __prepareLeg()
        if (running)
            __startAnimations()
    }

    onRunningChanged: {
        if (!__completed)
            return
        if (running)
            __startAnimations()
        else
            __stopAnimations()
    }

    onPausedChanged: {
        var animations = [xAnimation, yAnimation, rotationAnimation]
        for (var i = 0; i < animations.length; ++i) {
            if (!animations[i].running)
                continue
            if (paused)
                animations[i].pause()
            else
                animations[i].resume()
        }
    }

    onWaypointsChanged: if (__completed) __setUp()

    Component.onCompleted: {
        __completed = true
        __setUp()
    }

    NumberAnimation {
        id: xAnimation
        target: movement.owningEntity
        property: "x"
        onStopped: movement.__animationStopped()
    }

    NumberAnimation {
        id: yAnimation
        target: movement.owningEntity
        property: "y"
        onStopped: movement.__animationStopped()
    }

    RotationAnimation {
        id: rotationAnimation
        target: movement.owningEntity
        property: "rotation"
        direction: RotationAnimation.Shortest
        duration: movement.rotationAnimationDuration
    }
}
