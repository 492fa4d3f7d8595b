import QtQuick 2.0
import Zarno 2.0
import "TwoAxisControllerComponent.js" as Logic

/*!
    \qmltype TwoAxisController
    \inqmlmodule Zarno
    \brief Turns arrow keys, or any keys mapped to named actions, into two axis values and action signals.

    It reads keys while it has keyboard focus (or when key events are forwarded
    to it) and is enabled. Auto-repeated key events are ignored. Releasing a
    key sets its axis back to 0 only if the axis still holds that key's value.

    \qml
    Scene {
        focus: true
        Keys.forwardTo: controller
        TwoAxisController {
            id: controller
            onInputActionPressed: if (actionName === "fire") player.jump()
        }
        // controller.xAxis is -1, 0 or 1
    }
    \endqml
*/
ComponentBase {
    id: controller
    objectName: "TwoAxisController"

    /*! -1 while "left" is held, 1 while "right" is held, else 0. */
    property real xAxis: 0
    /*! 1 while "up" is held, -1 while "down" is held, else 0. */
    property real yAxis: 0
    /*!
        Action name to key code. By default "up", "down", "left", "right" map to the
        arrow keys and "fire" to Return.
    */
    property var inputActionsToKeyCode: ({ up: Qt.Key_Up, down: Qt.Key_Down, left: Qt.Key_Left,
                                           right: Qt.Key_Right, fire: Qt.Key_Return })

    /*! Emitted when the key of an action is pressed, with the action's name. */
    signal inputActionPressed(string actionName)
    /*! Emitted when the key of an action is released, with the action's name. */
    signal inputActionReleased(string actionName)

    /*! Returns whether the key of \a actionName is held. */
    function isPressed(actionName) {
        return Logic.isPressed(actionName)
    }

    /*!
        Presses (\a isPressed true) or releases \a actionName as its key would (axes,
        flag and signal), e.g. from on-screen buttons.
    */
    function setInputActionPressedStatus(actionName, isPressed) {
        Logic.setPressed(controller, actionName, isPressed)
    }

    property bool __completed: false
    onInputActionsToKeyCodeChanged: if (__completed) Logic.resetFlags(inputActionsToKeyCode)
    Component.onCompleted: {
        __completed = true
        Logic.resetFlags(inputActionsToKeyCode)
    }

    Keys.onPressed: Logic.handleKey(controller, event, true)
    Keys.onReleased: Logic.handleKey(controller, event, false)
}
