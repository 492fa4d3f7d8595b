import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype RubeFixtureCircle
    \inqmlmodule Zarno
    \brief A circle fixture made by RubeParser from a scene fixture with "circle".

    \qml
    RubeFixtureCircle { radius: 16; onInitialized: console.log("scene built") }
    \endqml
*/
Circle {
    /*! Set once the fixture's contacts reach its body. */
    property var __forwardedTo: null
    /*! Emitted with the scene fixture's JSON object and the world after the parser has applied it. */
    signal internalInit(var json, var world)
    /*! Emitted when the whole scene is built. */
    signal initialized()
}
