import QtQuick 2.0

/*!
    \qmltype LevelBase
    \inqmlmodule Zarno
    \brief Base of a level document that a LevelLoader shows; carries the level's LevelData.

    \qml
    LevelBase {
        Rectangle { anchors.fill: parent; color: "lightsteelblue" }
        onLevelLoaded: console.log("playing", levelData.levelMetaData.levelName)
    }
    \endqml
*/
Item {
    /*! The data of the level shown in this document. */
    property LevelData levelData: LevelData {}

    /*! Emitted before the level editor saves; the document may update levelData.customData. */
    signal levelAboutToBeSaved()
    /*! Emitted when the level editor has copied a loaded level into levelData. */
    signal levelLoaded()
}
