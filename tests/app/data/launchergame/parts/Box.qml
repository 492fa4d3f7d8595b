import QtQuick 2.0

Rectangle {
    color: "#ff0000"
}
