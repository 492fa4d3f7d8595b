import QtQuick 2.0

/*!
    \qmltype Utils
    \inqmlmodule Zarno
    \brief Small helper functions: random values and colours, clamping, paths, decimals.

    The game window holds one instance; a game may create its own.

    \qml
    Rectangle {
        color: utils.randomColor()
        width: utils.clamp(parent.width / 2, 10, 400)
        Utils { id: utils }
    }
    \endqml
*/
QtObject {
    /*! A uniform random real in [\a minimum, \a maximum). */
    function generateRandomValueBetween(minimum, maximum) {
        return minimum + Math.random() * (maximum - minimum)
    }

    /*! \a minimum when \a num is below it, \a maximum when above, else \a num. */
    function clamp(num, minimum, maximum) {
        if (num < minimum)
            return minimum
        if (num > maximum)
            return maximum
        return num
    }

    /*! A random colour as "#rrggbb". */
    function randomColor() {
        // Padding keeps small values six digits long, as colour strings need.
        var value = Math.floor(Math.random() * 16777215)
        return "#" + ("000000" + value.toString(16)).slice(-6)
    }

    /*! The file name of \a path without its folders, and without its extension when \a cropExtension is true. */
    function cropPath(path, cropExtension) {
        return fileUtils.cropPathAndKeepFilename(String(path), cropExtension)
    }

    /*!
        Asks the system object for a screenshot named \a name of the rectangle at
        \a x, \a y of size \a width x \a height. With a \a scene the rectangle is
        given in the scene's logical units and mapped to the window.
    */
    function captureScreenshot(name, x, y, width, height, scene) {
        if (scene) {
            var origin = scene.mapToItem(null, x, y)
            system.captureScreenshot(name, origin.x, origin.y,
                                     width * scene.xScaleForScene, height * scene.yScaleForScene)
        } else {
            system.captureScreenshot(name, x, y, width, height)
        }
    }

    /*! Asks the system object for a screenshot named \a name of the whole game window. */
    function captureScreenshotFullscreen(name) {
        var window = typeof gameWindow !== "undefined" && gameWindow ? gameWindow : null
        system.captureScreenshot(name, 0, 0, window ? window.width : 0, window ? window.height : 0)
    }

    /*!
        The number of decimal places of \a number. With \a scientific given, the
        digits after the point of its text less its exponent; without, how many
        times it must be multiplied by 10 to reach 1 (its magnitude is used).
    */
    function decimals(number, scientific) {
        if (number === 0)
            return 0
        if (scientific !== undefined) {
            var match = /^[+-]?\d*(?:\.(\d+))?(?:[eE]([+-]?\d+))?$/.exec(String(number))
            if (!match)
                return 0
            var digits = match[1] ? match[1].length : 0
            var exponent = match[2] ? parseInt(match[2], 10) : 0
            return Math.max(0, digits - exponent)
        }
        var value = Math.abs(number)
        var count = 0
        // Below the smallest double's 324 places the loop could not end.
        while (value < 1 && count < 400) {
            value *= 10
            ++count
        }
        return count
    }
}
