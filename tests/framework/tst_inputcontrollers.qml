import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "InputControllers"
    when: windowShown
    width: 480
    height: 320
    visible: true

    TwoAxisController {
        id: controller
        focus: true
    }

    SignalSpy { id: pressedSpy; target: controller; signalName: "inputActionPressed" }
    SignalSpy { id: releasedSpy; target: controller; signalName: "inputActionReleased" }

    function init() {
        controller.forceActiveFocus()
        pressedSpy.clear()
        releasedSpy.clear()
    }

    function test_keysDriveTheAxes_data() {
        // Each step: key, pressed?, expected xAxis, expected yAxis.
        return [
            { tag: "left then right, release left", steps: [[Qt.Key_Left, true, -1, 0], [Qt.Key_Right, true, 1, 0],
                                                            [Qt.Key_Left, false, 1, 0], [Qt.Key_Right, false, 0, 0]] },
            { tag: "up and down", steps: [[Qt.Key_Up, true, 0, 1], [Qt.Key_Down, true, 0, -1], [Qt.Key_Down, false, 0, 0],
                                          [Qt.Key_Up, false, 0, 0]] },
            { tag: "two axes", steps: [[Qt.Key_Right, true, 1, 0], [Qt.Key_Up, true, 1, 1], [Qt.Key_Right, false, 0, 1],
                                       [Qt.Key_Up, false, 0, 0]] },
        ]
    }

    function test_keysDriveTheAxes(data) {
        for (var i = 0; i < data.steps.length; ++i) {
            var step = data.steps[i]
            if (step[1])
                keyPress(step[0])
            else
                keyRelease(step[0])
            compare(controller.xAxis, step[2], "step " + i)
            compare(controller.yAxis, step[3], "step " + i)
        }
        compare(pressedSpy.count, 2)
        compare(releasedSpy.count, 2)
    }

    function test_actionsAndRemapping() {
        keyPress(Qt.Key_Return)
        verify(controller.isPressed("fire"))
        compare(pressedSpy.signalArguments[0][0], "fire")
        keyRelease(Qt.Key_Return)
        verify(!controller.isPressed("fire"))
        compare(releasedSpy.count, 1)

        controller.inputActionsToKeyCode = { left: Qt.Key_A, right: Qt.Key_D, jump: Qt.Key_Space }
        keyPress(Qt.Key_A)
        compare(controller.xAxis, -1)
        keyPress(Qt.Key_Space)
        verify(controller.isPressed("jump"))
        keyPress(Qt.Key_Left)
        compare(controller.xAxis, -1, "the arrow is no longer mapped")
        keyRelease(Qt.Key_A)
        keyRelease(Qt.Key_Space)
        compare(controller.xAxis, 0)
        controller.inputActionsToKeyCode = { left: Qt.Key_Left, right: Qt.Key_Right, up: Qt.Key_Up,
                                             down: Qt.Key_Down, fire: Qt.Key_Return }
    }

    JoystickControllerHUD {
        id: joystick
        x: 100
        y: 100
    }

    function test_thumbStick_data() {
        // Touch position relative to the pad's centre; expected outputs and thumb offset.
        return [
            { tag: "far right", dx: 200, dy: 0, outX: 1, outY: 0, thumbX: 25, thumbY: 0 },
            { tag: "inside, up left", dx: -10, dy: -20, outX: -0.2, outY: 0.4, thumbX: -10, thumbY: -20 },
            { tag: "far down", dx: 0, dy: 80, outX: 0, outY: -1, thumbX: 0, thumbY: 25 },
        ]
    }

    function test_thumbStick(data) {
        compare(joystick.status, Image.Ready)
        var thumb = findChild(joystick, "thumb")
        compare(thumb.status, Image.Ready)
        compare(joystick.width, 100)
        compare(thumb.width, 50)
        var touch = touchEvent(joystick)
        touch.press(0, joystick, 50, 50).commit()
        verify(joystick.pressed)
        compare(joystick.controllerXPosition, 0)
        // Touch moves are delivered with the next frame.
        touch.move(0, joystick, 50 + data.dx, 50 + data.dy).commit()
        tryVerify(function () { return Math.abs(joystick.controllerXPosition - data.outX) < 1e-9
                                       && Math.abs(joystick.controllerYPosition - data.outY) < 1e-9 })
        fuzzyCompare(joystick.controllerYPosition, data.outY, 1e-9)
        fuzzyCompare(thumb.x + 25 - 50, data.thumbX, 1e-9)
        fuzzyCompare(thumb.y + 25 - 50, data.thumbY, 1e-9)
        touch.release(0, joystick, 50 + data.dx, 50 + data.dy).commit()
        tryVerify(function () { return !joystick.pressed })
        compare(joystick.controllerXPosition, 0)
        compare(joystick.controllerYPosition, 0)
        compare(thumb.x, 25)
    }
}
