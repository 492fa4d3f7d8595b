import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0
import "../../qml/items"
import "../../qml/common"

Item {
    width: 960
    height: 640

    // The sound manager finds the user's settings by this name, as in the main item.
    Settings {
        id: settings
    }

    AudioManager {
        id: audioManager
    }

    Background {
        id: layer
        width: 960
        height: 640
        land: 2
        number: 1
        velocity: -6000
    }

    TestCase {
        name: "Items"
        when: windowShown

        function pictures() {
            var row = layer.children[1]
            var sources = []
            for (var i = 0; i < row.children.length; ++i)
                if (row.children[i].source !== undefined)
                    sources.push(String(row.children[i].source))
            return sources
        }

        function test_landChangeSwapsAllThreePictures() {
            tryVerify(function () { return pictures().length === 3 && /bkg-2-1\.png$/.test(pictures()[0]) })
            layer.land = 4
            tryVerify(function () {
                var shown = pictures()
                return shown.every(function (s) { return /bkg-4-1\.png$/.test(s) })
            }, 10000, "all three copies show the new land")
            var shown = pictures()
            compare(shown[0], shown[1])
            compare(shown[1], shown[2])
        }

        function test_stripLoopsWithinOnePicture() {
            var row = layer.children[1]
            compare(row.children[0].width, 1500, "each copy is one loop period wide")
            layer.play()
            var lowest = 0
            var jumpedBack = false
            var watch = function () {
                if (row.x < lowest)
                    lowest = row.x
                else if (row.x > lowest + 500)
                    jumpedBack = true
            }
            row.xChanged.connect(watch)
            tryVerify(function () { return jumpedBack }, 5000, "the strip jumps back after 1500 units")
            row.xChanged.disconnect(watch)
            verify(lowest >= -1500, "it never shows the end of the strip")
            layer.stop()
            var stoppedAt = row.x
            wait(100)
            compare(row.x, stoppedAt, "a stopped layer stays put")
        }

        function test_soundDisabledSilencesEverything() {
            tryVerify(function () { return settings.fullyCompleted })
            settings.soundEnabled = false
            verify(audioManager.muted)
            var names = ["applause", "aww", "click", "coin", "craft"]
            for (var i = 0; i < names.length; ++i)
                compare(findChild(audioManager, names[i]).muted, true, names[i] + " is muted")
            audioManager.playApplauseSfx()
            audioManager.playAwwSfx()
            audioManager.playClickSfx()
            audioManager.playCoinSfx()
            audioManager.playCraftSfx()
            for (i = 0; i < names.length; ++i)
                compare(findChild(audioManager, names[i]).playing, false, names[i] + " stays silent")
            settings.soundEnabled = true
            compare(audioManager.muted, false)
            compare(findChild(audioManager, "click").muted, false)
        }
    }
}
