import QtQuick 2.0

// The size comes from the scene the text is placed in.
Text {
    color: "#ffffff"
    style: Text.Outline
    styleColor: "#000000"
    font.family: "Arial"
    font.bold: true
    font.pixelSize: normalFontSize
}
