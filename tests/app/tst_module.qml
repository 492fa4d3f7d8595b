import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    name: "ZarnoModule"

    function test_contextObjects() {
        verify(zarnoScheduler !== null && zarnoScheduler !== undefined)
        verify(stepDriver !== null && stepDriver !== undefined)
        verify(system !== null && system !== undefined)
        verify(fileUtils !== null && fileUtils !== undefined)
        verify(nativeUtils !== null && nativeUtils !== undefined)
        verify(globalKeyForwarder !== null && globalKeyForwarder !== undefined)
        compare(defaultSceneWidth, 480)
        compare(defaultSceneHeight, 320)
        verify(["sd", "hd", "hd2"].indexOf(fileSelectorForImages) >= 0)
        compare(contentScaleFactorForImages * internalContentScaleFactorForImages, 1)
        compare(fileSelectorListForImages[0], fileSelectorForImages)
        compare(devicePixelRatio * devicePixelRatioInverse, 1)
    }

    function test_nativeUtilsDesktopValues() {
        // Published before any document loads; the desktop has no status bar.
        compare(platformStatusBarVisible, false)
        nativeUtils.setStatusBarStyle(NativeUtils.StatusBarStyleWhite)
        compare(platformStatusBarVisible, false)
        compare(nativeUtils.statusBarHeight(), 0)
        compare(nativeUtils.displaySleepEnabled, false)
    }

    function test_enumerations() {
        compare(System.Windows, 4)
        compare(System.Linux, 7)
        compare(FileUtils.DocumentsLocation, 1)
        compare(NativeUtils.StatusBarStyleBlack, 2)
        compare(ZarnoScheduler.Accumulated, 0)
        compare(ZarnoScheduler.None, 1)
    }

    function test_creatableAndUncreatable() {
        var frame = Qt.createQmlObject("import Zarno 2.0; EveryFrame {}", this)
        verify(frame)
        frame.destroy()
        var component = Qt.createComponent("data/CreatesSystem.qml")
        compare(component.status, Component.Error)
        verify(component.errorString().indexOf(
            "Creation of System is not allowed, this is set by the system and only exists once in the application.") >= 0,
            component.errorString())
    }
}
