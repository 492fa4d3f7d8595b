import QtQuick 2.0
import Zarno 2.0

// A crate from the scene file; its "points" custom property shows on it and it
// flashes while something touches it.
RubeBody {
    id: crate
    property int touching: 0
    onBeginContact: touching++
    onEndContact: touching = Math.max(0, touching - 1)

    Text {
        anchors.centerIn: parent
        z: 2
        text: crate.customProperties.points !== undefined ? crate.customProperties.points : ""
        color: crate.touching > 0 ? "#ffe066" : "white"
        font.pixelSize: 11
        font.bold: true
    }
}
