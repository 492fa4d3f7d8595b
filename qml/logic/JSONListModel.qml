import QtQuick 2.0
import "JsonPath.js" as JsonPath

// A list model filled from JSON text or a JSON file, one row per match of `query`.
// Objects become rows as they are; other values become rows with a single role `value`.
Item {
    id: jsonListModel

    property url source
    property string json
    property string query: "$[*]"
    // A list model keeps the type a role had first, so each filling gets a new one.
    property ListModel model: modelFactory.createObject(jsonListModel)
    readonly property int count: model ? model.count : 0

    function refill() {
        var old = model
        model = modelFactory.createObject(jsonListModel)
        if (old)
            old.destroy()
        var rows = model
        if (json === "")
            return
        var data
        try {
            data = JSON.parse(json)
        } catch (e) {
            console.warn("JSONListModel: cannot parse JSON:", e.message)
            return
        }
        var matches = JsonPath.query(data, query)
        for (var i = 0; i < matches.length; ++i) {
            var match = matches[i]
            var isRecord = match !== null && typeof match === "object" && !Array.isArray(match)
            rows.append(isRecord ? match : { "value": match })
        }
    }

    onJsonChanged: refill()
    onQueryChanged: refill()

    onSourceChanged: {
        var url = String(source)
        if (url === "")
            return
        // Files and resources are read at once; anything else comes over the network.
        if (/^(file|qrc):/.test(url)) {
            var text = fileUtils.readFile(url)
            if (text === "")
                console.warn("JSONListModel: nothing read from", url)
            else
                json = text
            return
        }
        var request = new XMLHttpRequest()
        request.onreadystatechange = function () {
            if (request.readyState !== XMLHttpRequest.DONE)
                return
            if (request.responseText === "")
                console.warn("JSONListModel: nothing read from", url)
            else
                json = request.responseText
        }
        request.open("GET", url)
        request.send()
    }

    Component {
        id: modelFactory
        ListModel {}
    }
}
