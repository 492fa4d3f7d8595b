import QtQuick 2.0
import QtTest 1.2

// Quillox from its main document to the title screen, then during a run: frame time
// and CPU time per frame beside the goals of a 60 fps game. Run by
// scripts/run-bench.sh under a 960x640 screen; never part of the test suite.
TestCase {
    name: "BenchQuilloxRun"
    when: windowShown

    property var window
    property int frames: 0

    function cpuSeconds() {
        var request = new XMLHttpRequest()
        request.open("GET", "file:///proc/self/stat", false)
        request.send()
        var fields = request.responseText.split(") ")[1].split(" ")
        // utime and stime, in clock ticks of 1/100 s
        return (parseInt(fields[11]) + parseInt(fields[12])) / 100
    }

    function row(measure, ours, floor, unit) {
        console.log("BENCH|" + measure + "|" + ours.toFixed(3) + "|" + floor.toFixed(3) + "|" + unit)
    }

    function test_run() {
        var t0 = Date.now()
        var component = Qt.createComponent(Qt.resolvedUrl("../../qml/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        window.frameSwapped.connect(function () { frames += 1 })
        tryCompare(window.activeScene, "opacity", 0, 120000)
        row("start-up to title screen (vs 1 s)", Date.now() - t0, 1000, "ms")

        var mainItem = window.activeScene.parent
        mainItem.play()
        var game = findChild(mainItem, "gameScene")
        wait(1500)
        findChild(game, "waitScreen").activated()
        game.tap()
        wait(1000)
        frames = 0
        var cpu0 = cpuSeconds()
        var started = Date.now()
        wait(8000)
        var elapsed = Date.now() - started
        var cpu = cpuSeconds() - cpu0
        var n = Math.max(1, frames)
        row("run at 960x640, frame (vs 60 fps)", elapsed / n, 1000 / 60, "ms")
        row("run at 960x640, CPU per frame (vs 8 ms)", 1000 * cpu / n, 8, "ms")
        window.destroy()
    }
}
