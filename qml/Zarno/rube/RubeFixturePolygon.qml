import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype RubeFixturePolygon
    \inqmlmodule Zarno
    \brief A polygon fixture made by RubeParser from a scene fixture with "polygon".

    \qml
    RubeFixturePolygon { vertices: [Qt.point(0, 0), Qt.point(32, 0), Qt.point(0, -32)] }
    \endqml
*/
Polygon {
    /*! Set once the fixture's contacts reach its body. */
    property var __forwardedTo: null
    /*! Emitted with the scene fixture's JSON object and the world after the parser has applied it. */
    signal internalInit(var json, var world)
    /*! Emitted when the whole scene is built. */
    signal initialized()
}
