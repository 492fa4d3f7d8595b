import QtQuick 2.0

/*!
    \qmltype LevelLoader
    \inqmlmodule Zarno
    \brief Loads the level document of the current level; the level editor sets its source.

    Give it the id \c levelLoader where the LevelEditor can see it.

    \qml
    LevelLoader {
        id: levelLoader
        onLoaded: console.log("level document ready", loadedLevel)
    }
    \endqml
*/
Item {
    id: levelLoader

    /*! The URL of the level document. */
    property url levelSource
    /*! The loaded document, or null. */
    readonly property Item loadedLevel: loader.status === Loader.Ready ? loader.item : null

    /*! Emitted when the document cannot be loaded. */
    signal error()
    /*! Emitted when the document is loaded. */
    signal loaded()
    /*! Emitted while the document is being loaded. */
    signal loading()

    anchors.fill: parent

    Loader {
        id: loader
        anchors.fill: parent
        source: levelLoader.levelSource
        onStatusChanged: {
            if (status === Loader.Loading) {
                levelLoader.state = "loading"
                levelLoader.loading()
            } else if (status === Loader.Ready) {
                levelLoader.state = ""
                levelLoader.loaded()
            } else if (status === Loader.Error || String(levelLoader.levelSource) !== "") {
                // An emptied source is not a failure: no level document is wanted.
                levelLoader.state = "error"
                console.warn("ERROR: LeveLoader: error at loading level with url", levelLoader.levelSource)
                levelLoader.error()
            } else {
                levelLoader.state = ""
            }
        }
    }

    states: [
        State { name: "loading" },
        State { name: "error" }
    ]
}
