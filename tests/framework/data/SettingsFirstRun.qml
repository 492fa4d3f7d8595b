import QtQuick 2.15
import QtTest 1.2
import Zarno 2.0

// First launch of the restart check: defaults are stored, then the user changes some.
TestCase {
    id: testCase
    name: "SettingsFirstRun"

    Settings {
        id: settings
    }

    function test_writeForNextLaunch() {
        verify(settings.fullyCompleted)
        compare(settings.musicEnabled, true)
        compare(settings.soundEnabled, true)
        settings.musicEnabled = false
        settings.maximumHighscore = 0
        settings.maximumHighscore = 4242
        settings.username = "Quill"
        settings.customData = { unlocked: [1, 2, 3], name: "x" }
        settings.particlesEnabled = false
    }
}
