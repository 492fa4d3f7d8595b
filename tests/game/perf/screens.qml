import QtQuick 2.0
import QtTest 1.2

// Not part of the test suite: saves a picture of every scene of the real game, the
// end screens included, to /tmp/quillox-screens. Run it under a screen, e.g.
//   xvfb-run -s "-screen 0 1280x800x24 +extension GLX" build/bin/zarno-qmltest -input tests/game/perf/screens.qml
TestCase {
    name: "Screens"
    when: windowShown

    property var window

    function save(name) {
        wait(300)
        var saved = false
        window.contentItem.grabToImage(function (result) {
            result.saveToFile("/tmp/quillox-screens/" + name + ".png")
            saved = true
        })
        tryVerify(function () { return saved }, 10000)
    }

    function test_screens() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../../qml/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        var splash = window.activeScene
        save("1-splash")
        tryCompare(splash, "opacity", 0, 120000)
        var mainItem = window.activeScene.parent
        save("2-title")
        findChild(mainItem, "menuScene").playPressed()
        save("3-comic")
        findChild(mainItem, "comixScene").playPressed()
        var game = findChild(mainItem, "gameScene")
        wait(1500)
        save("4-wait")
        findChild(game, "waitScreen").activated()
        game.tap()
        wait(2000)
        save("5-run")
        var portal = findChild(game, "portalMovement")
        // Nine quick land changes, then wait for the tenth on its own.
        for (var i = 0; i < 9; ++i)
            portal.limitReached()
        game.lives = 3
        tryCompare(game, "state", "victory", 15000)
        wait(1500)
        save("6-victory")
        findChild(game, "gameOverScreen").playAgainPressed()
        findChild(game, "waitScreen").activated()
        game.tap()
        game.lives = 0
        wait(3000)
        save("7-defeat")
        window.destroy()
    }
}
