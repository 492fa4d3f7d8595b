import QtQuick 2.0

/*!
    \qmltype ParallaxItem
    \inqmlmodule Zarno
    \brief A layer that follows the movement of another item at a fraction of its speed.

    Whenever the target moves by d, the item moves by -d x (1 - ratio): with a
    ratio of 1 it stays still relative to the target, with 0 it makes up for the
    target's whole movement. Placed inside a camera's entity container, a ratio
    below 1 makes a far layer.

    \qml
    Item {
        id: world                      // moved by a CameraZarno
        ParallaxItem {
            ratio: Qt.point(0.3, 1)    // far mountains: 30 % of the camera's movement
            Image { source: "img/mountains.png" }
        }
    }
    \endqml
*/
Item {
    id: root

    /*! The item whose movement is followed; the parent by default. */
    property Item parallaxPositionTarget: parent
    /*! Share of the target's movement per axis that the item keeps. */
    property point ratio: Qt.point(1, 1)

    property real __lastX: 0
    property real __lastY: 0

    function __takePosition() {
        if (!parallaxPositionTarget)
            return
        __lastX = parallaxPositionTarget.x
        __lastY = parallaxPositionTarget.y
    }

    onParallaxPositionTargetChanged: __takePosition()
    Component.onCompleted: __takePosition()

    Connections {
        target: root.parallaxPositionTarget
        function onXChanged() {
            var newX = root.parallaxPositionTarget.x
            root.x += (root.__lastX - newX) * (1 - root.ratio.x)
            root.__lastX = newX
        }
        function onYChanged() {
            var newY = root.parallaxPositionTarget.y
            root.y += (root.__lastY - newY) * (1 - root.ratio.y)
            root.__lastY = newY
        }
    }
}
