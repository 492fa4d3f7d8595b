import QtQuick 2.0
import QtTest 1.2

// Not part of the test suite: measures frames per second and CPU time per frame of
// the real game during a run. Run it under the screen to measure, e.g.
//   xvfb-run -s "-screen 0 960x640x24 +extension GLX" build/bin/zarno-qmltest -input tests/game/perf/measure_run.qml
TestCase {
    name: "MeasureRun"
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

    function measure(label, seconds) {
        frames = 0
        var cpu0 = cpuSeconds()
        var t0 = Date.now()
        wait(seconds * 1000)
        var elapsed = (Date.now() - t0) / 1000
        var cpu = cpuSeconds() - cpu0
        console.log(label + ": " + frames + " frames in " + elapsed.toFixed(2) + " s = "
                    + (frames / elapsed).toFixed(1) + " fps; CPU " + cpu.toFixed(2) + " s = "
                    + (1000 * cpu / Math.max(1, frames)).toFixed(1) + " ms per frame")
    }

    function test_run() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../../qml/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var t0 = Date.now()
        window = component.createObject(null)
        window.frameSwapped.connect(function () { frames += 1 })
        var splash = window.activeScene
        tryCompare(splash, "opacity", 0, 120000)
        console.log("title screen after " + (Date.now() - t0) + " ms")
        var mainItem = window.activeScene.parent
        measure("title screen", 5)
        mainItem.play()
        var game = findChild(mainItem, "gameScene")
        measure("wait screen", 5)
        findChild(game, "waitScreen").activated()
        game.tap()
        var landsSeen = 0
        game.landChanged.connect(function () { landsSeen += 1 })
        // Keep the run going: coins are spent on spins now and then.
        measure("run", 15)
        console.log("land changes during the run's first 15 s: " + landsSeen)
        var lands = findChild(game, "lands")
        for (var i = 1; i < lands.count; ++i) lands.itemAt(i).visible = false
        measure("run, layers 1-4 hidden", 8)
        lands.itemAt(0).visible = false
        measure("run, all layers hidden", 8)
        findChild(game, "backdrop").visible = false
        measure("run, layers and backdrop hidden", 8)
        findChild(game, "backdrop").visible = true
        for (i = 0; i < lands.count; ++i) lands.itemAt(i).visible = true
        findChild(game, "player").visible = false
        findChild(game, "portal").visible = false
        findChild(game, "roulette").visible = false
        findChild(game, "tantacle").visible = false
        measure("run, sprites and tentacle hidden", 8)
        findChild(game, "backdrop").visible = false
        for (i = 0; i < lands.count; ++i) lands.itemAt(i).visible = false
        measure("run, nothing but the HUD", 8)
        window.destroy()
    }
}
