import QtQuick 2.0
import Zarno 2.0

// A side-scrolling platformer: run and jump with the arrow keys (or the thumb stick),
// collect coins that come back from the entity pool, keep clear of the bats. The camera
// follows the runner but never shows anything beyond the ends of the world.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        objectName: "scene"
        width: 480
        height: 320

        readonly property real worldWidth: 2400
        readonly property real groundY: 250
        readonly property int liveCoins: 8
        readonly property url coinUrl: Qt.resolvedUrl("Coin.qml")
        property int score: 0
        property int coinsFromPool: 0

        Keys.forwardTo: [controller]

        EntityManager {
            id: entityManager
            objectName: "entityManager"
            entityContainer: world
            poolingEnabled: true
        }

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#f4a261"
        }

        // The sky drifts on its own, screen-fixed behind everything.
        ParallaxScrollingBackground {
            objectName: "sky"
            y: -25
            scale: 0.32
            transformOrigin: Item.TopLeft
            sourceImage: "../../assets/img/bkg/bkg-1-0.png"
            movementVelocity: Qt.point(-20, 0)
        }

        Item {
            id: world
            objectName: "world"
            width: scene.worldWidth
            height: scene.height

            // Farther layers keep a smaller share of the camera's movement.
            Repeater {
                model: [{ picture: 1, ratio: 0.25, tiles: 3 }, { picture: 2, ratio: 0.5, tiles: 4 },
                        { picture: 3, ratio: 0.8, tiles: 5 }, { picture: 4, ratio: 1, tiles: 6 }]
                ParallaxItem {
                    id: landLayer
                    readonly property var settings: modelData
                    y: -25
                    ratio: Qt.point(settings.ratio, 1)
                    Row {
                        Repeater {
                            model: landLayer.settings.tiles
                            MultiResolutionImage {
                                source: "../../assets/img/bkg/bkg-1-" + landLayer.settings.picture + ".png"
                                width: 480
                                height: 410
                            }
                        }
                    }
                }
            }

            Repeater {
                model: [Qt.rect(480, 192, 120, 14), Qt.rect(760, 148, 110, 14), Qt.rect(1250, 185, 140, 14),
                        Qt.rect(1620, 140, 100, 14), Qt.rect(1950, 190, 130, 14)]
                EntityBase {
                    entityType: "platform"
                    x: modelData.x
                    y: modelData.y
                    width: modelData.width
                    height: modelData.height
                    Rectangle { anchors.fill: parent; radius: 4; color: "#8d5524"; border.color: "#5b3716"; border.width: 2 }
                }
            }

            Bat {
                waypoints: [Qt.point(1230, 95), Qt.point(1420, 95), Qt.point(1420, 55), Qt.point(1230, 55)]
            }
            Bat {
                waypoints: [Qt.point(1900, 120), Qt.point(2150, 160), Qt.point(2300, 90)]
            }

            EntityBase {
                id: player
                objectName: "player"
                entityType: "player"
                preventFromRemovalFromEntityManager: true
                x: 200
                y: scene.groundY - height
                width: 40
                height: 56
                z: 1

                property real velocityX: 0
                property real velocityY: 0
                property bool onGround: true
                property bool facingLeft: false
                property real hurtTime: 0

                TwoAxisController {
                    id: controller
                    objectName: "controller"
                }

                SpriteSequenceZarno {
                    id: runner
                    x: (player.width - 256 * 0.22) / 2
                    y: player.height - 265 * 0.22 + 2
                    scale: 0.22
                    transformOrigin: Item.TopLeft
                    mirrorX: player.facingLeft
                    running: player.velocityX !== 0 || !player.onGround
                    opacity: player.hurtTime > 0 ? 0.5 : 1
                    defaultSource: "../../assets/img/heroes/hero-6.png"
                    SpriteZarno {
                        name: "run"
                        frameWidth: 256
                        frameHeight: 265
                        frameCount: 8
                        frameRate: 14
                    }
                }
            }
        }

        CameraZarno {
            id: camera
            objectName: "camera"
            gameWindowSize: Qt.point(scene.width, scene.height)
            entityContainer: world
            focusedObject: player
            focusOffset: Qt.point(0.4, 0.5)
            limitLeft: 0
            limitRight: scene.worldWidth
            limitTop: 0
            limitBottom: scene.height
        }

        // The HUD lies over the camera and stays where the window is.
        JoystickControllerHUD {
            id: joystick
            objectName: "joystick"
            joystickRadius: 46
            anchors.left: scene.gameWindowAnchorItem.left
            anchors.bottom: scene.gameWindowAnchorItem.bottom
            anchors.margins: 12
            opacity: pressed ? 0.95 : 0.7
        }

        Row {
            anchors.right: scene.gameWindowAnchorItem.right
            anchors.top: scene.gameWindowAnchorItem.top
            anchors.margins: 10
            spacing: 6
            MultiResolutionImage { source: "../../assets/img/misc/coin.png"; width: 26; height: 26 }
            Text {
                objectName: "scoreText"
                text: scene.score
                color: "white"
                style: Text.Outline
                styleColor: "#6d3b1c"
                font.pixelSize: 22
                font.bold: true
            }
        }

        function spawnCoin() {
            var fromPool = entityManager.getPooledEntityArrayByType("coin").length > 0
            // Never on top of the runner.
            var x = player.x
            while (Math.abs(x - player.x) < 120)
                x = 40 + Math.random() * (worldWidth - 80)
            entityManager.createEntityFromUrlWithProperties(coinUrl, { x: x, y: 90 + Math.random() * 120 })
            if (fromPool)
                ++coinsFromPool
        }

        function overlaps(a, b) {
            return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height
        }

        function landingHeight(oldBottom, newBottom) {
            if (newBottom >= groundY)
                return groundY
            var platforms = entityManager.getEntityArrayByType("platform")
            for (var i = 0; i < platforms.length; ++i) {
                var p = platforms[i]
                if (player.x + player.width > p.x + 4 && player.x < p.x + p.width - 4
                        && oldBottom <= p.y && newBottom >= p.y)
                    return p.y
            }
            return undefined
        }

        function step(dt) {
            dt = Math.min(dt, 0.05)
            var input = controller.xAxis !== 0 ? controller.xAxis : joystick.controllerXPosition
            player.velocityX = Math.abs(input) < 0.15 ? 0 : input * 190
            if (player.velocityX !== 0)
                player.facingLeft = player.velocityX < 0
            var wantsJump = controller.isPressed("up") || controller.isPressed("fire") || joystick.controllerYPosition > 0.5
            if (wantsJump && player.onGround) {
                player.velocityY = -560
                player.onGround = false
            }
            player.velocityY += 1500 * dt
            player.x = Math.max(0, Math.min(worldWidth - player.width, player.x + player.velocityX * dt))
            var oldBottom = player.y + player.height
            var newBottom = oldBottom + player.velocityY * dt
            var landing = player.velocityY >= 0 ? landingHeight(oldBottom, newBottom) : undefined
            if (landing !== undefined) {
                player.y = landing - player.height
                player.velocityY = 0
                player.onGround = true
            } else {
                player.y = newBottom - player.height
                player.onGround = false
            }

            var coins = entityManager.getEntityArrayByType("coin")
            for (var i = 0; i < coins.length; ++i) {
                if (overlaps(player, coins[i])) {
                    entityManager.removeEntityById(coins[i].entityId)
                    ++score
                }
            }
            player.hurtTime = Math.max(0, player.hurtTime - dt)
            var bats = entityManager.getEntityArrayByType("bat")
            for (var b = 0; b < bats.length; ++b) {
                if (player.hurtTime === 0 && overlaps(player, bats[b])) {
                    player.hurtTime = 1
                    player.velocityY = -300
                    score = Math.max(0, score - 3)
                }
            }
        }

        EveryFrame {
            onUpdate: scene.step(dt)
        }

        Timer {
            interval: 600
            repeat: true
            running: true
            onTriggered: {
                if (entityManager.getEntityArrayByType("coin").length < scene.liveCoins)
                    scene.spawnCoin()
            }
        }

        Component.onCompleted: {
            for (var i = 0; i < liveCoins; ++i)
                spawnCoin()
        }
    }
}
