import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// The native base of the item editor: delegate slots and colour components.
TestCase {
    name: "ItemEditorBase"

    ItemEditorBase { id: base }
    Component { id: first; Item {} }
    Component { id: second; Item {} }
    SignalSpy { id: spy; target: base; signalName: "numberDelegateChanged" }

    function test_sameDelegateTwiceSignalsOnce() {
        base.numberDelegate = first
        base.numberDelegate = first
        compare(spy.count, 1)
        base.numberDelegate = second
        compare(spy.count, 2)
        compare(base.numberDelegate, second)
    }

    function test_colourComponents_data() {
        return [
            { tag: "pure red", color: "#ff0000", expected: [1, 0, 0, 1] },
            { tag: "transparent", color: "transparent", expected: [0, 0, 0, 0] },
            { tag: "half blue", color: Qt.rgba(0, 0, 0.5, 0.25), expected: [0, 0, 0.5, 0.25] },
        ]
    }

    function test_colourComponents(data) {
        var read = [base.readColorPropertyWithRed(data.color), base.readColorPropertyWithGreen(data.color),
                    base.readColorPropertyWithBlue(data.color), base.readColorPropertyWithAlpha(data.color)]
        for (var i = 0; i < 4; ++i)
            fuzzyCompare(read[i], data.expected[i], 0.005)
    }
}
