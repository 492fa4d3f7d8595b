import QtQuick 2.0

/*!
    \qmltype SlotMachineModel
    \inqmlmodule Zarno
    \brief The symbols of a slot machine reel and how often each appears.

    Each symbol stands on the reel as often as its frequency says; the reel's
    items see \c modelData.type (the symbol's name), \c modelData.frequency and
    \c modelData.data.

    \qml
    SlotMachineModel {
        symbols: {
            "cherry": { frequency: 3, data: { payout: 2 } },
            "bell": 1
        }
    }
    \endqml
*/
QtObject {
    /*!
        Map from symbol name to either anything (frequency 1, no data) or an
        object with \c frequency and \c data.
    */
    property var symbols: ({})
    /*! Whether each reel gets the symbols in a random order. */
    property bool shuffle: true

    objectName: "__slotMachineModel"
}
