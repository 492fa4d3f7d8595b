import QtQuick 2.0

/*!
    \qmltype MultiResolutionImage
    \inqmlmodule Zarno
    \brief An image sized in scene units, whichever density of its file is loaded.

    An image file may exist in three densities: the plain file, a variant with
    twice the pixels in a \c{+hd} folder beside it and one with four times the
    pixels in a \c{+hd2} folder (\c{img/tree.png}, \c{img/+hd/tree.png},
    \c{img/+hd2/tree.png}). The engine loads the variant that suits the screen
    (the context value \c fileSelectorForImages) where it exists, else the
    plain file, and this item draws it at the same logical size: without a set
    size it takes the plain file's size in scene units; with a set size the file
    is stretched to it. The density follows the file actually loaded, also for
    URLs built in script.

    \qml
    MultiResolutionImage {
        source: "../assets/img/tree.png"    // 64 x 128 in the scene, also from +hd/tree.png (128 x 256)
        x: 100; y: 200
    }
    \endqml

    A picture drawn far below the density the screen selects (a distant layer,
    a window smaller than the screen) can say how many pixels it is drawn at
    with \l drawnPixelSize; it is then read at that size from the smallest file
    that still has the pixels:

    \qml
    MultiResolutionImage {
        source: "../assets/img/hills.png"   // 1500 x 1280, +hd 3000 x 2560
        width: 1500; height: 1280
        drawnPixelSize.height: 640          // reads hills.png, not +hd/hills.png
    }
    \endqml
*/
Item {
    id: root

    /*!
        The URL of the image file (its plain, density-less name), as resolved to
        the density the screen selects.
    */
    property url source
    /*!
        The size in pixels at which the picture is drawn, 0 in a dimension that
        is not known; both 0 (the default) when unknown. When given, the file is
        read at that size (it becomes \l sourceSize) and from the lowest density
        whose pixels still cover it, never a higher one than the screen selects;
        the inner Image's source then names that file with the query item
        \c{coverSize=WxH}. \l contentScaleFactor follows the file read, so the
        item's logical size is kept.
    */
    property size drawnPixelSize: Qt.size(0, 0)
    /*!
        Scene units per file pixel of the loaded file: 1 for a plain file, 0.5 for
        a \c{+hd} file, 0.25 for a \c{+hd2} file.
    */
    property real contentScaleFactor: internalContentScaleFactorForImages
    /*!
        Whether the item is centred on its parent's origin (x and y minus half its
        size); false by default.
    */
    property bool translateToCenterAnchor: false
    /*! Whether the image is mirrored horizontally. */
    property alias mirror: image.mirror
    /*! Same as \l mirror. */
    property alias mirrorX: image.mirror
    /*! Whether the image is flipped vertically inside its own box. */
    property bool mirrorY: false

    /*! The inner Image element. */
    property alias image: image
    /*! Whether the file loads in the background; see Image::asynchronous. */
    property alias asynchronous: image.asynchronous
    /*! Whether the loaded image is cached; see Image::cache. */
    property alias cache: image.cache
    /*! How the file fills a set size; see Image::fillMode. */
    property alias fillMode: image.fillMode
    /*! The horizontal alignment of the inner Image. */
    property alias horizontalAlignment: image.horizontalAlignment
    /*! The vertical alignment of the inner Image. */
    property alias verticalAlignment: image.verticalAlignment
    /*! The painted width of the inner Image, in file pixels. */
    property alias paintedWidth: image.paintedWidth
    /*! The painted height of the inner Image, in file pixels. */
    property alias paintedHeight: image.paintedHeight
    /*! The loading progress, from 0.0 to 1.0. */
    property alias progress: image.progress
    /*! Whether the image is filtered when scaled. */
    property alias smooth: image.smooth
    /*! The size of the loaded file in pixels. */
    property alias sourceSize: image.sourceSize
    /*! The loading status of the inner Image (\c Image.Ready once loaded). */
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

    function __imageSource() {
        if (!(drawnPixelSize.width > 0 || drawnPixelSize.height > 0) || String(source) === "")
            return source
        var text = String(source)
        return text + (text.indexOf("?") >= 0 ? "&" : "?") + "coverSize="
                + Math.max(0, Math.ceil(drawnPixelSize.width)) + "x" + Math.max(0, Math.ceil(drawnPixelSize.height))
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
        source: root.__imageSource()
        // Unset (undefined resets it) unless a drawn size is given.
        sourceSize: root.drawnPixelSize.width > 0 || root.drawnPixelSize.height > 0 ? root.drawnPixelSize : undefined
        transform: Scale {
            xScale: root.contentScaleFactor
            yScale: root.contentScaleFactor
        }
        onSourceChanged: if (root.__completed) root.__sourceChanged()
        onWidthChanged: root.__imageSizeChanged("width")
        onHeightChanged: root.__imageSizeChanged("height")
    }
}
