import QtQuick 2.0
import QtTest 1.2
import "../../qml/scenes"
import "../../qml/misc"
import "../../qml/items"

Item {
    id: root
    width: 960
    height: 640

    // The widgets take these by name from the document they are placed in, as in a scene.
    readonly property int titleFontSize: 96
    readonly property int normalFontSize: 64
    readonly property int smallFontSize: 32
    readonly property real mm: 20

    // Stands in for the main item's sound manager, which the buttons find by this name.
    Item {
        id: audioManager
        property int clicks: 0
        function playClickSfx() { clicks += 1 }
    }

    QemScene {
        id: scene
        opacity: 1
        // No window: the scene keeps scale 1, so scene units are test window pixels.

        QemTextButton {
            id: button
            x: 100
            y: 100
            width: 300
            height: 100
            text: "Repeat"
        }

        QemDialog {
            id: dialog
        }

        WaitScreen {
            id: waitScreen
            anchors.fill: parent
        }

        Player {
            id: player
            x: 500
            y: 200
        }

        QemTimer {
            id: countdown
            duration: 300
        }

        QemProgressBar {
            id: progressBar
            y: 500
        }
    }

    SignalSpy { id: clickedSpy; target: button; signalName: "clicked" }
    SignalSpy { id: activatedSpy; target: waitScreen; signalName: "activated" }
    SignalSpy { id: triggeredSpy; target: countdown; signalName: "triggered" }
    SignalSpy { id: stoppedSpy; target: countdown; signalName: "stopped" }

    TestCase {
        name: "Widgets"
        when: windowShown

        function init() {
            audioManager.clicks = 0
            clickedSpy.clear()
            activatedSpy.clear()
            waitScreen.state = ""
            dialog.state = ""
            tryCompare(waitScreen, "opacity", 0)
            tryCompare(dialog, "opacity", 0)
        }

        function test_buttonClick() {
            mousePress(button, 150, 50)
            compare(button.scale, 0.85)
            mouseRelease(button, 150, 50)
            compare(button.scale, 1.0)
            compare(clickedSpy.count, 1)
            compare(audioManager.clicks, 1, "every click sounds")
        }

        function test_buttonPressReleasedOutside() {
            mousePress(button, 150, 50)
            compare(button.scale, 0.85)
            mouseMove(button, 150, 400)
            mouseRelease(button, 150, 400)
            compare(button.scale, 1.0)
            compare(clickedSpy.count, 0)
            compare(audioManager.clicks, 0)
        }

        function test_disabledButtonIgnoresTaps() {
            button.enabled = false
            mouseClick(button, 150, 50)
            compare(clickedSpy.count, 0)
            compare(audioManager.clicks, 0)
            button.enabled = true
        }

        function test_dialogTakesInputOnlyWhenFullyShown() {
            compare(dialog.visible, false)
            dialog.state = "shown"
            tryVerify(function () { return dialog.opacity > 0 && dialog.opacity < 1 })
            compare(dialog.visible, true)
            compare(dialog.enabled, false, "no input during the fade-in")
            tryCompare(dialog, "opacity", 1)
            compare(dialog.enabled, true)
        }

        function test_waitScreenTakesTapsThroughoutItsFades() {
            mouseClick(scene, 700, 500)
            compare(activatedSpy.count, 0, "hidden, it takes nothing")
            waitScreen.state = "shown"
            tryVerify(function () { return waitScreen.opacity > 0 && waitScreen.opacity < 1 })
            mouseClick(scene, 700, 500)
            compare(activatedSpy.count, 1, "from the first moment of the fade-in")
            tryCompare(waitScreen, "opacity", 1)
            waitScreen.state = ""
            tryVerify(function () { return waitScreen.opacity > 0 && waitScreen.opacity < 1 })
            mouseClick(scene, 700, 500)
            compare(activatedSpy.count, 2, "until the end of the fade-out")
        }

        function test_cloudPuffsOnlyOnChange() {
            var cloud = findChild(player, "cloud")
            player.init()
            tryCompare(cloud, "currentSprite", "idle")
            var puffs = 0
            var count = function () { if (cloud.currentSprite === "run") puffs += 1 }
            var drawn = false
            var seen = function () { if (cloud.visible) drawn = true }
            cloud.currentSpriteChanged.connect(count)
            cloud.visibleChanged.connect(seen)
            player.init()
            // Proving that nothing happens needs a few frames of waiting.
            wait(200)
            compare(puffs, 0, "keeping the type shows no puff")
            player.type = 2
            // Counted as it happens: a polled look may miss the short puff on a busy machine.
            tryVerify(function () { return puffs === 1 }, 20000, "a new type puffs")
            verify(drawn, "a puff is drawn")
            tryCompare(cloud, "currentSprite", "idle", 2000, "the puff settles on its idle frame")
            compare(cloud.visible, false, "the empty idle frame is not drawn")
            compare(puffs, 1)
            cloud.currentSpriteChanged.disconnect(count)
            cloud.visibleChanged.disconnect(seen)
            player.play()
            compare(player.running, true)
            player.init()
            compare(player.type, 6)
            compare(player.running, false)
        }

        function test_effectIconRestarts() {
            var icon = findChild(player, "healImage")
            player.heal()
            compare(icon.opacity, 1)
            tryVerify(function () { return icon.opacity < 0.8 && icon.y < player.height / 2 - 50 })
            player.heal()
            compare(icon.opacity, 1, "a second heal starts over at full opacity")
            compare(icon.y, player.height / 2, "from the middle of the player")
            tryCompare(icon, "opacity", 0, 3000)
            compare(icon.y, -scene.height / 2, "the icon rises to the top of what holds the player")
        }

        function test_timerCountsDown() {
            countdown.clear()
            compare(countdown.time, 300)
            countdown.start()
            verify(countdown.running)
            tryCompare(triggeredSpy, "count", 1)
            compare(countdown.running, false)
            verify(countdown.time <= 0)
            countdown.time = 61500
            compare(countdown.children[0].text, "01:500", "seconds and milliseconds")
            countdown.start()
            countdown.stop()
            compare(countdown.running, false)
            compare(stoppedSpy.count, 1)
            compare(triggeredSpy.count, 1, "stopping by hand does not trigger")
        }

        function test_progressBarFill() {
            var fill = progressBar.children[1]
            progressBar.maxValue = 4
            progressBar.value = 1
            compare(fill.width, 100)
            progressBar.value = 9
            compare(fill.width, 400, "the fill never leaves the bar")
            progressBar.maxValue = 0
            compare(fill.width, 0)
        }
    }
}
