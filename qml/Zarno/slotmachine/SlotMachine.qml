import QtQuick 2.0
import "private"

/*!
    \qmltype SlotMachine
    \inqmlmodule Zarno
    \brief A row of reels of symbol items that spin and stop one after another.

    Each reel is a vertical loop of items made by the delegate from the model,
    rowCount of them visible. spin() starts all reels at spinVelocity; stop()
    stops them reelStopDelay milliseconds apart wherever they are, stopAt() on
    given items. Every stop ends with a small overshoot. Reels are declared as
    SlotMachineReel children or made to match reelCount.

    \qml
    SlotMachine {
        reelCount: 3
        rowCount: 3
        defaultItemHeight: 60
        defaultReelWidth: 60
        model: SlotMachineModel { symbols: { "cherry": { frequency: 3 }, "bell": 1, "seven": 1 } }
        delegate: Text { text: modelData.type }
        onSpinEnded: console.log("top row", getItemData(0, 0).type)
        Component.onCompleted: spin(2000)
    }
    \endqml
*/
Item {
    id: slotMachine

    /*! Height of one symbol item; taken from the first item when 0. */
    property int defaultItemHeight: 0
    /*! Width of a reel without a width of its own; taken from the first reel or item when 0. */
    property int defaultReelWidth: 0
    /*! Spinning speed in units per second. */
    property int spinVelocity: 500
    /*! Milliseconds between the stops of neighbouring reels. */
    property int reelStopDelay: 250
    /*! Number of visible rows. */
    property int rowCount: 3
    /*! Number of reels; reels are added or removed (the last first) to match. */
    property int reelCount: 0
    /*! The symbol model of reels without their own: a SlotMachineModel, an array, a number or a list model. */
    property var model: null
    /*! The item delegate of reels without their own. */
    property Component delegate: null
    /*! Whether the reels spin (until the last one stopped). */
    readonly property bool spinning: __spinning
    /*! Whether the reels are being stopped. */
    readonly property bool stopping: __stopping
    /*! Anchors of the row of reels. */
    property alias reelsAnchors: reelRow.anchors
    /*! x of the row of reels; centred in the machine unless set. */
    property alias reelsX: reelRow.x
    /*! y of the row of reels; centred in the machine unless set. */
    property alias reelsY: reelRow.y

    /*! Emitted when the reels start spinning. */
    signal spinStarted()
    /*! Emitted when the last reel stopped. */
    signal spinEnded()
    /*! Emitted each time a reel stopped, with the count of reels stopped before it. */
    signal reelStopped(int index)

    property bool __spinning: false
    property bool __stopping: false
    property var __reels: []
    property int __stoppedCount: 0
    property bool __stoppingOnPositions: false
    property var __stopPositions: []
    property bool __completed: false
    property bool __syncing: false
    readonly property real __reelsWidth: __sumOfWidths(__reels)

    clip: true
    width: __reelsWidth
    height: rowCount * defaultItemHeight

    /*! Starts all reels; a positive \a stopInterval calls stop() after that many milliseconds. */
    function spin(stopInterval) {
        if (__spinning || __stopping)
            return
        __stoppedCount = 0
        __spinning = true
        for (var i = 0; i < __reels.length; ++i)
            __reels[i].__container.startSpin()
        spinStarted()
        if (stopInterval > 0) {
            stopIntervalTimer.interval = stopInterval
            stopIntervalTimer.start()
        }
    }

    /*! Stops the reels one after another wherever they are. */
    function stop() {
        if (!__spinning || __stopping)
            return
        stopIntervalTimer.stop()
        if (__reels.length === 0) {
            __finishSpin()
            return
        }
        __stopping = true
        __stoppingOnPositions = false
        var reels = __reels.slice()
        for (var i = 0; i < reels.length; ++i)
            reels[i].__container.scheduleStop(i * reelStopDelay)
    }

    /*!
        Stops the reels one after another so that each reel shows the item of
        \a stopPositions at the reel's index in its top row. A list without one
        whole number per reel is ignored with a warning.
    */
    function stopAt(stopPositions) {
        if (!__spinning || __stopping)
            return
        // Lists handed over from native code are not JavaScript arrays, so only their shape is checked.
        var valid = !!stopPositions && typeof stopPositions === "object" && stopPositions.length === __reels.length
                && __reels.length > 0
        var positions = []
        for (var i = 0; valid && i < stopPositions.length; ++i) {
            var position = stopPositions[i]
            valid = typeof position === "number" && isFinite(position) && Math.floor(position) === position
            positions.push(position)
        }
        if (!valid) {
            console.warn("SlotMachine::stopAt(): expected one whole item index per reel, the call is ignored")
            return
        }
        stopIntervalTimer.stop()
        __stopping = true
        __stoppingOnPositions = true
        __stopPositions = positions
        __reels[0].__container.stopAt(__stopPositions[0], 0)
    }

    /*! Adds \a reel (an object or a component) at the end. */
    function addReel(reel) {
        return insertReel(__reels.length, reel)
    }

    /*! Inserts \a reel (an object or a component) at \a index; returns it, or null when refused. */
    function insertReel(index, reel) {
        var made = false
        if (reel && typeof reel.createObject === "function" && reel.objectName !== "__slotMachineReel") {
            reel = reel.createObject(slotMachine)
            made = true
            if (reel && reel.objectName === "__slotMachineReel")
                reel.__madeByMachine = true
        }
        if (!reel || reel.objectName !== "__slotMachineReel" || index < 0 || index > __reels.length) {
            console.warn("SlotMachine::insertReel(): invalid argument")
            if (made && reel)
                reel.destroy()
            return null
        }
        if (reel.slotMachineRef) {
            console.warn("SlotMachine::insertReel(): you cannot add a reel to multiple SlotMachines")
            return null
        }
        reel.slotMachineRef = slotMachine
        var container = reelComponent.createObject(reelRow, { reel: reel, machine: slotMachine })
        reel.__container = container
        container.stopped.connect(function () { slotMachine.__reelEnded() })
        var reels = __reels.slice()
        reels.splice(index, 0, reel)
        __setReels(reels)
        container.updateModel()
        if (__spinning && !__stopping)
            container.startSpin()
        return reel
    }

    /*! The reel at \a reelIndex, or null. */
    function getReel(reelIndex) {
        return reelIndex >= 0 && reelIndex < __reels.length ? __reels[reelIndex] : null
    }

    /*! Puts item \a itemIndex of reel \a reelIndex in its top row. */
    function setFirstItemIndex(reelIndex, itemIndex) {
        var container = __container(reelIndex)
        if (container)
            container.setFirstItemIndex(itemIndex)
    }

    /*! The index of the item in row \a rowIndex of reel \a reelIndex, or null. */
    function getItemIndex(reelIndex, rowIndex) {
        var container = __container(reelIndex)
        return container ? container.itemIndex(rowIndex) : null
    }

    /*! The item in row \a rowIndex of reel \a reelIndex, or null. */
    function getItem(reelIndex, rowIndex) {
        var container = __container(reelIndex)
        return container ? container.items[container.itemIndex(rowIndex)] : null
    }

    /*! The model entry of the item in row \a rowIndex of reel \a reelIndex, or null. */
    function getItemData(reelIndex, rowIndex) {
        var container = __container(reelIndex)
        return container ? container.modelEntry(container.itemIndex(rowIndex)) : null
    }

    /*! The model of reel \a reelIndex as its items were made from it, or null. */
    function getModel(reelIndex) {
        var container = __container(reelIndex)
        return container ? container.model : null
    }

    /*! Rebuilds the symbols and items of reel \a reelIndex. */
    function updateModel(reelIndex) {
        var container = __container(reelIndex)
        if (container)
            container.updateModel()
    }

    /*! Rebuilds the symbols and items of every reel. */
    function updateModels() {
        for (var i = 0; i < __reels.length; ++i)
            __reels[i].__container.updateModel()
    }

    function __container(reelIndex) {
        var reel = getReel(reelIndex)
        return reel ? reel.__container : null
    }

    function __sumOfWidths(reels) {
        var sum = 0
        for (var i = 0; i < reels.length; ++i)
            sum += reels[i].__container ? reels[i].__container.width : 0
        return sum
    }

    function __setReels(reels) {
        for (var i = 0; i < reels.length; ++i) {
            var container = reels[i].__container
            container.x = Qt.binding(__xBinding(reels, i))
        }
        __reels = reels
        __syncing = true
        reelCount = reels.length
        __syncing = false
    }

    function __xBinding(reels, index) {
        return function () {
            var x = 0
            for (var j = 0; j < index; ++j)
                x += reels[j].__container ? reels[j].__container.width : 0
            return x
        }
    }

    // The first reel's first item gives the sizes the machine was not given.
    function __takeSizesFrom(container) {
        var first = container.items.length > 0 ? container.items[0] : null
        if (!first)
            return
        if (defaultItemHeight === 0 && first.height > 0)
            defaultItemHeight = first.height
        if (defaultReelWidth === 0) {
            var reelWidth = __reels.length > 0 && __reels[0].width > 0 ? __reels[0].width : first.width
            if (reelWidth > 0)
                defaultReelWidth = reelWidth
        }
    }

    function __syncReelCount() {
        if (!__completed || __syncing)
            return
        var wanted = Math.max(0, reelCount)
        __syncing = true
        while (__reels.length < wanted) {
            if (!insertReel(__reels.length, newReelComponent))
                break
        }
        while (__reels.length > wanted)
            __removeLastReel()
        __syncing = false
    }

    function __removeLastReel() {
        var reels = __reels.slice()
        var reel = reels.pop()
        var container = reel.__container
        container.cancelMovement()
        __setReels(reels)
        reel.slotMachineRef = null
        reel.__container = null
        container.destroy()
        if (reel.__madeByMachine)
            reel.destroy()
        // The removed reel may have been the last one the stop waited for.
        if (__stopping && !__anyReelInSpin())
            __finishSpin()
    }

    function __anyReelInSpin() {
        for (var i = 0; i < __reels.length; ++i) {
            if (__reels[i].__container.inSpin)
                return true
        }
        return false
    }

    // Every reel that took part in the spin reports its end once.
    function __reelEnded() {
        reelStopped(__stoppedCount)
        __stoppedCount++
        if (!__anyReelInSpin()) {
            __finishSpin()
        } else if (__stoppingOnPositions) {
            for (var i = 0; i < __reels.length; ++i) {
                var container = __reels[i].__container
                if (container.inSpin && !container.stopping) {
                    container.stopAt(i < __stopPositions.length ? __stopPositions[i] : 0, reelStopDelay)
                    break
                }
            }
        }
    }

    function __finishSpin() {
        __stoppedCount = 0
        __spinning = false
        __stopping = false
        __stoppingOnPositions = false
        spinEnded()
    }

    onReelCountChanged: __syncReelCount()

    Component.onCompleted: {
        var declared = []
        for (var i = 0; i < data.length; ++i) {
            if (data[i] && data[i].objectName === "__slotMachineReel")
                declared.push(data[i])
        }
        var wanted = reelCount
        for (var j = 0; j < declared.length; ++j)
            insertReel(__reels.length, declared[j])
        __completed = true
        reelCount = wanted > 0 ? wanted : (__reels.length > 0 ? __reels.length : 3)
        __syncReelCount()
    }

    Item {
        id: reelRow
        x: (slotMachine.width - width) / 2
        y: (slotMachine.height - height) / 2
        width: slotMachine.__reelsWidth
        height: slotMachine.rowCount * slotMachine.defaultItemHeight
    }

    Timer {
        id: stopIntervalTimer
        onTriggered: slotMachine.stop()
    }

    Component {
        id: reelComponent
        ReelItemContainer { }
    }

    Component {
        id: newReelComponent
        SlotMachineReel { }
    }
}
