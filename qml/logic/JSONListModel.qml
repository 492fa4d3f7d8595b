import QtQuick 2.0
import "JsonPath.js" as JsonPath

// A list model filled from JSON text or a JSON file, one row per match of `query`.
// Objects become rows as they are; other values become rows with a single role `value`.
Item {
    id: jsonListModel

    property url source
    property string json
    property string query: "$[*]"
    readonly property ListModel model: rows
    readonly property int count: rows.count

    function refill() {
        rows.clear()
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
        if (source == "")
            return
        var request = new XMLHttpRequest()
        request.onreadystatechange = function () {
            if (request.readyState !== XMLHttpRequest.DONE)
                return
            if (request.responseText === "")
                console.warn("JSONListModel: nothing read from", source)
            else
                json = request.responseText
        }
        request.open("GET", source)
        request.send()
    }

    ListModel {
        id: rows
    }
}
