import QtQuick 2.15
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

// Key handling runs in the test's own window: the window logic item stands in for
// the game window and is found by the scenes under the name gameWindow.
TestCase {
    id: testCase
    name: "GameWindowKeys"
    when: windowShown
    width: 480
    height: 320
    // A scene is enabled only while visible, so the test case must be shown.
    visible: true

    GameWindowItem {
        id: gameWindow
        targetForResolutionChanges: testCase.Window.window
    }

    Scene {
        id: firstScene
    }

    Scene {
        id: secondScene
    }

    SignalSpy {
        id: firstBack
        target: firstScene
        signalName: "backButtonPressed"
    }

    SignalSpy {
        id: secondBack
        target: secondScene
        signalName: "backButtonPressed"
    }

    // The event object lives only while the signal is delivered.
    property int lastGlobalBackKey: 0
    Connections {
        target: gameWindow
        function onBackButtonPressedGlobally(event) {
            testCase.lastGlobalBackKey = event.key
        }
    }

    SignalSpy {
        id: globalBack
        target: gameWindow
        signalName: "backButtonPressedGlobally"
    }

    SignalSpy {
        id: globalKeys
        target: gameWindow
        signalName: "keyPressedGlobally"
    }

    function initTestCase() {
        // Without a window manager nobody activates the test window for us, and
        // a request made before the window is mapped is lost: ask until granted.
        var window = testCase.Window.window
        for (var i = 0; i < 100 && !window.active; ++i) {
            window.requestActivate()
            wait(50)
        }
        verify(window.active, "the test window never became active")
    }

    function init() {
        firstScene.backButtonAutoAccept = true
        gameWindow.backButtonAutoAcceptGlobally = false
        gameWindow.activeScene = null
        firstBack.clear()
        secondBack.clear()
        globalBack.clear()
        globalKeys.clear()
    }

    function test_windowItemFollowsItsWindow() {
        // The game's configuration marks a publish build: Escape must not quit it.
        verify(!gameWindow.shutdownAppWithEscapeKeyEnabled)
        compare(gameWindow.width, testCase.Window.window.contentItem.width)
        compare(firstScene.sceneGameWindow, gameWindow)
    }

    function test_activeSceneGetsFocus() {
        gameWindow.activeScene = firstScene
        verify(firstScene.activeFocus)
        gameWindow.activeScene = secondScene
        verify(secondScene.activeFocus)
        verify(!firstScene.activeFocus)
    }

    function test_backspaceOnlyInActiveScene() {
        verify(firstScene.backButtonSimulationEnabled)
        gameWindow.activeScene = firstScene
        keyClick(Qt.Key_Backspace)
        compare(firstBack.count, 1)
        compare(secondBack.count, 0)
        // Accepted by the scene, so the global forwarder never sees it.
        compare(globalKeys.count, 0)

        gameWindow.activeScene = secondScene
        keyClick(Qt.Key_Backspace)
        compare(firstBack.count, 1)
        compare(secondBack.count, 1)
    }

    function test_backKey() {
        gameWindow.activeScene = firstScene
        keyClick(Qt.Key_Back)
        compare(firstBack.count, 1)
        compare(globalBack.count, 0)

        // Without auto-accept the scene stays silent and the press travels on to the window.
        firstScene.backButtonAutoAccept = false
        keyClick(Qt.Key_Back)
        compare(firstBack.count, 1)
        compare(globalBack.count, 1)
        compare(lastGlobalBackKey, Qt.Key_Back)
        compare(globalKeys.count, 1)
    }

    function test_globalKeys() {
        gameWindow.activeScene = firstScene
        keyClick(Qt.Key_A)
        compare(globalKeys.count, 1)
        compare(globalBack.count, 0)
        // Escape does not quit a publish build; it is just another key.
        keyClick(Qt.Key_Escape)
        compare(globalKeys.count, 2)
    }

    function test_densityValues() {
        compare(gameWindow.landscape, gameWindow.width > gameWindow.height)
        compare(gameWindow.portrait, !gameWindow.landscape)
        fuzzyCompare(gameWindow.widthInInches, gameWindow.width / screenDpi / devicePixelRatio, 1e-9)
        compare(gameWindow.dp(0), 0)
        compare(gameWindow.dp(-3), 0)
        fuzzyCompare(gameWindow.dp(160), screenDpi * devicePixelRatioInverse, 1e-9)
        // A scene undoes its own scale, so dp() gives the same physical size inside it.
        fuzzyCompare(firstScene.dp(160) * firstScene.xScaleForScene, gameWindow.dp(160), 1e-9)
        fuzzyCompare(gameWindow.physicalPixels(10), 10 * devicePixelRatio, 1e-9)
    }
}
