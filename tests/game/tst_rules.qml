import QtQuick 2.0
import QtTest 1.2
import "../../qml/scenes"
import "../../qml/scenes/runrules.js" as Rules

Item {
    id: root
    width: 960
    height: 640

    // Stands in for the main item's sound manager, which the scene finds by this name.
    Item {
        id: audioManager
        property int applause: 0
        property int aww: 0
        function playApplauseSfx() { applause += 1 }
        function playAwwSfx() { aww += 1 }
        function playClickSfx() {}
    }

    GameScene {
        id: scene
        opacity: 1
    }

    TestCase {
        name: "RunRules"
        when: windowShown

        // Outcome table: rows are creature types 0 to 6, columns lands 0 to 5.
        readonly property var table: [
            "HDNNDN",
            "DHNDDN",
            "NDHDNN",
            "DDDHNN",
            "NNDNHN",
            "HHHHHH",
            "NNNNNN"
        ]

        property var queue: []
        property var player
        property var portalMovement
        property var rouletteTimer
        property var lands
        property var gameOverScreen

        // The scene's draws come from this queue (0 once it runs dry).
        function nextDraw() {
            return queue.length > 0 ? queue.shift() : 0
        }

        // Draws that make Math.round(random() * n) come out as k.
        function typeDraw(k) { return k / 5 }
        function landDraw(k) { return k / 4 }

        function arrive(newLandDraw) {
            queue = [landDraw(newLandDraw)]
            portalMovement.limitReached()
        }

        function landsRunning() {
            var running = 0
            for (var i = 0; i < lands.count; ++i)
                if (lands.itemAt(i).running)
                    ++running
            return running
        }

        function initTestCase() {
            player = findChild(scene, "player")
            portalMovement = findChild(scene, "portalMovement")
            rouletteTimer = findChild(scene, "rouletteTimer")
            lands = findChild(scene, "lands")
            gameOverScreen = findChild(scene, "gameOverScreen")
            verify(player && portalMovement && rouletteTimer && lands && gameOverScreen)
            // Time is driven by hand here: no spin tick and no portal step comes by itself.
            rouletteTimer.interval = 1000000
            portalMovement.velocity = 0
        }

        function init() {
            scene.random = nextDraw
            queue = []
            scene.newRun()
            compare(scene.state, "wait")
            findChild(scene, "waitScreen").activated()
            compare(scene.state, "play")
            audioManager.applause = 0
            audioManager.aww = 0
        }

        function test_freshRun() {
            compare(scene.lives, 3)
            compare(scene.coins, 1)
            compare(scene.land, 5)
            compare(scene.actStage, 0)
            compare(player.type, 6)
            compare(landsRunning(), 5, "the land layers scroll from the wait screen on")
            compare(findChild(scene, "roulette").firstTime, true)
        }

        // The black fill behind the lands is drawn only while a picture of the sky or
        // of the ground is missing; both together cover the window.
        function test_windowFillOnlyWhereLandsLeaveGaps_data() {
            return [{tag: "lands shown", layer: -1, fill: false},
                    {tag: "no sky", layer: 0, fill: true},
                    {tag: "no ground", layer: 4, fill: true}]
        }

        function test_windowFillOnlyWhereLandsLeaveGaps(data) {
            if (data.layer >= 0)
                lands.itemAt(data.layer).land = 9 // no such land: its picture fails to load
            tryCompare(scene.windowFill, "visible", data.fill, 10000)
            if (data.layer >= 0)
                lands.itemAt(data.layer).land = Qt.binding(function () { return scene.land })
            tryCompare(scene.windowFill, "visible", false, 10000)
        }

        function test_outcomeTable() {
            for (var type = 0; type <= 6; ++type) {
                for (var land = 0; land <= 5; ++land) {
                    var expected = table[type].charAt(land)
                    compare(Rules.outcome(type, land), { H: "heal", D: "damage", N: "neutral" }[expected],
                            "type " + type + " in land " + land)
                    if (scene.land !== land)
                        scene.land = land
                    scene.actStage = 0
                    player.type = type
                    scene.lives = 2
                    scene.performActions()
                    compare(scene.lives, { H: 3, D: 1, N: 2 }[expected], "lives after type " + type + " meets land " + land)
                }
            }
            compare(Rules.outcome(0, 6), "", "lands past 5 do nothing")
        }

        function test_effectIcons() {
            var icons = { H: "healImage", D: "damageImage", N: "neutralImage" }
            var cases = [[5, 2, "H"], [0, 1, "D"], [6, 3, "N"]]
            for (var i = 0; i < cases.length; ++i) {
                scene.land = cases[i][1]
                scene.actStage = 0
                player.type = cases[i][0]
                scene.lives = 2
                var icon = findChild(player, icons[cases[i][2]])
                icon.opacity = 0
                scene.performActions()
                verify(icon.opacity > 0.9, icons[cases[i][2]] + " shows")
            }
        }

        function test_healAtFullLives() {
            scene.land = 2
            player.type = 2
            scene.lives = 3
            scene.performActions()
            compare(scene.lives, 3)
        }

        function test_newCreatureNeverEqualsOld() {
            for (var current = 0; current <= 6; ++current) {
                for (var r = 0; r <= 5; ++r) {
                    player.type = current
                    scene.land = 5
                    scene.lives = 3
                    queue = [typeDraw(r)]
                    scene.nextPlayerType()
                    var expected = r === current ? (r + 1) % 5 : r
                    compare(player.type, expected, "creature " + current + " drawing " + r)
                    verify(player.type !== current)
                }
            }
            // With real draws as well.
            scene.random = Math.random
            for (var n = 0; n < 100; ++n) {
                var before = player.type
                scene.nextPlayerType()
                verify(player.type !== before && player.type >= 0 && player.type <= 5)
                scene.lives = 3
            }
        }

        function test_landDrawWrapsModuloFour() {
            var seen = {}
            for (var current = 0; current <= 5; ++current) {
                for (var t = 0; t <= 4; ++t) {
                    if (scene.land !== current)
                        scene.land = current
                    scene.actStage = 0
                    scene.lives = 3
                    player.type = 6
                    arrive(t)
                    var expected = t === current ? (t + 1) % 4 : t
                    compare(scene.land, expected, "land " + current + " drawing " + t)
                    verify(scene.land !== current && scene.land !== 5)
                    seen[current + ":" + t] = scene.land
                }
            }
            compare(seen["3:3"], 0)
            compare(seen["4:4"], 1)
        }

        function test_coinsAndTaps() {
            var roulette = findChild(scene, "roulette")
            scene.tap()
            compare(scene.coins, 1, "the first spin is free")
            compare(roulette.firstTime, false)
            compare(findChild(scene, "portal").running, true, "the first tap sends the portal")
            compare(player.running, true)
            compare(rouletteTimer.count, 50)

            scene.tap()
            compare(scene.coins, 0, "every further spin costs a coin")

            arrive(2)
            compare(scene.coins, 1, "each portal pays a coin")
            compare(scene.actStage, 1)

            scene.coins = 7
            var icons = findChild(scene, "coinIcons")
            var shown = 0
            for (var i = 0; i < icons.count; ++i)
                if (icons.itemAt(i).visible)
                    ++shown
            compare(shown, 5, "coins beyond five show no extra icons")
        }

        function test_tapsWithoutCoinsAreIgnored() {
            scene.tap()
            scene.tap()
            compare(scene.coins, 0)
            rouletteTimer.count = 0
            // Until the wait screen has faded out it takes the taps itself.
            tryCompare(findChild(scene, "waitScreen"), "opacity", 0)
            mouseClick(scene, 400, 400)
            compare(rouletteTimer.count, 0, "the tap area is off without coins")
            scene.tap()
            compare(rouletteTimer.count, 0)
            compare(scene.coins, 0)
            compare(scene.state, "play", "the run goes on")
            arrive(1)
            compare(scene.coins, 1)
            tryCompare(findChild(scene, "waitScreen"), "opacity", 0)
            mouseClick(scene, 400, 400)
            compare(rouletteTimer.count, 50, "a coin makes the scene tappable again")
            compare(scene.coins, 0)
        }

        function test_restartedSpinGivesOneResult() {
            var changes = 0
            var count = function () { changes += 1 }
            player.typeChanged.connect(count)
            scene.tap()
            for (var i = 0; i < 30; ++i)
                rouletteTimer.triggered()
            compare(rouletteTimer.count, 20)
            scene.coins = 2
            scene.tap()
            compare(rouletteTimer.count, 50, "a second tap restarts the spin")
            queue = [0, 0, 0]
            for (i = 0; i < 49; ++i)
                rouletteTimer.triggered()
            compare(changes, 0, "the first spin gave no result")
            queue = [typeDraw(3)]
            rouletteTimer.triggered()
            compare(changes, 1)
            compare(player.type, 3)
            compare(rouletteTimer.count, 0)
            compare(rouletteTimer.running, false, "the spin ends after its 50th tick")
            player.typeChanged.disconnect(count)
        }

        function test_tenthLandChangeWins() {
            player.type = 6
            for (var i = 0; i < 9; ++i)
                arrive(i % 2)
            compare(scene.actStage, 9)
            compare(scene.state, "play")
            arrive(2)
            compare(scene.state, "victory")
            compare(audioManager.applause, 1)
            compare(audioManager.aww, 0)
            compare(landsRunning(), 0)
            compare(findChild(scene, "portal").running, false)
            compare(gameOverScreen.title, "Victory!")
            compare(gameOverScreen.state, "shown")
            compare(findChild(scene, "tantacle").visible, false)
            tryCompare(gameOverScreen, "opacity", 1)
            verify(findChild(scene, "assistantLeft").visible)
            verify(findChild(scene, "assistantRight").visible)
        }

        function test_lastLifeLoses() {
            scene.tap()
            scene.lives = 1
            player.type = 0
            arrive(1)
            compare(scene.lives, 0)
            compare(scene.state, "defeat")
            compare(audioManager.aww, 1)
            tryCompare(player, "currentSprite", "die")
            compare(landsRunning(), 0)
            compare(gameOverScreen.title, "Defeat!")
            compare(findChild(scene, "assistantLeft").visible, false)
            compare(findChild(scene, "assistantRight").visible, false)
            compare(findChild(scene, "tantacle").visible, false)
        }

        // The killing spin swaps the creature's strip in the same moment.
        function test_spinThatKillsShowsTheDeath() {
            scene.tap()
            arrive(1)
            scene.lives = 1
            player.type = 2
            tryCompare(player, "currentSprite", "run")
            queue = [typeDraw(0)]
            scene.nextPlayerType()
            compare(scene.state, "defeat")
            tryCompare(player, "currentSprite", "die")
            tryCompare(player, "currentSprite", "dieLastFrame", 4000)
        }

        function test_damagingTenthChangeEndsInDefeat() {
            player.type = 6
            for (var i = 0; i < 9; ++i)
                arrive(i % 2)
            scene.lives = 1
            player.type = 0
            // From land 0 the tenth change draws land 1, which hurts creature 0.
            compare(scene.land, 0)
            arrive(1)
            compare(scene.state, "defeat")
            compare(audioManager.applause, 1, "the victory came first")
            compare(audioManager.aww, 1)
            compare(gameOverScreen.title, "Defeat!")
        }

        // The dancers and the tentacle come back for the next run's end screen.
        function test_victoryAfterDefeatShowsDancers() {
            scene.lives = 1
            player.type = 0
            arrive(1)
            compare(scene.state, "defeat")
            tryCompare(gameOverScreen, "opacity", 1)
            gameOverScreen.playAgainPressed()
            findChild(scene, "waitScreen").activated()
            compare(findChild(scene, "tantacle").visible, true)
            player.type = 6
            for (var i = 0; i < 10; ++i)
                arrive(i % 2)
            compare(scene.state, "victory")
            tryCompare(gameOverScreen, "opacity", 1)
            verify(findChild(scene, "assistantLeft").visible)
            verify(findChild(scene, "assistantRight").visible)
        }

        function test_repeatAfterVictoryStartsOver() {
            player.type = 6
            for (var i = 0; i < 10; ++i)
                arrive(i % 2)
            compare(scene.state, "victory")
            gameOverScreen.playAgainPressed()
            compare(scene.state, "wait", "the reset's own land change asks for victory in vain")
            compare(audioManager.applause, 1)
            compare(scene.lives, 3)
            compare(scene.coins, 1)
            compare(landsRunning(), 5)
            findChild(scene, "waitScreen").activated()
            compare(scene.state, "play")
            compare(scene.actStage, 0)
        }

        function test_backDuringPlayLosesTheRun() {
            scene.tap()
            scene.backButtonPressed()
            compare(audioManager.aww, 1)
            compare(scene.state, "play")
            compare(landsRunning(), 0)
            compare(findChild(scene, "portal").running, false)
            scene.newRun()
            compare(scene.state, "wait")
            compare(landsRunning(), 5)
            compare(player.type, 6)
            compare(scene.lives, 3)
            compare(scene.coins, 1)
        }

        function test_newRunCancelsALeftoverSpin() {
            scene.tap()
            scene.backButtonPressed()
            scene.newRun()
            compare(rouletteTimer.count, 0)
            compare(rouletteTimer.running, false)
            compare(player.type, 6)
        }
    }
}
