import QtQuick 2.0
import Zarno 2.0

// A chain bridge: planks hinged to each other and, at both ends, to fixed posts.
// Bodies move their items in the world's coordinates: the bridge item stays at
// the world's origin and places its pieces from (startX, startY).
Item {
    id: bridge

    property var world
    property real startX: 0
    property real startY: 0
    property int plankCount: 12
    property real plankWidth: 24
    property real plankHeight: 8
    property color color: "#a0703c"

    // The posts stand closer than the planks are long, so the bridge sags.
    property real slack: plankWidth
    readonly property real span: plankCount * plankWidth - slack

    Component {
        id: plankComponent
        Rectangle {
            property alias body: body
            width: bridge.plankWidth
            height: bridge.plankHeight
            radius: 2
            color: bridge.color
            border.color: Qt.darker(bridge.color)
            Body {
                id: body
                world: bridge.world
                bodyType: Body.Dynamic
                Box { width: bridge.plankWidth; height: bridge.plankHeight; density: 0.5; friction: 0.6 }
            }
        }
    }

    Component {
        id: hingeComponent
        RevoluteJoint { }
    }

    Rectangle {
        id: leftPost
        x: bridge.startX - 8; y: bridge.startY; width: 8; height: bridge.plankHeight * 3; color: "#5a4632"
        Body { id: leftPostBody; world: bridge.world }   // an anchor only: no shape to collide with
    }
    Rectangle {
        id: rightPost
        x: bridge.startX + bridge.span; y: bridge.startY; width: 8; height: leftPost.height; color: "#5a4632"
        Body { id: rightPostBody; world: bridge.world }
    }

    Component.onCompleted: {
        // Each hinge sits where two pieces meet, on the right edge of the one before.
        var previousBody = leftPostBody
        var previousWidth = leftPost.width
        for (var i = 0; i < plankCount; ++i) {
            var plank = plankComponent.createObject(bridge, { x: startX + i * plankWidth, y: startY, objectName: "plank" + i })
            hingeComponent.createObject(bridge, { localAnchorA: Qt.point(previousWidth, plankHeight / 2),
                                                  bodyA: previousBody, bodyB: plank.body })
            previousBody = plank.body
            previousWidth = plankWidth
        }
        // The last hinge pulls the straight bridge's end onto the right post.
        hingeComponent.createObject(bridge, { localAnchorA: Qt.point(plankWidth, plankHeight / 2),
                                              localAnchorB: Qt.point(0, plankHeight / 2),
                                              bodyA: previousBody, bodyB: rightPostBody })
    }
}
