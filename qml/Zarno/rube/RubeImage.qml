import QtQuick 2.0
import Zarno 2.0

/*!
    \qmltype RubeImage
    \inqmlmodule Zarno
    \brief A picture of a physics scene file, placed on its body or in the container.

    \qml
    RubeImage { source: "wheel.png"; width: 32; height: 32 }
    \endqml
*/
MultiResolutionImage {
    objectName: "rubeImage"
    /*! Emitted with the scene image's JSON object and the world after the parser has applied it. */
    signal internalInit(var json, var world)
    /*! Emitted when the whole scene is built. */
    signal initialized()
}
