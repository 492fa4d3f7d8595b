import QtQuick 2.0
import Zarno 2.0

// A bat patrolling round a loop of waypoints, flapping as it goes.
EntityBase {
    id: bat
    entityType: "bat"
    width: 36
    height: 20
    property alias waypoints: patrol.waypoints

    PathMovement {
        id: patrol
        velocity: 90
        loops: -2
        rotationAnimationEnabled: false
    }

    Repeater {
        model: 2
        Rectangle {
            width: 18
            height: 7
            radius: 3
            color: "#3b2a4a"
            x: index === 0 ? 0 : 18
            y: 6
            transformOrigin: index === 0 ? Item.Right : Item.Left
            SequentialAnimation on rotation {
                loops: Animation.Infinite
                NumberAnimation { from: index === 0 ? -25 : 25; to: index === 0 ? 25 : -25; duration: 160 }
                NumberAnimation { from: index === 0 ? 25 : -25; to: index === 0 ? -25 : 25; duration: 160 }
            }
        }
    }
    Rectangle {
        x: 11; y: 3; width: 14; height: 14; radius: 7
        color: "#2a1d36"
        Rectangle { x: 3; y: 4; width: 3; height: 3; radius: 1.5; color: "#ffd166" }
        Rectangle { x: 8; y: 4; width: 3; height: 3; radius: 1.5; color: "#ffd166" }
    }
}
