import QtQuick 2.0
import Zarno 2.0

// A coin: pooled when collected, and back to its first state when it comes out again.
EntityBase {
    id: coin
    entityType: "coin"
    poolingEnabled: true
    width: 24
    height: 24

    Component.onCompleted: saveProperties(coin)
    onMovedToPool: resetDefaultProperties()

    MultiResolutionImage {
        id: picture
        source: "../../assets/img/misc/coin.png"
        width: 24
        height: 24
        SequentialAnimation on y {
            loops: Animation.Infinite
            running: coin.visible
            NumberAnimation { from: 0; to: -5; duration: 450; easing.type: Easing.InOutSine }
            NumberAnimation { from: -5; to: 0; duration: 450; easing.type: Easing.InOutSine }
        }
    }
}
