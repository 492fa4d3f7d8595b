import QtQuick 2.0
import Zarno 2.0

// Fire, smoke and sparks, each from a particle file beside this document. The
// sparks ride on a moving torch: the sparks already in the air stay where they
// were thrown.
GameWindow {
    id: gameWindow
    activeScene: scene

    Scene {
        id: scene
        width: 480
        height: 320

        Rectangle {
            anchors.fill: scene.gameWindowAnchorItem
            color: "#16131f"
        }

        ParticleZarno {                               // drawn first, behind the flames
            objectName: "smoke"
            x: 130; y: 230
            fileName: "smoke.json"
            autoStart: true
        }

        ParticleZarno {
            objectName: "fire"
            x: 130; y: 270
            fileName: "fire.json"
            autoStart: true
        }

        Item {
            id: torch
            objectName: "torch"
            x: 280; y: 230

            ParticleZarno {                           // Free: emitted sparks keep their place
                objectName: "sparks"
                fileName: "sparks.json"
                autoStart: true
            }
        }

        MovementAnimation {
            target: torch
            property: "x"
            velocity: 90
            running: true
            minPropertyValue: 280
            maxPropertyValue: 420
            onLimitReached: velocity = -velocity
        }

        Text {
            x: 10; y: 10
            color: "#c8c0d8"
            font.pixelSize: 14
            text: "fire.json, smoke.json and sparks.json"
        }
    }
}
