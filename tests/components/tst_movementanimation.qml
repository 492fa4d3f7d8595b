import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Driven by the running step driver, as in the game: real frames, real time.
Item {
    id: root
    width: 400
    height: 400

    Item {
        id: row
    }

    MovementAnimation {
        id: scroll
        target: row
        property: "x"
        velocity: -1000
        minPropertyValue: -300
        property int limits: 0
        property real lowestSeen: 0
        onLimitReached: {
            lowestSeen = Math.min(lowestSeen, row.x)
            limits++
            row.x = 0
        }
    }

    Item {
        id: ball
        y: 100
        property real lowest: 100
        property real highest: 100
        onYChanged: {
            lowest = Math.min(lowest, y)
            highest = Math.max(highest, y)
        }
    }

    MovementAnimation {
        id: bounce
        target: ball
        property: "y"
        velocity: -250
        minPropertyValue: 50
        maxPropertyValue: 150
        onLimitReached: velocity = -velocity
    }

    Item {
        id: walker
    }

    MovementAnimation {
        id: walk
        target: walker
        property: "pos"
        velocity: Qt.point(100, -200)
    }

    SignalSpy {
        id: startedSpy
        target: early
        signalName: "started"
    }

    MovementAnimation {
        id: early
        target: walker
        property: "rotation"
        velocity: 90
        running: true
    }

    TestCase {
        name: "MovementAnimationRunning"
        when: windowShown

        function cleanup() {
            scroll.stop()
            bounce.stop()
            walk.stop()
        }

        function test_scrollingRowResetByHandler() {
            row.x = 0
            scroll.start()
            tryVerify(function() { return scroll.limits >= 2 }, 5000)
            // The handler always saw the clamped value, never an overshoot.
            compare(scroll.lowestSeen, -300)
            verify(row.x <= 0 && row.x >= -300)
        }

        function test_bounceStaysWithinBounds() {
            ball.y = 100
            bounce.velocity = -250
            bounce.start()
            // Reaching each bound exactly, and never beyond, shows clamping and reversal.
            tryCompare(ball, "lowest", 50, 5000)
            tryCompare(ball, "highest", 150, 5000)
            tryVerify(function() { return bounce.velocity < 0 }, 5000)
            compare(ball.lowest, 50)
        }

        function test_pointMovesBothComponents() {
            walker.x = 0
            walker.y = 0
            walk.start()
            tryVerify(function() { return walker.x >= 20 }, 5000)
            // y moves at twice the rate the other way, step for step.
            fuzzyCompare(walker.y, -2 * walker.x, 1e-6)
        }

        function test_runningFromDeclarationDoesNotEmitStarted() {
            compare(startedSpy.count, 0)
            verify(early.running)
            tryVerify(function() { return walker.rotation > 0 }, 5000)
            early.start()
            compare(startedSpy.count, 0)
            early.stop()
            early.start()
            compare(startedSpy.count, 1)
            early.stop()
        }
    }
}
