import QtQuick 2.0
import QtTest 1.2

// The slot machine example keeps spinning, landing a lucky spin on sevens,
// typing its result and steering the ship to the flag.
TestCase {
    name: "SlotMachineExample"
    when: windowShown

    SignalSpy { id: reachedSpy; signalName: "targetReached" }
    SignalSpy { id: endedSpy; signalName: "spinEnded" }

    function test_luckySpinTypesResultAndShipFollowsFlag() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/slotmachine/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        var scene = window.activeScene
        var machine = findChild(scene, "slotMachine")
        var message = findChild(scene, "message")
        var steering = findChild(scene, "steering")
        endedSpy.target = machine
        reachedSpy.target = steering
        tryCompare(message, "text", "Press SPIN, or LUCKY for sevens.", 5000)

        mouseClick(findChild(scene, "buttonLUCKY"))
        verify(machine.spinning)
        tryCompare(endedSpy, "count", 1, 10000)
        for (var k = 0; k < 3; ++k)
            compare(machine.getItemData(k, 1).type, "seven")
        tryCompare(message, "text", "Three of a kind: seven!", 5000)

        // The flag moved when the spin ended; the ship turns, drives to it and stops there.
        var flag = findChild(scene, "flag")
        verify(flag.x !== 420 || flag.y !== 260)
        tryVerify(function () { return steering.distanceToTarget > 0 && steering.distanceToTarget < 20 }, 15000)
        tryCompare(steering, "outputYAxis", 0)
        verify(reachedSpy.count > 0)

        mouseClick(findChild(scene, "buttonSPIN"))
        tryCompare(endedSpy, "count", 2, 10000)
        window.close()
        window.destroy()
    }
}
