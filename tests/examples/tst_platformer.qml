import QtQuick 2.0
import QtTest 1.2

// The platformer example: keys and thumb stick move the runner, the camera follows it
// within the world's ends, collected coins come back from the entity pool.
TestCase {
    id: testCase
    name: "PlatformerExample"

    property var window: null
    property var scene: null
    property var player: null
    property var world: null

    function init() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/platformer/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
        scene = window.activeScene
        player = findChild(scene, "player")
        world = findChild(scene, "world")
        tryVerify(function () { return player.onGround })
    }

    function cleanup() {
        window.close()
        window.destroy()
        window = null
    }

    function expectedWorldX() {
        var centre = player.x + player.width / 2
        return -Math.max(0, Math.min(2400 - 480, centre - 0.4 * 480))
    }

    function test_keysMoveTheRunnerAndTheCameraFollows() {
        window.requestActivate()
        tryVerify(function () { return window.active })
        keyPress(Qt.Key_Right)
        tryVerify(function () { return player.x > 400 }, 5000)
        keyRelease(Qt.Key_Right)
        wait(50)
        fuzzyCompare(world.x, expectedWorldX(), 1e-6)
        verify(world.x < -100)
        // At either end of the world the camera stops at the limit.
        player.x = 2350
        compare(world.x, -(2400 - 480))
        player.x = 30
        compare(world.x, 0)
        // Jumping leaves the ground and comes back to it.
        keyPress(Qt.Key_Up)
        tryVerify(function () { return !player.onGround })
        keyRelease(Qt.Key_Up)
        tryVerify(function () { return player.onGround }, 3000)
    }

    function test_thumbStickMovesTheRunner() {
        var joystick = findChild(scene, "joystick")
        player.x = 1000
        var touch = touchEvent(joystick)
        touch.press(0, joystick, joystick.width / 2, joystick.height / 2).commit()
        touch.move(0, joystick, 0, joystick.height / 2).commit()
        tryVerify(function () { return player.x < 900 }, 3000)
        touch.release(0, joystick, 0, joystick.height / 2).commit()
        tryVerify(function () { return player.velocityX === 0 })
        verify(player.facingLeft)
    }

    function test_collectedCoinsComeBackFromThePool() {
        var entityManager = findChild(scene, "entityManager")
        tryCompare(entityManager.getEntityArrayByType("coin"), "length", 8)
        var coin = entityManager.getEntityArrayByType("coin")[0]
        var id = coin.entityId
        coin.x = player.x
        coin.y = player.y
        tryCompare(scene, "score", 1)
        compare(coin.visible, false)
        compare(entityManager.getEntityById(id), undefined)
        compare(entityManager.getPooledEntityArrayByType("coin"), [coin])
        // The spawner keeps eight coins: the pooled one is the next.
        tryVerify(function () { return coin.visible }, 3000)
        compare(scene.coinsFromPool, 1)
        compare(entityManager.getEntityArrayByType("coin").length, 8)
        verify(entityManager.getEntityById(coin.entityId) === coin)
    }
}
