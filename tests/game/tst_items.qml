import QtQuick 2.0
import QtTest 1.2
import QtQuick.Window 2.2
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

    Background {
        id: ground
        width: 960
        height: 640
        land: 1
        number: 4
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
            var row = layer.children[1]
            tryVerify(function () {
                return row.children[0].status === Image.Ready && row.children[1].status === Image.Ready
                        && row.children[2].status === Image.Ready
            })
            // The copies switch only once the new picture is read, and take it from the
            // cache: no frame may show a copy that is reading a picture.
            var blank = []
            var everyFrame = function () {
                for (var i = 0; i < 3; ++i)
                    if (row.children[i].status !== Image.Ready)
                        blank.push(String(row.children[i].source))
            }
            layer.Window.window.frameSwapped.connect(everyFrame)
            layer.land = 4
            tryVerify(function () {
                var shown = pictures()
                return shown.every(function (s) { return /bkg-4-1\.png$/.test(s) })
            }, 10000, "all three copies show the new land")
            wait(100)
            layer.Window.window.frameSwapped.disconnect(everyFrame)
            compare(blank, [], "a copy showed nothing while it read a picture")
            var shown = pictures()
            compare(shown[0], shown[1])
            compare(shown[1], shown[2])
        }

        // The ground's opaque rest comes from its own picture, right below its band,
        // and changes land together with the band; the layers behind it have none.
        function test_groundChangesBothPartsTogether() {
            var copies = ground.children[1].children
            var parts = function () {
                var shown = []
                for (var i = 0; i < copies.length; ++i)
                    if (copies[i].source !== undefined)
                        shown.push(String(copies[i].source) + " " + String(copies[i].children[copies[i].children.length - 1].source))
                return shown
            }
            tryVerify(function () { return parts().length === 3 && /bkg-1-4\.png .*ground-1\.png$/.test(parts()[0]) })
            ground.land = 3
            tryVerify(function () { return parts().every(function (s) { return /bkg-3-4\.png .*ground-3\.png$/.test(s) }) },
                      10000, "band and opaque rest show the new land")
            var copy = copies[0]
            var solid = copy.children[copy.children.length - 1]
            compare(solid.y, copy.height, "the opaque rest starts where the band ends")
            compare(layer.children[1].children[0].children[layer.children[1].children[0].children.length - 1].visible, false)
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
