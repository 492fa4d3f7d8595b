import QtQuick 2.0

// An image sized in logical units, whichever density of its file was resolved.
Item {
    id: root

    property alias source: image.source
    property real contentScaleFactor: internalContentScaleFactorForImages
    property bool translateToCenterAnchor: false
    property alias mirror: image.mirror
    property alias mirrorX: image.mirror
    property bool mirrorY: false

    property alias image: image
    property alias asynchronous: image.asynchronous
    property alias cache: image.cache
    property alias fillMode: image.fillMode
    property alias horizontalAlignment: image.horizontalAlignment
    property alias verticalAlignment: image.verticalAlignment
    property alias paintedWidth: image.paintedWidth
    property alias paintedHeight: image.paintedHeight
    property alias progress: image.progress
    property alias smooth: image.smooth
    property alias sourceSize: image.sourceSize
    property alias status: image.status

    // Whether width/height were taken from the file rather than set from outside;
    // such a size follows the file when the source changes.
    property bool __widthFromFile: false
    property bool __heightFromFile: false
    property bool __writingSize: false
    property bool __completed: false

    width: -1
    height: -1
    x: translateToCenterAnchor ? -width / 2 : 0
    y: translateToCenterAnchor ? -height / 2 : 0

    transform: [
        Scale {
            yScale: root.mirrorY ? -1 : 1
        },
        Translate {
            y: root.mirrorY ? root.height : 0
        }
    ]

    // The factor of the file the engine will load: a URL given in full (built
    // in script, handed to createObject) reads as given but is still resolved
    // to a density variant on loading, so it is resolved here the same way.
    function __factorForUrl(url) {
        var text = String(Qt.resolvedUrl(url))
        if (text.indexOf("+hd2") >= 0)
            return 0.25
        if (text.indexOf("+hd") >= 0)
            return 0.5
        return 1
    }

    function __writeOwnSize(dimension, value) {
        __writingSize = true
        root[dimension] = value
        __writingSize = false
        if (dimension === "width")
            __widthFromFile = true
        else
            __heightFromFile = true
    }

    function __followsFile(dimension) {
        return root[dimension] === -1 || (dimension === "width" ? __widthFromFile : __heightFromFile)
    }

    // The inner image changed size, e.g. because its file loaded.
    function __imageSizeChanged(dimension) {
        if (__writingSize || !__completed)
            return
        if (__followsFile(dimension)) {
            if (image[dimension] > 0 || root[dimension] !== -1)
                __writeOwnSize(dimension, image[dimension] * contentScaleFactor)
        } else {
            image[dimension] = root[dimension] / contentScaleFactor
        }
    }

    // The item was sized from outside (or set back to -1).
    function __ownSizeChanged(dimension) {
        if (__writingSize || !__completed)
            return
        if (dimension === "width")
            __widthFromFile = false
        else
            __heightFromFile = false
        __syncDimension(dimension)
    }

    function __syncDimension(dimension) {
        if (__followsFile(dimension)) {
            // Back to the file's own pixel size.
            image[dimension] = undefined
            if (image[dimension] > 0)
                __writeOwnSize(dimension, image[dimension] * contentScaleFactor)
        } else if (root[dimension] !== image[dimension] * contentScaleFactor) {
            image[dimension] = root[dimension] / contentScaleFactor
        }
    }

    function __sourceChanged() {
        contentScaleFactor = __factorForUrl(image.source)
        __syncDimension("width")
        __syncDimension("height")
    }

    onWidthChanged: __ownSizeChanged("width")
    onHeightChanged: __ownSizeChanged("height")

    Component.onCompleted: {
        __completed = true
        if (String(image.source) !== "")
            __sourceChanged()
    }

    Image {
        id: image
        antialiasing: root.antialiasing
        transform: Scale {
            xScale: root.contentScaleFactor
            yScale: root.contentScaleFactor
        }
        onSourceChanged: if (root.__completed) root.__sourceChanged()
        onWidthChanged: root.__imageSizeChanged("width")
        onHeightChanged: root.__imageSizeChanged("height")
    }
}
