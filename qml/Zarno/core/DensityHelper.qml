import QtQuick 2.0

/*!
    \qmltype DensityHelper
    \inqmlmodule Zarno
    \brief Converts between physical sizes and pixels for the item it fills.

    GameWindowItem and Scene each hold one and pass its members on; declare one
    yourself only to measure another item. It fills its parent and uses the
    context values \c screenDpi, \c devicePixelRatio and
    \c devicePixelRatioInverse.

    \qml
    Item {
        width: 300; height: 200
        DensityHelper { id: density }
        Text { text: density.widthInInches.toFixed(1) + " in"; font.pixelSize: density.sp(12) }
    }
    \endqml
*/
Item {
    /*! An extra factor for every conversion; 1 by default. */
    property real uiScale: 1
    /*! An extra factor for sp() only; 1 by default. */
    property real spScale: 1
    /*! An extra factor for dp() only; 1 by default. */
    property real dpScale: 1
    // A scene sets this to undo its own scaling, so dp() stays physical inside it.
    /*!
        A second factor; a Scene sets it to undo its own scaling, so that dp()
        stays physical inside it. 1 by default.
    */
    property real uiScale2: 1

    /*! True when the item is wider than high. */
    readonly property bool landscape: width > height
    /*! True when the item is not wider than high. */
    readonly property bool portrait: !landscape
    /*! True when the item's diagonal is 5 inches or more. */
    readonly property bool tablet: diameterInInches >= 5
    /*! The item's width in inches. */
    readonly property real widthInInches: pixelToInches(width)
    /*! The item's height in inches. */
    readonly property real heightInInches: pixelToInches(height)
    /*! The item's diagonal in inches. */
    readonly property real diameterInInches: Math.sqrt(widthInInches * widthInInches + heightInInches * heightInInches)

    readonly property real __densityFactor: screenDpi / 160 * uiScale * devicePixelRatioInverse

    anchors.fill: parent

    /*! Returns the length \a pixel in inches. */
    function pixelToInches(pixel) {
        return pixel / screenDpi / uiScale2 / devicePixelRatio / uiScale
    }

    /*!
        Returns the length \a value, in density-independent pixels (160 per inch),
        in pixels of this item; 0 for values of 0 or less.
    */
    function dp(value) {
        return value <= 0 ? 0 : value * __densityFactor * dpScale * uiScale2
    }

    /*! Returns the font size \a value like dp() does, with \l spScale. */
    function sp(value) {
        return value <= 0 ? 0 : value * __densityFactor * spScale * uiScale2
    }

    /*! Returns the device-pixel length \a value in logical pixels. */
    function px(value) {
        return value / devicePixelRatio
    }

    /*! Returns the length \a pixel in device pixels. */
    function physicalPixels(pixel) {
        return pixel * devicePixelRatio * uiScale2 * uiScale
    }
}
