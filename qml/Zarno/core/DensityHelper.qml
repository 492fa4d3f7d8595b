import QtQuick 2.0

// Converts between physical sizes and pixels for the item it fills.
Item {
    property real uiScale: 1
    property real spScale: 1
    property real dpScale: 1
    // A scene sets this to undo its own scaling, so dp() stays physical inside it.
    property real uiScale2: 1

    readonly property bool landscape: width > height
    readonly property bool portrait: !landscape
    readonly property bool tablet: diameterInInches >= 5
    readonly property real widthInInches: pixelToInches(width)
    readonly property real heightInInches: pixelToInches(height)
    readonly property real diameterInInches: Math.sqrt(widthInInches * widthInInches + heightInInches * heightInInches)

    readonly property real __densityFactor: screenDpi / 160 * uiScale * devicePixelRatioInverse

    anchors.fill: parent

    function pixelToInches(pixel) {
        return pixel / screenDpi / uiScale2 / devicePixelRatio / uiScale
    }

    function dp(value) {
        return value <= 0 ? 0 : value * __densityFactor * dpScale * uiScale2
    }

    function sp(value) {
        return value <= 0 ? 0 : value * __densityFactor * spScale * uiScale2
    }

    function px(value) {
        return value / devicePixelRatio
    }

    function physicalPixels(pixel) {
        return pixel * devicePixelRatio * uiScale2 * uiScale
    }
}
