import QtQuick 2.15
import QtQuick.Window 2.2
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "GameWindowSize"
    when: windowShown

    Component {
        id: plainWindow
        GameWindow {
        }
    }

    Component {
        id: sizedBeforeCompletion
        GameWindow {
            screenWidth: 800
            screenHeight: 500
        }
    }

    Component {
        id: developmentWindow
        GameWindow {
            menuBarZarnoEnabled: true
        }
    }

    function test_menuBarOfDevelopmentBuilds() {
        var window = createTemporaryObject(developmentWindow, null)
        tryCompare(window.contentItem, "width", 960)
        var bar = window.menuBar
        verify(bar)
        compare(bar.menus.length, 2)
        compare(bar.menus[0].title, "File")
        compare(bar.menus[0].items[0].text, "Quit")
        var resolution = bar.menus[1]
        compare(resolution.title, "Resolution")
        // Presets are inserted at the top one by one, so they appear in reverse order.
        compare(resolution.items.length, 10)
        compare(resolution.items[0].text, "960 x 640 (iPhone 4/4S)")
        compare(resolution.items[0].shortcut, "Ctrl+1")
        compare(resolution.items[7].text, "1280 x 800 (Nexus 7, Galaxy Tab 4)")
        compare(resolution.items[7].shortcut, "Ctrl+8")
        compare(resolution.items[8].text, "Fullscreen")
        compare(resolution.items[9].text, "Maximize")
        verify(resolution.items[0].checked)
        verify(!resolution.items[7].checked)
        // 1920 x 1080 does not fit the 1280 x 1024 test screen.
        compare(resolution.items[5].text, "1920 x 1080 (Nexus 5, Galaxy S5)")
        verify(!resolution.items[5].enabled)
        verify(resolution.items[4].enabled)
        resolution.items[4].trigger()
        tryCompare(window.contentItem, "width", 1280)
        tryCompare(window.contentItem, "height", 720)
        verify(resolution.items[4].checked)
        verify(!resolution.items[0].checked)
        window.fullscreen = true
        verify(!resolution.items[4].enabled)
        verify(resolution.items[8].checked)
        verify(!resolution.items[9].enabled)
    }

    function test_defaults() {
        var window = createTemporaryObject(plainWindow, null)
        tryCompare(window.contentItem, "width", 960)
        tryCompare(window.contentItem, "height", 640)
        verify(window.isCompleted)
        verify(window.visible)
        compare(window.title, "Quillox")
        compare(window.minimumWidth, 5)
        compare(window.minimumHeight, 5)
        compare(window.scaleMode, "letterbox")
        // Publish build on a desktop: no menu bar, and the settings are the inner item's.
        verify(!window.menuBarZarnoEnabled)
        compare(window.menuBar, null)
        compare(window.settings, window.gameWindow.settings)
        verify(window.settings.fullyCompleted)
        compare(window.screenWidth, 960)
        compare(window.screenHeight, 640)
    }

    function test_screenSizeBeforeCompletion() {
        var window = createTemporaryObject(sizedBeforeCompletion, null)
        tryCompare(window.contentItem, "width", 800)
        tryCompare(window.contentItem, "height", 500)
        // Bound to the content again: a later resize shows through.
        window.width = 700
        tryCompare(window, "screenWidth", 700)
    }

    function test_screenSizeAfterCompletion() {
        var window = createTemporaryObject(plainWindow, null)
        tryCompare(window.contentItem, "width", 960)
        window.screenWidth = 1024
        window.screenHeight = 768
        tryCompare(window.contentItem, "width", 1024)
        tryCompare(window.contentItem, "height", 768)
        compare(window.width, 1024)
        compare(window.screenWidth, 1024)
        compare(window.screenHeight, 768)
        window.height = 600
        tryCompare(window, "screenHeight", 600)
    }

    function test_fullscreenAndMaximized() {
        var window = createTemporaryObject(plainWindow, null)
        tryCompare(window.contentItem, "width", 960)
        window.fullscreen = true
        compare(window.visibility, Window.FullScreen)
        verify(!window.maximized)
        window.maximized = true
        verify(!window.fullscreen)
        compare(window.visibility, Window.Maximized)
        window.maximized = false
        compare(window.visibility, Window.Windowed)
        // The flags follow visibility changes made elsewhere.
        window.visibility = Window.FullScreen
        verify(window.fullscreen)
        window.visibility = Window.Windowed
        verify(!window.fullscreen)
        verify(!window.maximized)
    }

    function test_resolutionPresets() {
        var window = createTemporaryObject(plainWindow, null)
        tryCompare(window.contentItem, "width", 960)
        var item = window.gameWindow
        compare(item.presetSizeInOrientation("1280 x 720 (HTC One Mini, Galaxy S3)"), { width: 1280, height: 720 })
        compare(item.presetSize("not a preset"), null)
        item.changeResolution("1136 x 640 (iPhone 5/5S)")
        tryCompare(window.contentItem, "width", 1136)
        tryCompare(window.contentItem, "height", 640)
        window.screenWidth = 480
        window.screenHeight = 800
        tryCompare(window.contentItem, "height", 800)
        verify(item.portrait)
        // The bigger side goes along the window's longer axis.
        item.changeResolution("1024 x 768 (iPad 1, iPad 2)")
        tryCompare(window.contentItem, "width", 768)
        tryCompare(window.contentItem, "height", 1024)
    }

    function test_fpsDisplayCountsFrames() {
        var window = createTemporaryObject(plainWindow, null)
        tryCompare(window.contentItem, "width", 960)
        window.displayFpsEnabled = true
        window.displayFpsColor = "yellow"
        var display = null
        for (var i = 0; i < window.gameWindow.children.length; ++i) {
            if (window.gameWindow.children[i].font !== undefined)
                display = window.gameWindow.children[i]
        }
        verify(display)
        verify(display.visible)
        compare(display.color, Qt.rgba(1, 1, 0, 1))
        compare(display.font.pixelSize, 24)
        tryVerify(function() { return display.text !== "" && parseInt(display.text, 10) > 0 }, 5000)
        verify(parseInt(display.text, 10) <= 60)
        window.displayFpsEnabled = false
        verify(!display.visible)
    }
}
