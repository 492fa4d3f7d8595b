import QtQuick 2.12

// Drives one reel: lays its symbol items out as a vertical loop, spins it with
// number animations and stops it on the next item or on a given item.
Item {
    id: container

    property QtObject reel: null
    property Item machine: null

    readonly property var model: __model
    readonly property var items: __items
    readonly property real itemHeight: __items.length > 0 && __items[0] ? __items[0].height : 0
    property int firstItemIndex: 0
    property bool spinning: false
    property bool stopping: false
    property int targetItemIndex: -1
    property real remainingDelayTime: 0
    // Between the start of a spin and the report of its end.
    property bool inSpin: false

    readonly property int rowCount: machine ? machine.rowCount : 0
    readonly property real velocity: machine && machine.spinVelocity > 0 ? machine.spinVelocity : 1
    readonly property var delegate: reel && reel.delegate ? reel.delegate : (machine ? machine.delegate : null)
    readonly property var sourceModel: reel && reel.model ? reel.model : (machine ? machine.model : null)

    property var __model: []
    property var __items: []
    // The item height the layout was last made with, to re-read the offset when it changes.
    property real __layoutHeight: 0
    property bool __ready: false

    signal spinStarted()
    signal stopped()

    width: reel && reel.width > 0 ? reel.width : (machine ? machine.defaultReelWidth : 0)
    height: machine ? machine.height : 0

    function wrap(index) {
        var n = __items.length
        return n > 0 ? ((index % n) + n) % n : 0
    }

    function moveDuration(distance) {
        return Math.round(1000 / velocity * distance)
    }

    function settleDuration() {
        return Math.round(3500 / velocity * itemHeight)
    }

    function canMove() {
        return __items.length > rowCount && itemHeight > 0
    }

    // Symbol models expand every symbol by its frequency; other models are used as they are.
    function prepareModel() {
        var source = sourceModel
        if (!source || source.objectName !== "__slotMachineModel")
            return source
        var entries = []
        var symbols = source.symbols || {}
        for (var name in symbols) {
            var value = symbols[name]
            var described = value !== null && typeof value === "object" && value.frequency !== undefined
            var frequency = described ? Number(value.frequency) : 1
            var data = described ? value.data : undefined
            for (var k = 0; k < frequency; ++k)
                entries.push({ type: name, frequency: frequency, data: data })
        }
        if (source.shuffle) {
            for (var i = entries.length - 1; i > 0; --i) {
                var j = Math.floor(Math.random() * (i + 1))
                var swap = entries[i]
                entries[i] = entries[j]
                entries[j] = swap
            }
        }
        return entries
    }

    function updateModel() {
        var wasStopping = stopping
        cancelMovement()
        __items = []
        repeater.model = 0
        repeater.delegate = delegate
        __model = prepareModel()
        repeater.model = __model
        var list = []
        for (var i = 0; i < repeater.count; ++i) {
            var item = repeater.itemAt(i)
            // Items without a size of their own fill the reel and the machine's row height.
            if (item.width === 0)
                item.width = Qt.binding(function () { return container.width })
            if (item.height === 0 && machine && machine.defaultItemHeight > 0)
                item.height = Qt.binding(function () { return container.machine.defaultItemHeight })
            list.push(item)
        }
        __items = list
        if (machine)
            machine.__takeSizesFrom(container)
        firstItemIndex = wrap(firstItemIndex)
        layout()
        __ready = true
        if (wasStopping)
            end()
        else if (spinning)
            startSpin()
    }

    onDelegateChanged: if (__ready) updateModel()
    onSourceModelChanged: if (__ready) updateModel()

    function modelEntry(index) {
        var m = __model
        if (m === null || m === undefined)
            return undefined
        if (Array.isArray(m))
            return m[index]
        if (typeof m.get === "function")
            return m.get(index)
        if (typeof m === "number")
            return index
        return m[index]
    }

    function itemIndex(row) {
        return wrap(firstItemIndex + row)
    }

    function layout() {
        var n = __items.length
        var h = itemHeight
        for (var i = 0; i < n; ++i) {
            var item = __items[(firstItemIndex + i) % n]
            if (item)
                item.y = (i < rowCount ? i : i - n) * h
        }
        content.y = 0
        __layoutHeight = h
    }

    // Items that passed the top edge since the last layout, rounded to the nearest boundary.
    function passedItems() {
        return __layoutHeight > 0 ? Math.round(content.y / __layoutHeight) : 0
    }

    function cancelMovement() {
        spinAnimation.stop()
        moveAnimation.stop()
        settleAnimation.stop()
    }

    function startSpin() {
        inSpin = true
        spinning = true
        stopping = false
        if (!canMove()) {
            console.warn("SlotMachine: WARNING: a reel needs more items than visible rows and items higher than 0 to spin, it stays where it is")
            return
        }
        spinStarted()
        runSpinPass()
    }

    function runSpinPass() {
        layout()
        var distance = (__items.length - rowCount) * itemHeight
        spinAnimation.to = distance
        spinAnimation.duration = moveDuration(distance)
        spinAnimation.start()
    }

    function onSpinPassDone() {
        if (!spinning)
            return
        firstItemIndex = wrap(firstItemIndex + rowCount)
        runSpinPass()
    }

    function scheduleStop(delay) {
        if (delay > 0) {
            stopDelayTimer.interval = delay
            stopDelayTimer.start()
        } else {
            stop()
        }
    }

    function stop() {
        beginStop(false, 0, 0)
    }

    function stopAt(itemIndex, minimumDelay) {
        beginStop(true, itemIndex, minimumDelay)
    }

    function beginStop(onTarget, target, minimumDelay) {
        if (!inSpin)
            return
        var wasMoving = spinning && canMove()
        spinning = false
        spinAnimation.stop()
        stopping = true
        if (!wasMoving) {
            end()
            return
        }
        targetItemIndex = onTarget ? wrap(target) : -1
        remainingDelayTime = minimumDelay
        var h = itemHeight
        moveBy(Math.ceil(content.y / h) * h - content.y)
    }

    // Moves the content down from where it is by a distance, at spinning speed.
    function moveBy(distance) {
        var duration = moveDuration(distance)
        remainingDelayTime -= duration
        if (distance <= 0) {
            onMoveDone()
            return
        }
        moveAnimation.from = content.y
        moveAnimation.to = content.y + distance
        moveAnimation.duration = duration
        moveAnimation.start()
    }

    function onMoveDone() {
        firstItemIndex = wrap(firstItemIndex - passedItems())
        layout()
        if (targetItemIndex < 0) {
            settle()
            return
        }
        var n = __items.length
        var h = itemHeight
        var t = targetItemIndex
        var s = settleDuration()
        if (remainingDelayTime - s < 0 && firstItemIndex === wrap(t + 1)) {
            targetItemIndex = -1
            settle()
            return
        }
        var row = wrap(t - firstItemIndex)
        if (row < rowCount) {
            // Visible too early: push it out below and let it come round from above.
            moveBy(Math.min(rowCount - row, n - rowCount) * h)
            return
        }
        var k = wrap(firstItemIndex - t)
        if (moveDuration((k - 1) * h) + s > remainingDelayTime)
            moveBy((k - 1) * h)
        else
            moveBy(Math.min(k + rowCount, n - rowCount) * h)
    }

    function settle() {
        settleAnimation.to = itemHeight
        settleAnimation.duration = settleDuration()
        settleAnimation.start()
    }

    function onSettleDone() {
        firstItemIndex = wrap(firstItemIndex - 1)
        layout()
        end()
    }

    function end() {
        cancelMovement()
        stopDelayTimer.stop()
        targetItemIndex = -1
        spinning = false
        stopping = false
        if (inSpin) {
            inSpin = false
            stopped()
        }
    }

    function setFirstItemIndex(index) {
        if (spinning && !(machine && machine.stopping)) {
            spinAnimation.stop()
            firstItemIndex = wrap(index)
            if (canMove())
                runSpinPass()
            else
                layout()
        } else if (inSpin) {
            // The machine is stopping: this reel's stop is cancelled, it ends here.
            firstItemIndex = wrap(index)
            layout()
            end()
        } else {
            firstItemIndex = wrap(index)
            layout()
        }
    }

    onItemHeightChanged: {
        if (__layoutHeight <= 0 || (!spinAnimation.running && !moveAnimation.running && !settleAnimation.running)) {
            layout()
            return
        }
        var moving = spinning
        cancelMovement()
        firstItemIndex = wrap(firstItemIndex - passedItems())
        layout()
        if (moving && canMove())
            runSpinPass()
        else if (stopping)
            end()
    }

    Timer {
        id: stopDelayTimer
        onTriggered: container.stop()
    }

    Item {
        id: content
        width: container.width
        height: container.height

        Repeater {
            id: repeater
        }
    }

    NumberAnimation {
        id: spinAnimation
        target: content
        property: "y"
        from: 0
        onFinished: container.onSpinPassDone()
    }

    NumberAnimation {
        id: moveAnimation
        target: content
        property: "y"
        onFinished: container.onMoveDone()
    }

    NumberAnimation {
        id: settleAnimation
        target: content
        property: "y"
        from: 0
        easing.type: Easing.OutBack
        easing.overshoot: 1
        onFinished: container.onSettleDone()
    }
}
