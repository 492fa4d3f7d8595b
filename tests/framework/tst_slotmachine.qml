import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// Reels of the slot machine: symbols, spin passes, stop order and timings, stopping on items.
TestCase {
    id: testCase
    name: "SlotMachine"

    readonly property string badStopAt: "SlotMachine::stopAt(): expected one whole item index per reel, the call is ignored"
    readonly property string cannotSpin: "SlotMachine: WARNING: a reel needs more items than visible rows and items higher than 0 to spin, it stays where it is"

    function numbers(count) {
        var list = []
        for (var i = 0; i < count; ++i)
            list.push(i)
        return list
    }

    Component {
        id: symbolDelegate
        Rectangle {
            width: 40
            height: 100
            property var entry: modelData
        }
    }

    Component {
        id: machineComponent
        SlotMachine {
            id: machine
            reelCount: 3
            spinVelocity: 5000
            delegate: symbolDelegate
            model: testCase.numbers(20)
            property var events: []
            property var clock: new Date()
            function log(what) { events.push({ what: what, at: new Date() - clock }) }
            onSpinStarted: log("start")
            onReelStopped: log("reel " + index)
            onSpinEnded: log("end")
        }
    }

    Component { id: sizelessDelegate; Rectangle { } }
    Component { id: modelComponent; SlotMachineModel { } }
    Component { id: reelComponent; SlotMachineReel { } }
    Component { id: notAReel; QtObject { } }

    function createMachine(properties) {
        var machine = createTemporaryObject(machineComponent, testCase, properties || {})
        verify(machine)
        return machine
    }

    // Times here are wall-clock times. A busy machine may hold this thread (which runs the
    // animations) for a while: events may come late by up to the longest such stall, so
    // upper bounds allow it. A timer ticking every 5 ms sees the stalls.
    property real longestStall: 0
    property var lastTick: null
    Timer {
        id: stallWatch
        interval: 5
        repeat: true
        onTriggered: {
            var now = new Date()
            if (testCase.lastTick)
                testCase.longestStall = Math.max(testCase.longestStall, now - testCase.lastTick)
            testCase.lastTick = now
        }
    }
    function watchStalls() {
        longestStall = 0
        lastTick = null
        stallWatch.restart()
    }
    function cleanup() {
        stallWatch.stop()
    }

    function eventNames(machine) {
        return machine.events.map(function (e) { return e.what })
    }

    function test_symbolModel_data() {
        return [
            { tag: "frequencies in map order", symbols: { A: { frequency: 3 }, B: 1 }, shuffle: false, types: ["A", "A", "A", "B"] },
            { tag: "plain values count once", symbols: { seven: "x", bell: { frequency: 2, data: 5 } }, shuffle: false, types: ["seven", "bell", "bell"] },
            { tag: "shuffled keeps every symbol", symbols: { A: { frequency: 3 }, B: { frequency: 2 } }, shuffle: true, types: ["A", "A", "A", "B", "B"] }
        ]
    }

    function test_symbolModel(data) {
        var model = createTemporaryObject(modelComponent, testCase, { symbols: data.symbols, shuffle: data.shuffle })
        var machine = createMachine({ model: model, reelCount: 1 })
        var entries = machine.getModel(0)
        var types = entries.map(function (e) { return e.type })
        if (data.shuffle)
            types.sort()
        compare(types, data.types)
        compare(machine.getReel(0).__container.items.length, data.types.length)
        if (data.tag === "plain values count once")
            compare(entries[1].data, 5)
        // Items without their own size take the reel's width and the row height.
        compare(machine.height, 3 * 100)
        compare(machine.width, 40)
    }

    function test_onePassMovesAllButTheVisibleRows() {
        var machine = createMachine({ reelCount: 1 })
        var reel = machine.getReel(0).__container
        compare(reel.firstItemIndex, 0)
        compare(machine.getItemData(0, 1), 1)
        watchStalls()
        var started = new Date()
        machine.spin()
        verify(machine.spinning)
        // 1700 units at 5000 per second: 340 ms, after which item 3 is in the top row.
        tryVerify(function () { return reel.firstItemIndex !== 0 }, 2000)
        var elapsed = new Date() - started
        compare(reel.firstItemIndex, 3)
        verify(elapsed >= 320 && elapsed < 600 + 2 * longestStall, elapsed + " (longest stall " + longestStall + ")")
        tryVerify(function () { return reel.firstItemIndex === 6 }, 2000)
        machine.stop()
        tryVerify(function () { return !machine.spinning }, 2000)
    }

    function test_stopEndsReelsOneAfterAnother() {
        var machine = createMachine()
        machine.spin()
        wait(120)
        watchStalls()
        machine.clock = new Date()
        machine.stop()
        verify(machine.stopping)
        tryVerify(function () { return !machine.spinning }, 3000)
        compare(eventNames(machine), ["start", "reel 0", "reel 1", "reel 2", "end"])
        // Each reel runs to its next boundary (at most 20 ms) and settles in 70 ms.
        var at = machine.events.map(function (e) { return e.at })
        var late = 2 * longestStall
        verify(at[1] >= 60 && at[1] < 200 + late, "first reel " + at[1] + " (longest stall " + longestStall + ")")
        for (var k = 2; k <= 3; ++k) {
            // A late stop shortens the gap to the next one as much as it lengthens its own.
            var gap = at[k] - at[k - 1]
            verify(gap > 250 - 20 - 40 - late && gap < 250 + 20 + 80 + late,
                   "gap " + gap + " (longest stall " + longestStall + ")")
        }
        verify(!machine.stopping)
        for (var r = 0; r < 3; ++r) {
            verify(machine.getItem(r, 0).y === 0 && machine.getItem(r, 1).y === 100, "reel " + r + " rests on a boundary")
        }
    }

    function test_stopAtLandsOnTheGivenItems_data() {
        return [
            { tag: "inside the reel", positions: [5, 0, 7], expected: [5, 0, 7] },
            { tag: "wrapped round", positions: [-1, 21, 19], expected: [19, 1, 19] }
        ]
    }

    function test_stopAtLandsOnTheGivenItems(data) {
        var machine = createMachine()
        machine.spin()
        wait(50)
        machine.clock = new Date()
        machine.stopAt(data.positions)
        verify(machine.stopping)
        tryVerify(function () { return !machine.spinning }, 5000)
        compare(eventNames(machine), ["start", "reel 0", "reel 1", "reel 2", "end"])
        for (var r = 0; r < 3; ++r) {
            compare(machine.getItemIndex(r, 0), data.expected[r])
            compare(machine.getItemData(r, 0), data.expected[r])
            compare(machine.getItem(r, 0).y, 0)
        }
        // Each later reel waits at least the stop delay after the one before.
        for (var k = 2; k <= 3; ++k)
            verify(machine.events[k].at - machine.events[k - 1].at >= 250 - 20, machine.events[k].at - machine.events[k - 1].at)
    }

    function test_badStopAtListsAreIgnored_data() {
        return [
            { tag: "too few", positions: [5, 0] },
            { tag: "too many", positions: [1, 2, 3, 4] },
            { tag: "not a list", positions: "1,2,3" },
            { tag: "no list", positions: undefined },
            { tag: "not a number", positions: [1, "x", 2] },
            { tag: "not whole", positions: [1, 2.5, 2] },
            { tag: "not finite", positions: [1, NaN, 2] }
        ]
    }

    function test_badStopAtListsAreIgnored(data) {
        var machine = createMachine()
        machine.spin()
        ignoreWarning(badStopAt)
        machine.stopAt(data.positions)
        verify(machine.spinning)
        verify(!machine.stopping)
        machine.stop()
        tryVerify(function () { return !machine.spinning }, 3000)
    }

    function test_spinAndStopAreIgnoredWhenBusy() {
        var machine = createMachine()
        machine.stop()
        machine.stopAt([1, 2, 3])
        verify(!machine.stopping)
        machine.spin(150)
        machine.spin()
        compare(eventNames(machine), ["start"])
        // The interval stops the machine by itself.
        tryVerify(function () { return machine.stopping }, 2000)
        machine.spin()
        machine.stopAt([1, 2, 3])
        tryVerify(function () { return !machine.spinning }, 3000)
        compare(eventNames(machine), ["start", "reel 0", "reel 1", "reel 2", "end"])
    }

    function test_reelsThatCannotSpinStillStop_data() {
        return [
            { tag: "no more items than rows", model: 3, itemHeight: 100 },
            { tag: "items of height 0", model: 20, itemHeight: 0 }
        ]
    }

    function test_reelsThatCannotSpinStillStop(data) {
        var machine = createMachine({ reelCount: 1, model: testCase.numbers(data.model) })
        if (data.itemHeight === 0) {
            machine.defaultItemHeight = 0
            machine.getItem(0, 0).height = 0
        }
        ignoreWarning(cannotSpin)
        machine.spin()
        compare(machine.getItem(0, 0).y, 0)
        machine.stop()
        tryVerify(function () { return !machine.spinning }, 1000)
        compare(eventNames(machine), ["start", "reel 0", "end"])
    }

    function test_reelsAreAddedAndRemoved() {
        var machine = createMachine({ reelCount: 0 })
        // Without declared reels and without a count there are three.
        compare(machine.reelCount, 3)
        compare(machine.width, 120)
        machine.reelCount = 1
        compare(machine.getReel(1), null)
        compare(machine.width, 40)

        var other = createMachine({ reelCount: 1 })
        ignoreWarning("SlotMachine::insertReel(): you cannot add a reel to multiple SlotMachines")
        compare(machine.addReel(other.getReel(0)), null)
        ignoreWarning("SlotMachine::insertReel(): invalid argument")
        compare(machine.insertReel(5, reelComponent), null)
        ignoreWarning("SlotMachine::insertReel(): invalid argument")
        compare(machine.addReel(notAReel), null)
        compare(machine.reelCount, 1)

        machine.spin()
        var wide = machine.insertReel(0, reelComponent)
        wide.width = 60
        compare(machine.reelCount, 2)
        compare(machine.getReel(0), wide)
        compare(machine.width, 100)
        compare(machine.getReel(1).__container.x, 60)
        // A reel that joins a spinning machine spins too, and takes part in the stop.
        verify(wide.__container.spinning)
        machine.stop()
        tryVerify(function () { return !machine.spinning }, 3000)
        compare(eventNames(machine), ["start", "reel 0", "reel 1", "end"])
    }

    function test_setFirstItemIndex() {
        var machine = createMachine({ reelCount: 2 })
        machine.setFirstItemIndex(0, 12)
        compare(machine.getItemIndex(0, 0), 12)
        compare(machine.getItemIndex(0, 2), 14)
        compare(machine.getItem(0, 2).y, 200)
        compare(machine.getItemIndex(3, 0), null)
        machine.spin()
        machine.setFirstItemIndex(0, 4)
        tryVerify(function () { return machine.getItemIndex(0, 0) === 7 }, 2000)

        // While stopping, a reel that is told where to be ends there at once,
        // even before its own stop is due; new symbols end a stopping reel where it is.
        machine.stop()
        machine.setFirstItemIndex(1, 9)
        compare(eventNames(machine), ["start", "reel 0"])
        compare(machine.getItemIndex(1, 0), 9)
        machine.updateModel(0)
        tryVerify(function () { return !machine.spinning }, 3000)
        compare(eventNames(machine), ["start", "reel 0", "reel 1", "end"])
        compare(machine.getItemIndex(1, 0), 9)
    }

    function test_itemHeightChangeWhileSpinning() {
        var machine = createMachine({ reelCount: 1, delegate: sizelessDelegate, defaultItemHeight: 100 })
        machine.spin()
        wait(100)
        // Items bound to the row height shrink: the loop is laid out again at once and keeps spinning.
        machine.defaultItemHeight = 50
        compare(machine.height, 150)
        compare(machine.getItem(0, 1).y, 50)
        var top = machine.getItemIndex(0, 0)
        tryVerify(function () { return machine.getItemIndex(0, 0) !== top }, 2000)
        machine.stop()
        tryVerify(function () { return !machine.spinning }, 3000)
        compare(machine.getItem(0, 2).y, 100)
    }
}
