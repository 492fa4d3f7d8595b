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

        testCase.Window.window.hide()
        window.hide()
        tryCompare(Qt.application, "state", Qt.ApplicationInactive)
        compare(paused.count, 1)
        compare(resumed.count, 0)
        verify(window.gameWindow.wasPausedBefore)

        window.show()
        waitForRendering(window.contentItem)
        activate(window)
        tryCompare(Qt.application, "state", Qt.ApplicationActive)
        tryCompare(resumed, "count", 1)
        compare(paused.count, 1)
        verify(!window.gameWindow.wasPausedBefore)
        testCase.Window.window.show()
        window.destroy()
    }
}
