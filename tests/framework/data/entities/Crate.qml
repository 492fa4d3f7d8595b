import Zarno 2.0

RubeBody {
    objectName: "crate"
    property bool fromCrateDocument: true
    property int initializedCount: 0
    onInitialized: initializedCount++
}
