import QtQuick 2.0
import QtTest 1.2
import "../../qml/logic"
import "../../qml/logic/JsonPath.js" as JsonPath

Item {
    JSONListModel {
        id: shop
        query: "$.store.book[*]"
    }

    TestCase {
        name: "JsonListModel"

        readonly property var store: ({
            "store": {
                "book": [
                    { "title": "Sayings", "price": 8.95, "tag": "old" },
                    { "title": "Sword", "price": 12.99 },
                    { "title": "Moby", "price": 8.99, "isbn": "0-553" },
                    { "title": "Rings", "price": 22.99, "isbn": "0-395" }
                ],
                "bicycle": { "color": "red", "price": 19.95 }
            }
        })

        function titles(list) {
            return list.map(function (book) { return book.title }).join(",")
        }

        function test_paths_data() {
            return [
                { tag: "member chain", path: "$.store.bicycle.color", expected: ["red"] },
                { tag: "brackets", path: "$['store']['bicycle']['price']", expected: [19.95] },
                { tag: "index", path: "$.store.book[1].title", expected: ["Sword"] },
                { tag: "negative index", path: "$.store.book[-1].title", expected: ["Rings"] },
                { tag: "several indices", path: "$.store.book[0,2].title", expected: ["Sayings", "Moby"] },
                { tag: "slice", path: "$.store.book[1:3].title", expected: ["Sword", "Moby"] },
                { tag: "slice with step", path: "$.store.book[::2].title", expected: ["Sayings", "Moby"] },
                { tag: "open slice from the end", path: "$.store.book[-2:].title", expected: ["Moby", "Rings"] },
                { tag: "wildcard", path: "$.store.bicycle.*", expected: ["red", 19.95] },
                { tag: "descendants", path: "$..price", expected: [8.95, 12.99, 8.99, 22.99, 19.95] },
                { tag: "filter comparison", path: "$.store.book[?(@.price < 10)].title", expected: ["Sayings", "Moby"] },
                { tag: "filter string", path: "$..book[?(@.title == 'Sword')].price", expected: [12.99] },
                { tag: "filter existence", path: "$..book[?(@.isbn)].title", expected: ["Moby", "Rings"] },
                { tag: "missing member", path: "$.store.car", expected: [] },
                { tag: "index past the end", path: "$.store.book[9]", expected: [] },
                { tag: "member of a number", path: "$.store.bicycle.price.x", expected: [] }
            ]
        }

        function test_paths(data) {
            compare(JSON.stringify(JsonPath.query(store, data.path)), JSON.stringify(data.expected))
        }

        function test_unreadablePathsMatchNothing_data() {
            return [
                { tag: "unclosed bracket", path: "$.store.book[0" },
                { tag: "bad filter", path: "$.store.book[?(@.price <)]" },
                { tag: "code in a filter", path: "$.store.book[?(@.price < alert(1))]" },
                { tag: "stray text", path: "$store" },
                { tag: "zero step", path: "$.store.book[::0]" }
            ]
        }

        function test_unreadablePathsMatchNothing(data) {
            compare(JsonPath.query(store, data.path).length, 0)
        }

        function test_modelRows() {
            shop.query = "$.store.book[*]"
            shop.json = JSON.stringify(store)
            compare(shop.count, 4)
            compare(shop.model.get(2).title, "Moby")
            shop.query = "$..price"
            compare(shop.count, 5, "plain values become rows of their own")
            compare(shop.model.get(4).value, 19.95)
            ignoreWarning(/JSONListModel: cannot parse JSON:.*/)
            shop.json = "{ not json"
            compare(shop.count, 0, "bad text leaves the model empty")
        }

        function test_modelFromFile() {
            shop.query = "$.title"
            shop.source = Qt.resolvedUrl("../../qml/config.json")
            compare(shop.count, 1)
            compare(shop.model.get(0).value, "Quillox")
            shop.json = ""
            shop.source = "qrc:/qml/config.json"
            compare(shop.count, 1, "the game's own copy in the resources")
            ignoreWarning(/JSONListModel: nothing read from .*/)
            shop.source = Qt.resolvedUrl("no-such-file.json")
        }
    }
}
