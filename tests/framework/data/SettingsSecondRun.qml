import QtQuick 2.15
import QtTest 1.2
import Zarno 2.0

// Second launch of the restart check: what the first process stored is back.
TestCase {
    id: testCase
    name: "SettingsSecondRun"

    property bool musicEnabledBeforeCompletion: true

    Settings {
        id: settings
        // Loaded values are in place before the object reports completion.
        onFullyCompletedChanged: testCase.musicEnabledBeforeCompletion = musicEnabled
    }

    function test_readBackAfterRestart() {
        verify(settings.fullyCompleted)
        compare(testCase.musicEnabledBeforeCompletion, false)
        compare(settings.musicEnabled, false)
        compare(settings.soundEnabled, true)
        compare(settings.particlesEnabled, false)
        compare(settings.maximumHighscore, 4242)
        compare(settings.username, "Quill")
        compare(settings.customData, { unlocked: [1, 2, 3], name: "x" })
    }
}
