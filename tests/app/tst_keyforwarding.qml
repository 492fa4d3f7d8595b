import QtQuick 2.15
import QtTest 1.2

// The forwarder as the game's engine publishes it: presses that no item takes
// reach QML handlers, which can consume them.
Item {
    id: root
    width: 200
    height: 100

    property var keys: []
    property bool consume: false

    Connections {
        target: globalKeyForwarder
        function onPressed(event) {
            root.keys.push(event.key)
            if (root.consume)
                event.accepted = true
        }
    }

    TextInput {
        id: field
        width: 100
        height: 20
    }

    TestCase {
        name: "KeyForwarding"
        when: windowShown

        function init() {
            root.keys = []
            root.consume = false
            field.text = ""
            field.focus = false
        }

        function test_unfocusedPressIsForwarded() {
            keyClick(Qt.Key_Escape)
            compare(root.keys, [Qt.Key_Escape])
        }

        function test_focusedTextFieldKeepsTyping() {
            field.forceActiveFocus()
            keyClick(Qt.Key_K)
            compare(field.text, "k")
            compare(root.keys, [])
        }

        function test_consumedPress() {
            root.consume = true
            keyClick(Qt.Key_Back)
            compare(root.keys, [Qt.Key_Back])
        }
    }
}
