import QtQuick 2.15
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

// The application goes inactive when none of its windows holds the focus.
TestCase {
    id: testCase
    name: "ApplicationState"
    when: windowShown

    Component {
        id: windowComponent
        GameWindow {
            width: 320
            height: 240
        }
    }

    // Without a window manager the focus request of a window that is not mapped
    // yet is refused and not repeated: ask again until it is granted.
    function activate(window) {
        for (var i = 0; i < 100 && !window.active; ++i) {
            window.requestActivate()
            wait(50)
        }
        verify(window.active, "the window never became active")
    }

    function test_pauseAndResume() {
        var window = windowComponent.createObject(null)
        var paused = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: 'applicationPaused' }", testCase)
        var resumed = createTemporaryQmlObject("import QtTest 1.2; SignalSpy { signalName: 'applicationResumed' }", testCase)
        paused.target = window
        resumed.target = window

        waitForRendering(window.contentItem)
        activate(window)
        tryCompare(Qt.application, "state", Qt.ApplicationActive)
        verify(!window.gameWindow.wasPausedBefore)

        // Without a window manager the focus may bounce while windows come and
        // go; whatever the bounces, pauses and resumes alternate, one per change.
        paused.clear()
        resumed.clear()
        testCase.Window.window.hide()
        window.hide()
        tryCompare(Qt.application, "state", Qt.ApplicationInactive)
        tryVerify(function () { return paused.count === resumed.count + 1 }, 2000,
                  "pauses " + paused.count + ", resumes " + resumed.count)
        verify(window.gameWindow.wasPausedBefore)

        paused.clear()
        resumed.clear()
        window.show()
        waitForRendering(window.contentItem)
        activate(window)
        tryCompare(Qt.application, "state", Qt.ApplicationActive)
        tryVerify(function () { return resumed.count === paused.count + 1 }, 2000,
                  "pauses " + paused.count + ", resumes " + resumed.count)
        verify(!window.gameWindow.wasPausedBefore)
        testCase.Window.window.show()
        window.destroy()
    }
}
