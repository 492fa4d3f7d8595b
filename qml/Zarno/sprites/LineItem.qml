import QtQuick 2.0

/*!
    \qmltype LineItem
    \inqmlmodule Zarno
    \brief A polyline through points, drawn sharp at the chosen image density.

    The points are in the item's own coordinates; the item's size covers the
    points that lie right of and below its origin.

    \qml
    LineItem {
        points: [Qt.point(0, 0), Qt.point(100, -50), Qt.point(200, 0)]
        lineWidth: 4
        color: "gold"
        rounded: true
    }
    \endqml
*/
Item {
    id: lineItem

    /*! The points, objects with x and y. */
    property var points: [Qt.point(0, 0)]
    /*! The stroke width in logical units. */
    property int lineWidth: 1
    /*! The stroke colour. */
    property color color: "black"
    /*! Whether both ends are drawn round. */
    property bool rounded: false

    property bool __completed: false
    property real __offsetX: 0
    property real __offsetY: 0
    readonly property real __factor: internalContentScaleFactorForImages

    function __redo() {
        if (!__completed)
            return
        var list = points || []
        var minX = 0, minY = 0, maxX = 0, maxY = 0
        for (var i = 0; i < list.length; ++i) {
            minX = Math.min(minX, list[i].x)
            minY = Math.min(minY, list[i].y)
            maxX = Math.max(maxX, list[i].x)
            maxY = Math.max(maxY, list[i].y)
        }
        __offsetX = -minX
        __offsetY = -minY
        width = maxX + __offsetX + 2 * lineWidth
        height = maxY + __offsetY + 2 * lineWidth
        canvas.requestPaint()
    }

    onPointsChanged: __redo()
    onLineWidthChanged: __redo()
    onColorChanged: __redo()
    onRoundedChanged: __redo()
    Component.onCompleted: {
        __completed = true
        __redo()
    }

    Canvas {
        id: canvas
        objectName: "canvas"
        x: -lineItem.lineWidth - lineItem.__offsetX
        y: -lineItem.lineWidth - lineItem.__offsetY
        width: lineItem.width / lineItem.__factor
        height: lineItem.height / lineItem.__factor
        transform: Scale { xScale: lineItem.__factor; yScale: lineItem.__factor }

        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.scale(1 / lineItem.__factor, 1 / lineItem.__factor)
            var list = lineItem.points || []
            if (list.length === 0)
                return
            var shiftX = lineItem.lineWidth + lineItem.__offsetX
            var shiftY = lineItem.lineWidth + lineItem.__offsetY
            ctx.strokeStyle = lineItem.color
            ctx.lineWidth = lineItem.lineWidth
            ctx.beginPath()
            ctx.moveTo(list[0].x + shiftX, list[0].y + shiftY)
            for (var i = 1; i < list.length; ++i)
                ctx.lineTo(list[i].x + shiftX, list[i].y + shiftY)
            ctx.stroke()
            if (lineItem.rounded) {
                ctx.fillStyle = lineItem.color
                var ends = [list[0], list[list.length - 1]]
                for (var e = 0; e < ends.length; ++e) {
                    ctx.beginPath()
                    ctx.arc(ends[e].x + shiftX, ends[e].y + shiftY, lineItem.lineWidth / 2, 0, 2 * Math.PI)
                    ctx.fill()
                }
            }
        }
    }
}
