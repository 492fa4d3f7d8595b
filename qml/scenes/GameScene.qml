import QtQuick 2.0
import QtQuick.Layouts 1.1
import Zarno 2.0
import "../common"
import "../items"
import "../misc"
import "runrules.js" as Rules

QemScene {
    id: gameScene

    property int actStage: 0
    property int maxStage: 10
    property int lives: 0
    property int coins: 0
    property int land: 0

    // The end screen is up.
    readonly property bool runOver: state === "victory" || state === "defeat"

    // Every draw of a run goes through this, so a run can be replayed with fixed numbers.
    property var random: Math.random

    // Resets for the wait screen.
    function initGame() {
        portal.restart()
        player.init()
        land = 5
        for (var i = 0; i < lands.count; ++i)
            lands.itemAt(i).play()
        lives = 3
        coins = 1
    }

    // Resets at the start of play; the land layers keep scrolling from the wait screen.
    function playGame() {
        roulette.firstTime = true
        portal.restart()
        player.init()
        land = 5
        lives = 3
        coins = 1
        actStage = 0
    }

    // Fresh run on the wait screen, whatever state the scene was left in. A spin
    // left over from the last visit must not change the new starting creature.
    function newRun() {
        rouletteTimer.count = 0
        if (state === "wait")
            initGame()
        else
            changeState("wait")
    }

    function startRunning() {
        player.play()
        portal.running = true
    }

    function stopGame() {
        for (var i = 0; i < lands.count; ++i)
            lands.itemAt(i).stop()
        portal.running = false
    }

    function applyVictory() {
        stopGame()
        audioManager.playApplauseSfx()
    }

    function applyDefeat() {
        stopGame()
        audioManager.playAwwSfx()
    }

    // A tap on the scene: the first one of a run is free and sets everything moving.
    function tap() {
        if (coins <= 0)
            return
        if (roulette.firstTime) {
            roulette.firstTime = false
            startRunning()
        } else {
            coins -= 1
        }
        roulette.jumpTo("run")
        rouletteTimer.init()
    }

    function spinStep() {
        var count = rouletteTimer.count
        for (var i = 0; i < signs.count; ++i) {
            var sign = signs.itemAt(i)
            sign.value = count === 50 ? Math.round(random() * 2) : (sign.value + 1) % 3
        }
        if (count === 1)
            nextPlayerType()
        rouletteTimer.count = count - 1
    }

    function nextPlayerType() {
        player.type = Rules.nextType(player.type, Math.round(random() * 5))
        performActions()
    }

    function portalArrived() {
        portal.restart()
        land = Rules.nextLand(land, Math.round(random() * 4))
        coins += 1
    }

    function performActions() {
        switch (Rules.outcome(player.type, land)) {
        case Rules.heal:
            player.heal()
            if (lives < 3)
                lives += 1
            break
        case Rules.damage:
            player.damage()
            lives -= 1
            break
        case Rules.neutral:
            player.neutral()
            break
        }
    }

    // Entering a state may itself ask for another one (a reset after a victory counts
    // a stage past the goal); such requests are dropped, so the entered state holds.
    function changeState(newState) {
        if (!internal.enteringState)
            state = newState
    }

    onLandChanged: {
        actStage += 1
        if (actStage >= maxStage)
            changeState("victory")
        performActions()
    }

    onLivesChanged: {
        if (lives <= 0) {
            changeState("defeat")
            player.die()
        }
    }

    onStateChanged: {
        internal.enteringState = true
        if (state === "wait")
            initGame()
        else if (state === "play")
            playGame()
        else if (state === "victory")
            applyVictory()
        else if (state === "defeat")
            applyDefeat()
        internal.enteringState = false
    }

    // In the back path the main item stops the scene and shows the title screen;
    // a run in progress counts as lost.
    onBackButtonPressed: {
        if (state === "play")
            applyDefeat()
    }

    Component.onCompleted: changeState("wait")

    QtObject {
        id: internal
        property bool enteringState: false
    }

    // Once every land layer is shown they cover the whole window (a layer behind
    // ends where one in front turns opaque), and the black fill behind them would
    // only be drawn over.
    windowFill.visible: backdrop.visible || gameWindowAnchorItem.width > 3000.5 || lands.count < 5
                        || [0, 1, 2, 3, 4].some(function (i) { return !lands.itemAt(i).pictureShown })

    MultiResolutionImage {
        id: backdrop
        objectName: "backdrop"
        anchors.centerIn: parent
        // Seen only above and below the lands, in windows taller than the scene;
        // elsewhere the opaque sky covers it and drawing it would be wasted.
        visible: gameWindowAnchorItem.height > gameScene.height + 0.5
        // The scene is hidden at start-up: its pictures are decoded in the background.
        asynchronous: true
        // Drawn far below its file's density; the smaller levels keep software rendering fast.
        Component.onCompleted: image.mipmap = true
        source: "../../assets/img/bkg/bkg.png"
    }

    Repeater {
        id: lands
        objectName: "lands"
        model: 5
        Background {
            anchors.fill: gameWindowAnchorItem
            land: gameScene.land
            number: index
            velocity: -200 * index
            pixelsPerUnit: gameScene.xScaleForScene
            shown: gameScene.visible
        }
    }

    Player {
        id: player
        objectName: "player"
        shown: gameScene.visible
        anchors.left: parent.left
        anchors.leftMargin: 100
        anchors.bottom: parent.verticalCenter
        anchors.bottomMargin: -220
    }

    MultiResolutionImage {
        id: tantacle
        objectName: "tantacle"
        anchors.right: gameWindowAnchorItem.right
        y: gameScene.height / 2
        visible: !gameScene.runOver
        source: "../../assets/img/misc/tantacle.png"

        MovementAnimation {
            target: tantacle
            property: "y"
            velocity: -250
            running: gameScene.visible
            minPropertyValue: gameScene.height / 2 - 250
            maxPropertyValue: gameScene.height / 2 + 250
            onLimitReached: velocity = -velocity
        }
    }

    SpriteSequenceZarno {
        id: portal
        objectName: "portal"

        // Whether the portal travels; its sprite turns while the scene shows.
        property bool running: false
        spriteSequence.running: gameScene.visible

        function restart() {
            x = 5000
        }

        anchors.bottom: parent.verticalCenter
        anchors.bottomMargin: -220
        defaultSource: "../../assets/img/misc/portal.png"

        SpriteZarno {
            name: "idle"
            frameWidth: 280
            frameHeight: 280
            startFrameColumn: 1
            frameCount: 4
            frameRate: 20
            to: {"idle": 1}
        }
    }

    MovementAnimation {
        objectName: "portalMovement"
        target: portal
        property: "x"
        velocity: -1000
        running: portal.running
        minPropertyValue: 280
        onLimitReached: gameScene.portalArrived()
    }

    ColumnLayout {
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.margins: gameScene.mm
        spacing: gameScene.mm

        Row {
            spacing: gameScene.mm
            Repeater {
                model: 3
                MultiResolutionImage {
                    source: "../../assets/img/misc/heart_" + (gameScene.lives > index ? "on" : "off") + ".png"
                }
            }
        }

        Row {
            spacing: gameScene.mm
            Repeater {
                objectName: "coinIcons"
                model: 5
                MultiResolutionImage {
                    visible: gameScene.coins > index
                    source: "../../assets/img/misc/coin.png"
                }
            }
        }
    }

    SpriteSequenceZarno {
        id: roulette
        objectName: "roulette"

        property bool firstTime: false

        running: gameScene.visible
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: gameScene.mm
        defaultSource: "../../assets/img/misc/roulette.png"

        SpriteZarno {
            name: "run"
            frameWidth: 820
            frameHeight: 320
            startFrameColumn: 1
            frameCount: 5
            frameRate: 20
            to: {"idle": 1}
        }

        SpriteZarno {
            name: "idle"
            frameWidth: 820
            frameHeight: 320
            startFrameColumn: 6
            frameCount: 1
            to: {"idle": 1}
        }
    }

    MouseArea {
        objectName: "tapArea"
        anchors.fill: parent
        enabled: gameScene.coins > 0
        onClicked: gameScene.tap()
    }

    // Decoration only: the symbols never decide a spin.
    RowLayout {
        anchors.right: roulette.right
        anchors.rightMargin: 60
        anchors.top: roulette.top
        anchors.topMargin: 50

        Repeater {
            id: signs
            objectName: "rouletteSigns"
            model: 3
            MultiResolutionImage {
                property int value: Math.round(Math.random() * 2)
                source: "../../assets/img/misc/sign-" + value + ".png"
            }
        }
    }

    Timer {
        id: rouletteTimer
        objectName: "rouletteTimer"

        property int count: 0

        function init() {
            count = 50
        }

        interval: 25
        repeat: true
        running: count > 0
        onTriggered: gameScene.spinStep()
    }

    WaitScreen {
        id: waitScreen
        objectName: "waitScreen"
        anchors.fill: gameWindowAnchorItem
        z: 1
        onActivated: gameScene.changeState("play")
    }

    GameOverScreen {
        id: gameOverScreen
        objectName: "gameOverScreen"
        anchors.fill: gameWindowAnchorItem
        z: 1
        onPlayAgainPressed: gameScene.changeState("wait")
        onMenuPressed: gameScene.backButtonPressed()

        SpriteSequenceZarno {
            id: assistantLeft
            objectName: "assistantLeft"
            visible: gameScene.state !== "defeat"
            anchors.left: parent.left
            anchors.leftMargin: 100
            anchors.verticalCenter: parent.verticalCenter
            defaultSource: "../../assets/img/misc/assistant.png"
            running: gameScene.visible && gameScene.runOver

            SpriteZarno {
                name: "dance"
                frameWidth: 256
                frameHeight: 256
                startFrameColumn: 1
                frameCount: 8
                frameRate: 5
                to: {"dance": 1}
            }
        }

        SpriteSequenceZarno {
            id: assistantRight
            objectName: "assistantRight"
            visible: gameScene.state !== "defeat"
            anchors.right: parent.right
            anchors.rightMargin: 100
            anchors.verticalCenter: parent.verticalCenter
            defaultSource: "../../assets/img/misc/assistant.png"
            running: gameScene.visible && gameScene.runOver
            mirrorX: true

            SpriteZarno {
                name: "dance"
                frameWidth: 256
                frameHeight: 256
                startFrameColumn: 1
                frameCount: 8
                frameRate: 5
                to: {"dance": 1}
            }
        }
    }

    states: [
        State {
            name: "wait"
            PropertyChanges { target: waitScreen; state: "shown" }
        },
        State {
            name: "play"
        },
        State {
            name: "victory"
            PropertyChanges { target: gameOverScreen; title: qsTr("Victory!"); state: "shown" }
        },
        State {
            name: "defeat"
            PropertyChanges { target: gameOverScreen; title: qsTr("Defeat!"); state: "shown" }
        }
    ]
}
