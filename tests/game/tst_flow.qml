import QtQuick 2.0
import QtTest 1.2

// The real main window, its delayed main item and the switch between the scenes.
TestCase {
    id: testCase
    name: "GameFlow"
    when: windowShown

    property var window
    property var splash
    property var mainItem
    property double createdAt

    function scene(name) {
        return findChild(mainItem, name)
    }

    function initTestCase() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../qml/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        createdAt = Date.now()
        window = component.createObject(null)
        verify(window)
        splash = window.activeScene
    }

    function cleanupTestCase() {
        if (window)
            window.destroy()
    }

    function test_a_splashCoversTheStart() {
        compare(splash.opacity, 1, "the splash shows at once")
        compare(splash.visible, true)
        tryCompare(splash, "opacity", 0, 5000)
        verify(Date.now() - createdAt >= 700, "the splash stays for 500 + 200 ms at least")
        mainItem = window.activeScene.parent
        verify(mainItem)
        compare(mainItem.state, "menu")
        compare(window.activeScene, scene("menuScene"))
        compare(scene("menuScene").opacity, 1)
        compare(scene("comixScene").opacity, 0)
        compare(scene("gameScene").opacity, 0)
        compare(scene("gameScene").visible, false)
        compare(scene("gameScene").state, "wait", "the hidden game scene already waits for a run")
    }

    // The hidden game scene's layers, sprites and tentacle keep still while the
    // title screen shows: once its pictures are read, a still screen draws no frames.
    function comesToRest(screen) {
        var frames = 0
        var count = function () { ++frames }
        window.frameSwapped.connect(count)
        tryVerify(function () { frames = 0; wait(1000); return frames <= 1 }, 20000, screen + " comes to rest")
        window.frameSwapped.disconnect(count)
    }

    function test_aa_titleScreenComesToRest() {
        comesToRest("the title screen")
    }

    function test_b_letterboxBarsIgnoreClicks() {
        window.width = 1280
        window.height = 640
        var menu = scene("menuScene")
        tryCompare(menu, "x", 160)
        mouseClick(window.contentItem, 60, 320)
        mouseClick(window.contentItem, 1220, 320)
        compare(mainItem.state, "menu", "a click beside the scene does nothing")
        mouseClick(window.contentItem, 640, 320)
        compare(mainItem.state, "comix")
        compare(window.activeScene, scene("comixScene"))
        mouseClick(window.contentItem, 60, 320)
        compare(mainItem.state, "comix")
        scene("comixScene").backButtonPressed()
        compare(mainItem.state, "menu", "back on the comic page goes to the title without a question")
        window.width = 960
        window.height = 640
    }

    function test_c_quitConfirmationAnswers() {
        nativeUtils.messageBoxFinished(false)
        compare(mainItem.state, "menu", "Cancel keeps the game running")
        mainItem.state = "comix"
        // Only the title screen asked; its answer means nothing elsewhere.
        nativeUtils.messageBoxFinished(true)
        compare(mainItem.state, "comix")
        mainItem.state = "menu"
    }

    function test_d_runAndBackToTitle() {
        var game = scene("gameScene")
        scene("menuScene").playPressed()
        scene("comixScene").playPressed()
        compare(mainItem.state, "game")
        compare(window.activeScene, game)
        compare(game.opacity, 1)
        compare(scene("menuScene").visible, false)
        compare(game.state, "wait")
        findChild(game, "waitScreen").activated()
        compare(game.state, "play")
        game.tap()
        compare(findChild(game, "portal").running, true)
        game.backButtonPressed()
        compare(mainItem.state, "menu")
        compare(findChild(game, "portal").running, false)
        compare(findChild(game, "lands").itemAt(3).running, false)
        compare(game.state, "play", "leaving does not change the scene's own state")
        comesToRest("the title screen after a run")

        // Coming back starts a fresh run rather than showing the stopped one.
        scene("menuScene").playPressed()
        scene("comixScene").playPressed()
        compare(game.state, "wait")
        compare(findChild(game, "lands").itemAt(3).running, true)
        compare(game.lives, 3)
        compare(game.coins, 1)
        compare(findChild(game, "player").type, 6)
    }

    function test_e_endScreenMenuButton() {
        var game = scene("gameScene")
        findChild(game, "waitScreen").activated()
        game.lives = 0
        compare(game.state, "defeat")
        findChild(game, "gameOverScreen").menuPressed()
        compare(mainItem.state, "menu")
        scene("menuScene").playPressed()
        scene("comixScene").playPressed()
        compare(game.state, "wait", "the end screen is gone on return")
        tryCompare(findChild(game, "gameOverScreen"), "opacity", 0)
    }
}
