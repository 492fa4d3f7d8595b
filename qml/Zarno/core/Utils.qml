import QtQuick 2.0

// Small helpers a game reaches through its window's utils.
Item {
    function generateRandomValueBetween(minimum, maximum) {
        return minimum + Math.random() * (maximum - minimum)
    }

    function clamp(value, minimum, maximum) {
        return Math.max(minimum, Math.min(maximum, value))
    }

    // Saves what the item shows; the callback gets whether the file was written.
    function captureScreenshot(item, fileName, callback) {
        if (!item || !item.grabToImage) {
            console.warn("WARNING: Utils: captureScreenshot needs an item to grab")
            if (callback)
                callback(false)
            return false
        }
        return item.grabToImage(function(result) {
            var saved = result.saveToFile(fileName)
            if (!saved)
                console.warn("WARNING: Utils: could not save screenshot to", fileName)
            if (callback)
                callback(saved)
        })
    }
}
