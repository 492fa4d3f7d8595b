import QtQuick 2.15

/*!
    \qmltype JoystickControllerHUD
    \inqmlmodule Zarno
    \brief An on-screen thumb stick that yields two axis values from touch or mouse.

    The pad is 2 x \l joystickRadius square. Dragging the first touch point
    away from its centre sets \l controllerXPosition and \l controllerYPosition
    within [-1, 1] (y upwards); the thumb follows within the pad.

    \qml
    JoystickControllerHUD {
        anchors { left: parent.left; bottom: parent.bottom; margins: 16 }
        joystickRadius: 60
        onControllerXPositionChanged: player.horizontalInput = controllerXPosition
    }
    \endqml
*/
Image {
    id: pad

    /*! The pad's picture. */
    property alias backgroundImageSource: pad.source
    /*! The thumb's picture. */
    property alias thumbSource: thumb.source
    /*! Radius of the pad; the output reaches 1 at this distance from the centre. */
    property real joystickRadius: 50
    /*! Radius of the thumb. */
    property real thumbRadius: joystickRadius / 2
    /*! Horizontal output, -1 (left) to 1 (right). */
    property real controllerXPosition: 0
    /*! Vertical output, -1 (down) to 1 (up). */
    property real controllerYPosition: 0
    /*! Whether the pad is touched. */
    property bool pressed: false

    property point __thumbOffset: Qt.point(0, 0)

    source: "joystick_background.png"
    width: 2 * joystickRadius
    height: 2 * joystickRadius
    mipmap: true

    function __update(x, y) {
        var dx = x - width / 2
        var dy = y - height / 2
        var length = Math.sqrt(dx * dx + dy * dy)
        if (length > joystickRadius) {
            dx *= joystickRadius / length
            dy *= joystickRadius / length
            length = joystickRadius
        }
        controllerXPosition = joystickRadius > 0 ? dx / joystickRadius : 0
        controllerYPosition = joystickRadius > 0 ? -dy / joystickRadius : 0
        var thumbRange = Math.max(0, joystickRadius - thumbRadius)
        var scale = length > thumbRange && length > 0 ? thumbRange / length : 1
        __thumbOffset = Qt.point(dx * scale, dy * scale)
    }

    function __release() {
        pressed = false
        controllerXPosition = 0
        controllerYPosition = 0
        __thumbOffset = Qt.point(0, 0)
    }

    Image {
        id: thumb
        objectName: "thumb"
        source: "joystick_thumb.png"
        width: 2 * pad.thumbRadius
        height: 2 * pad.thumbRadius
        x: pad.width / 2 + pad.__thumbOffset.x - pad.thumbRadius
        y: pad.height / 2 + pad.__thumbOffset.y - pad.thumbRadius
        mipmap: true
    }

    MultiPointTouchArea {
        anchors.fill: parent
        maximumTouchPoints: 1
        onPressed: {
            pad.pressed = true
            pad.__update(touchPoints[0].x, touchPoints[0].y)
        }
        onUpdated: pad.__update(touchPoints[0].x, touchPoints[0].y)
        onReleased: pad.__release()
        onCanceled: pad.__release()
    }
}
