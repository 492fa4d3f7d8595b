import QtQuick 2.0
import "palette.js" as Palette

Rectangle {
    color: Palette.box
}
