import QtQuick 2.0

/*!
    \qmltype LevelData
    \inqmlmodule Zarno
    \brief The four parts of a stored level: entities, editable values, game data and metadata.

    \qml
    LevelBase {
        levelData.customData: ({ "par": 3 })
    }
    \endqml
*/
QtObject {
    /*! Map from entity id to the entity as EntityManager::storeEntitiesAsJson() writes it. */
    property var entityData: ({})
    /*! What ItemEditor::saveAllComponentsToJSON() returned when the level was saved. */
    property var editableComponentData: ({})
    /*! Free data of the game. */
    property var customData: ({})
    /*! \c levelId, \c levelName, \c storageLocation, \c creationTime, \c lastModificationTime and optionally \c levelBaseUrl or \c levelBaseName. */
    property var levelMetaData: ({})
}
