import QtQuick 2.0
import QtQuick.Window 2.2

Window {
    visible: true
    width: 960
    height: 640
    title: "Quillox"
    color: "#203040"
    Text {
        anchors.centerIn: parent
        text: "Quillox"
        color: "white"
        font.pixelSize: 64
    }
}
