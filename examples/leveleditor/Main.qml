import QtQuick 2.0
import Zarno 2.0

// Place crates and balls, drag them around, change their look in the item editor
// on the right, save the level, clear the board and load it back. The last saved
// level is loaded again when the example starts.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        objectName: "scene"
        width: 480
        height: 320

        property int placed: 0

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#1d3557"
        }

        Item {
            id: board
            objectName: "board"
            x: 0
            y: 34
            width: 300
            height: 286
            clip: true
            Rectangle { anchors.fill: parent; color: "#f1faee"; opacity: 0.12 }
        }

        EntityManager {
            id: entityManager
            objectName: "entityManager"
            entityContainer: board
            // One of each so that a stored level can be re-created by type.
            dynamicCreationEntityList: [Qt.resolvedUrl("Box.qml"), Qt.resolvedUrl("Ball.qml")]
        }

        ItemEditor {
            id: itemEditor
            objectName: "itemEditor"
            x: 304
            y: 34
            width: 172
            height: 282
        }

        LevelEditor {
            id: levelEditor
            objectName: "levelEditor"
            toStoreEntityTypes: ["box", "ball"]
            toRemoveEntityTypes: ["box", "ball"]
            Component.onCompleted: {
                var levels = authorGeneratedLevels
                if (levels.length > 0)
                    loadSingleLevel(levels[levels.length - 1])
            }
        }

        function place(url) {
            var n = placed++
            entityManager.createEntityFromUrlWithProperties(Qt.resolvedUrl(url),
                { x: 20 + (n * 47) % 240, y: 20 + (Math.floor(n / 5) * 60) % 220 })
        }

        Row {
            x: 4
            y: 4
            spacing: 4
            ToolButton { objectName: "addBox"; text: "+ Crate"; onClicked: scene.place("Box.qml") }
            ToolButton { objectName: "addBall"; text: "+ Ball"; onClicked: scene.place("Ball.qml") }
            ToolButton {
                objectName: "save"
                text: "Save"
                onClicked: levelEditor.saveCurrentLevel({ levelMetaData: { levelName: "Sketch" } })
            }
            ToolButton { objectName: "clear"; text: "Clear"; onClicked: entityManager.removeAllEntities() }
            ToolButton {
                objectName: "reload"
                text: "Reload"
                onClicked: if (levelEditor.currentLevelData) levelEditor.loadSingleLevel(levelEditor.currentLevelData.levelMetaData)
            }
        }

        Text {
            objectName: "status"
            anchors { right: parent.right; rightMargin: 6; top: parent.top; topMargin: 9 }
            color: "white"
            font.pixelSize: 11
            text: levelEditor.currentLevelData
                  ? levelEditor.currentLevelNameString + " #" + levelEditor.currentLevelId
                  : "unsaved"
        }
    }
}
