import QtQuick 2.0

/*!
    \qmltype BackgroundImage
    \inqmlmodule Zarno
    \inherits MultiResolutionImage
    \brief MultiResolutionImage under the name used for backgrounds.

    \qml
    BackgroundImage {
        source: "../assets/img/sky.png"
        anchors.centerIn: scene.gameWindowAnchorItem
    }
    \endqml
*/
MultiResolutionImage {
}
