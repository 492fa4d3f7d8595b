// Pressed flags of one TwoAxisController (one copy of this script per controller).

var pressed = {}

function resetFlags(actionsToKeyCode) {
    pressed = {}
    for (var action in actionsToKeyCode)
        pressed[action] = false
}

function isPressed(action) {
    return pressed[action] === true
}

function actionForKey(actionsToKeyCode, key) {
    for (var action in actionsToKeyCode) {
        if (actionsToKeyCode[action] === key)
            return action
    }
    return undefined
}

// The axis value that an action stands for, or undefined for actions without one.
var axisOfAction = {
    left: { axis: "xAxis", value: -1 },
    right: { axis: "xAxis", value: 1 },
    up: { axis: "yAxis", value: 1 },
    down: { axis: "yAxis", value: -1 }
}

function setPressed(controller, action, isDown) {
    var axis = axisOfAction[action]
    if (isDown) {
        if (axis)
            controller[axis.axis] = axis.value
    } else if (axis && controller[axis.axis] === axis.value) {
        // Releasing one key while the opposite one took over leaves the axis alone.
        controller[axis.axis] = 0
    }
    pressed[action] = isDown
    if (isDown)
        controller.inputActionPressed(action)
    else
        controller.inputActionReleased(action)
}

function handleKey(controller, event, isDown) {
    var action = actionForKey(controller.inputActionsToKeyCode, event.key)
    if (action === undefined) {
        event.accepted = false
        return
    }
    event.accepted = true
    if (!event.isAutoRepeat)
        setPressed(controller, action, isDown)
}
