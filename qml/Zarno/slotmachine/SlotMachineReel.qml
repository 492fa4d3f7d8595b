import QtQuick 2.0

/*!
    \qmltype SlotMachineReel
    \inqmlmodule Zarno
    \brief One reel of a SlotMachine, with its own width, model or delegate.

    Reels declared inside a SlotMachine are added to it in order; anything not
    given here is taken from the machine.

    \qml
    SlotMachine {
        model: symbols
        delegate: symbolDelegate
        SlotMachineReel { }
        SlotMachineReel { width: 120; model: luckyReelSymbols }
    }
    \endqml
*/
QtObject {
    /*! The reel's width; 0 uses the machine's defaultReelWidth. */
    property real width: 0
    /*! The reel's model; null uses the machine's. */
    property var model: null
    /*! The reel's item delegate; null uses the machine's. */
    property Component delegate: null
    /*! The machine the reel belongs to, null until it is added. */
    property Item slotMachineRef: null

    // The driver the machine made for this reel.
    property Item __container: null
    // Made by the machine from a component: the machine destroys it when it removes it.
    property bool __madeByMachine: false

    objectName: "__slotMachineReel"
}
