import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// The platform services as QML code sees them: values coming from script,
// overloads picked by the engine, and pausing a scene.
TestCase {
    id: testCase
    name: "PlatformQml"

    Item {
        id: scene
        Timer { id: sceneTimer; interval: 100000; repeat: true }
        NumberAnimation { id: sceneAnimation; target: scene; property: "x"; from: 0; to: 100; duration: 100000; loops: Animation.Infinite }
        SpriteSequence {
            id: sceneSprites
            running: false
            Sprite { name: "still"; frameCount: 1; frameWidth: 1; frameHeight: 1; frameDuration: 100000 }
        }
    }

    // A folder of this run below the temporary location, never the documents folder.
    property string scratch: fileUtils.storageLocation(FileUtils.TempLocation)
                             + "zarno-platformqml-" + Date.now() + "-" + Math.floor(Math.random() * 1e9) + "/"

    function cleanupTestCase() {
        fileUtils.removeDir(scratch)
    }

    function test_platformFacts() {
        compare(system.platform, System.Linux)
        verify(system.isPlatform(System.Linux))
        verify(system.desktopPlatform)
        compare(system.zarnoVersion, "2.8.0")
        compare(system.appVersionCode, 1)
        compare(system.appIdentifier, "org.zarno.quillox")
        compare(system.screenOrientation, System.ScreenOrientationPortrait)
        compare(system.getConfigValue("title"), "Quillox")
        compare(system.getConfigValue("nothing"), undefined)
    }

    function test_publishBuildFromQml() {
        // The game's configuration is a publish build: logging stays off.
        verify(system.publishBuild)
        verify(!system.logOutputEnabled)
        system.logOutputEnabled = true
        verify(!system.logOutputEnabled)
        // Warnings still reach the test's expectations under the filter.
        ignoreWarning("WARNING: no dirName given for removeDir, no removal possible")
        verify(!fileUtils.removeDir(""))
    }

    function test_typeOfScriptValues() {
        compare(system.typeOf(undefined), "null")
        compare(system.typeOf(null), "null")
        compare(system.typeOf(3), "number")
        compare(system.typeOf(3.5), "double")
        compare(system.typeOf(Qt.point(1, 2)), "point")
        compare(system.typeOf("text"), "string")
        compare(system.typeOf([1, 2]), "list")
        compare(system.typeOf({ a: 1 }), "map")
    }

    function test_jsonFromScript() {
        compare(system.stringify({ b: 1.5, a: [true, "xy"] }), '{ "a" : [ true, "xy" ], "b" : 1.5 }')
        compare(system.stringify({ a: 1, b: "x" }, ["b"]), '{ "b" : "x" }')
        var parsed = system.parse('{ "n": -3, "d": 1.5e2, "s": "a\\nb", "l": [1, {"k": null}] }')
        compare(parsed.n, -3)
        compare(parsed.d, 150)
        compare(parsed.s, "a\nb")
        compare(parsed.l.length, 2)
        compare(parsed.l[1].k, undefined)
        var point = system.pointFFromString(JSON.parse(system.stringify(Qt.point(1.5, 2))))
        compare(point.x, 1.5)
        compare(point.y, 2)
        ignoreWarning('[System]- [WARNING]: System can\'t parse stringData file "{ oops"')
        compare(Object.keys(system.parse("{ oops")).length, 0)
    }

    function test_filesFromScript() {
        var name = scratch + "levels/one.json"
        verify(fileUtils.writeFile(name, '{ "name": "Zo\u00eb" }'))
        compare(fileUtils.readFile(name), '{ "name": "Zo\u00eb" }')
        compare(fileUtils.readFile(fileUtils.getUrlByAddingSchemeToFilename(name).toString()), '{ "name": "Zo\u00eb" }')
        verify(fileUtils.existsFile(name))
        compare(fileUtils.listFiles(Qt.resolvedUrl("file://" + scratch + "levels")), ["one.json"])
        verify(fileUtils.copyFile(name, scratch + "backup/one.json"))
        compare(fileUtils.readFile(scratch + "backup/one.json"), '{ "name": "Zo\u00eb" }')
        compare(fileUtils.stripSchemeFromUrl("qrc:/qml/qrcdata.json"), ":/qml/qrcdata.json")
        compare(fileUtils.cropPathAndKeepFilename("img/player.png", true), "player")
        verify(fileUtils.removeDir(scratch + "backup"))
        verify(!fileUtils.existsFile(scratch + "backup/one.json"))
        compare(fileUtils.defaultWritablePath(), fileUtils.storageLocation(FileUtils.DocumentsLocation))
    }

    function test_pauseFromScript() {
        sceneTimer.start()
        sceneAnimation.start()
        sceneSprites.running = true
        // QAbstractAnimation states: 1 is paused, 2 running.
        compare(stepDriver.state, 2)
        system.pauseGameForObject(scene)
        verify(system.gamePaused)
        compare(stepDriver.state, 1)
        verify(!sceneTimer.running)
        verify(sceneAnimation.paused)
        verify(!sceneSprites.running)
        system.resumeGameForObject(scene)
        verify(!system.gamePaused)
        compare(stepDriver.state, 2)
        verify(sceneTimer.running)
        verify(!sceneAnimation.paused)
        verify(sceneSprites.running)
        sceneTimer.stop()
        sceneAnimation.stop()
        sceneSprites.running = false
    }
}
