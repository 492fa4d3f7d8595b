import QtQuick 2.0
import QtTest 1.2

// The example the README shows must keep working as the framework changes.
TestCase {
    name: "BounceExample"

    function test_coinBouncesInsideTheScene() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/bounce/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        var coin = findChild(window.activeScene, "coin")
        var movement = findChild(window.activeScene, "movement")
        tryVerify(function () { return coin.x > 100 }, 5000)
        // It turns round at the right edge and comes back.
        tryVerify(function () { return movement.velocity < 0 }, 5000)
        tryVerify(function () { return coin.x < 100 }, 5000)
        verify(coin.x >= 0 && coin.x <= 480 - coin.width)
        window.close()
        window.destroy()
    }
}
