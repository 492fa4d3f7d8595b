import QtQuick 2.0

/*!
    \qmltype PolygonItem
    \inqmlmodule Zarno
    \brief A polygon through vertices, stroked, filled or textured, drawn sharp at the chosen image density.

    The vertices are in the item's own coordinates. A texture repeats inside the
    polygon, one texture pixel per logical unit.

    \qml
    PolygonItem {
        vertices: [Qt.point(0, 0), Qt.point(80, 0), Qt.point(40, 60)]
        color: "crimson"
        fill: true
    }
    \endqml
*/
Item {
    id: polygonItem

    /*! The corners, objects with x and y. */
    property var vertices: []
    /*! The stroke or fill colour. */
    property color color: "black"
    /*! Whether the polygon is filled with the colour rather than stroked. */
    property bool fill: false
    /*! Whether the path returns to its first vertex. */
    property bool close: true
    /*! An image that fills the polygon as a repeating pattern. */
    property url texture: ""

    property bool __completed: false
    property real __offsetX: 0
    property real __offsetY: 0
    readonly property real __factor: internalContentScaleFactorForImages

    function __redo() {
        if (!__completed)
            return
        var list = vertices || []
        var minX = 0, minY = 0, maxX = 0, maxY = 0
        for (var i = 0; i < list.length; ++i) {
            minX = Math.min(minX, list[i].x)
            minY = Math.min(minY, list[i].y)
            maxX = Math.max(maxX, list[i].x)
            maxY = Math.max(maxY, list[i].y)
        }
        __offsetX = -minX
        __offsetY = -minY
        width = maxX + __offsetX
        height = maxY + __offsetY
        if (String(texture) !== "" && !canvas.isImageLoaded(texture))
            canvas.loadImage(texture)
        canvas.requestPaint()
    }

    onVerticesChanged: __redo()
    onColorChanged: __redo()
    onFillChanged: __redo()
    onCloseChanged: __redo()
    onTextureChanged: __redo()
    Component.onCompleted: {
        __completed = true
        __redo()
    }

    Canvas {
        id: canvas
        objectName: "canvas"
        x: -polygonItem.__offsetX
        y: -polygonItem.__offsetY
        width: polygonItem.width / polygonItem.__factor
        height: polygonItem.height / polygonItem.__factor
        transform: Scale { xScale: polygonItem.__factor; yScale: polygonItem.__factor }

        onImageLoaded: requestPaint()
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.scale(1 / polygonItem.__factor, 1 / polygonItem.__factor)
            var list = polygonItem.vertices || []
            if (list.length === 0)
                return
            ctx.beginPath()
            ctx.moveTo(list[0].x + polygonItem.__offsetX, list[0].y + polygonItem.__offsetY)
            for (var i = 1; i < list.length; ++i)
                ctx.lineTo(list[i].x + polygonItem.__offsetX, list[i].y + polygonItem.__offsetY)
            if (polygonItem.close)
                ctx.closePath()
            var texture = String(polygonItem.texture)
            if (texture !== "") {
                if (!isImageLoaded(polygonItem.texture))
                    return
                ctx.save()
                ctx.clip()
                ctx.fillStyle = ctx.createPattern(texture, "repeat")
                ctx.fillRect(0, 0, polygonItem.width, polygonItem.height)
                ctx.restore()
            } else if (polygonItem.fill) {
                ctx.fillStyle = polygonItem.color
                ctx.fill()
            } else {
                ctx.strokeStyle = polygonItem.color
                ctx.stroke()
            }
        }
    }
}
