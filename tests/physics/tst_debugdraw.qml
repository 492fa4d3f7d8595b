import QtQuick 2.0
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

// The debug view draws through the scene graph of a real window.
TestCase {
    id: testCase
    name: "DebugDraw"
    when: windowShown

    Window {
        id: window
        width: 200
        height: 200
        visible: true
        color: "black"
    }

    Component {
        id: sceneComponent
        Item {
            property alias world: world
            property alias view: view
            anchors.fill: parent
            World { id: world; running: false }
            Item {
                id: ground
                x: 40; y: 60; width: 100; height: 40
                Body {
                    world: world
                    target: ground
                    Box { width: ground.width; height: ground.height }
                }
            }
            DebugDraw {
                id: view
                world: world
                anchors.fill: parent
                flags: DebugDraw.Shape
            }
        }
    }

    function colourAt(image, x, y) {
        var c = image.pixel(x, y)
        return [Math.round(c.r * 255), Math.round(c.g * 255), Math.round(c.b * 255)].join(",")
    }

    function test_staticBoxInShapeColour() {
        var scene = createTemporaryObject(sceneComponent, window.contentItem)
        scene.world.step(1 / 60)
        // Box2D fills a static body's shape with (0.5, 0.9, 0.5), opaque.
        var image
        tryVerify(function () { image = grabImage(window.contentItem); return colourAt(image, 90, 80) === "127,229,127" }, 3000)
        compare(colourAt(image, 20, 20), "0,0,0")

        // Drawing joints only leaves the box out.
        scene.view.flags = DebugDraw.Joint
        tryVerify(function () { image = grabImage(window.contentItem); return colourAt(image, 90, 80) === "0,0,0" }, 3000)
    }
}
