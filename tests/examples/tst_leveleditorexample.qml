import QtQuick 2.0
import QtTest 1.2

// The level editor example driven by the mouse: place, drag, edit in the item
// editor, save, clear and reload.
TestCase {
    id: testCase
    name: "LevelEditorExample"
    when: windowShown

    property var window: null
    property var scene: null

    function init() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/leveleditor/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window)
        scene = window.activeScene
        findChild(scene, "levelEditor").clearAllLevels()
        findChild(scene, "entityManager").removeAllEntities()
        wait(0)
    }

    function cleanup() {
        window.close()
        window.destroy()
        window = null
    }

    function click(name) {
        var item = findChild(scene, name)
        verify(item, name)
        mouseClick(item)
    }

    function placed(type) {
        return findChild(scene, "entityManager").getEntityArrayByType(type)
    }

    function snapshot() {
        var result = []
        var all = placed("box").concat(placed("ball"))
        for (var i = 0; i < all.length; ++i)
            result.push([all[i].entityId, Math.round(all[i].x), Math.round(all[i].y), all[i].width].join(" "))
        return result.sort()
    }

    function test_placeEditSaveClearReload() {
        click("addBox")
        click("addBox")
        click("addBall")
        compare(placed("box").length, 2)
        var crate = placed("box")[0]
        mouseDrag(crate, 10, 10, 60, 90)
        tryVerify(function () { return crate.x > 40 && crate.y > 60 })

        // The slider's right end is the largest crate size, for every crate.
        var slider = findChild(findChild(findChild(scene, "itemEditor"), "row_size"), "slider")
        mouseClick(slider, slider.width + 3, 2)
        compare(placed("box")[1].size, 80)
        var before = snapshot()

        click("save")
        compare(findChild(scene, "status").text.indexOf("Sketch #"), 0)
        click("clear")
        wait(0)
        compare(snapshot(), [])
        click("reload")
        compare(snapshot(), before)
        compare(placed("box")[0].size, 80)
    }
}
