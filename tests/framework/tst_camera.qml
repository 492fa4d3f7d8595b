import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

TestCase {
    id: testCase
    name: "CameraZarno"
    when: windowShown
    width: 480
    height: 320
    visible: true

    Component {
        id: cameraComponent
        Item {
            property alias camera: camera
            property alias world: world
            property alias player: player
            width: 480
            height: 320
            Item {
                id: world
                width: 2000
                height: 320
                Rectangle { id: player; width: 20; height: 20; color: "red" }
            }
            CameraZarno {
                id: camera
                gameWindowSize: Qt.point(480, 320)
                entityContainer: world
            }
        }
    }

    function makeCamera(properties) {
        var holder = createTemporaryObject(cameraComponent, testCase)
        for (var key in properties)
            holder.camera[key] = properties[key]
        return holder
    }

    function test_followsTargetWithinLimits_data() {
        var limits = { limitLeft: 0, limitRight: 2000, limitTop: 0, limitBottom: 320 }
        return [
            { tag: "near the left limit", limits: limits, zoom: 1, at: 100, containerX: 0 },
            { tag: "in the middle", limits: limits, zoom: 1, at: 1000, containerX: -(1010 - 240) },
            { tag: "near the right limit", limits: limits, zoom: 1, at: 1950, containerX: -(2000 - 480) },
            { tag: "in the middle zoomed", limits: limits, zoom: 2, at: 1000, containerX: -(2020 - 240) },
            { tag: "near the right limit zoomed", limits: limits, zoom: 2, at: 1950, containerX: -(4000 - 480) },
            { tag: "unbounded", limits: {}, zoom: 1, at: -500, containerX: 730 },
        ]
    }

    function test_followsTargetWithinLimits(data) {
        var holder = makeCamera(data.limits)
        holder.camera.zoom = data.zoom
        holder.player.x = data.at
        holder.player.y = 150
        holder.camera.focusedObject = holder.player
        fuzzyCompare(holder.world.x, data.containerX, 1e-9)
        compare(holder.world.scale, data.zoom)
        // The camera keeps following as the target moves.
        holder.player.x = 1000
        var centre = holder.world.mapToItem(holder.camera, 1010, 160)
        if (data.tag === "unbounded" || data.zoom === 1)
            fuzzyCompare(centre.x, 240, 1e-9)
    }

    function test_dragAndFlingStayWithinLimits() {
        var holder = makeCamera({ limitLeft: 0, limitRight: 1000, limitTop: 0, limitBottom: 320 })
        var camera = holder.camera
        mousePress(camera, 300, 160)
        mouseMove(camera, 200, 160)
        mouseMove(camera, 100, 160)
        compare(camera.freePosition.x, 200)
        compare(holder.world.x, -200)
        mouseMove(camera, 50, 100)
        compare(camera.freePosition.y, 0, "the view is exactly as high as the limits")
        // Far beyond the right limit, then a fling towards it.
        mouseMove(camera, -600, 160)
        compare(camera.freePosition.x, 1000 - 480)
        mouseRelease(camera, -600, 160)
        wait(100)
        compare(camera.freePosition.x, 1000 - 480)
        // Back beyond the left one.
        mousePress(camera, 100, 160)
        mouseMove(camera, 400, 160)
        mouseMove(camera, 900, 160)
        mouseRelease(camera, 900, 160)
        compare(camera.freePosition.x, 0)
        tryCompare(camera, "__flinging", false)
        compare(holder.world.x, 0)
    }

    function test_flingDeceleratesAndStops() {
        var camera = makeCamera({}).camera
        camera.__flingVelocity = Qt.point(10, -1)
        camera.__flinging = true
        camera.__flingStep()
        compare(camera.__flingVelocity.x, 9)
        fuzzyCompare(camera.__flingVelocity.y, -0.9, 1e-9)
        fuzzyCompare(camera.freePosition.x, 9, 1e-9)
        camera.freePosition = Qt.point(0, 0)
        camera.__flingVelocity = Qt.point(0.4, 0)
        camera.__flinging = true
        camera.__flingStep()
        compare(camera.__flingVelocity.x, 0)
        compare(camera.__flinging, false)
        compare(camera.freePosition.x, 0)
        // Driven by its timer: 10 px per 20 ms dies out after some 30 steps.
        camera.__flingVelocity = Qt.point(10, 0)
        camera.__flinging = true
        tryCompare(camera, "__flinging", false, 2000)
        verify(camera.freePosition.x > 80 && camera.freePosition.x < 100, camera.freePosition.x)
    }

    function test_zoomStaysWithinLimits() {
        var holder = makeCamera({ limitLeft: 0, limitRight: 960, limitTop: 0, limitBottom: 640 })
        var camera = holder.camera
        camera.applyZoom(1.002)
        compare(camera.zoom, 1, "below the threshold")
        camera.applyZoom(0.25)
        compare(camera.zoom, 0.5, "stops where the view fits the limits")
        camera.applyZoom(0.9)
        compare(camera.zoom, 0.5)
        compare(camera.freePosition, Qt.point(0, 0))
        camera.applyZoom(10)
        compare(camera.zoom, 2)
        camera.zoom = 0.1
        compare(camera.zoom, 0.25)
        camera.zoom = 1
        mouseWheel(camera, 240, 160, 0, 120)
        compare(camera.zoom, 1.05)
    }

    function test_zoomKeepsThePointUnderTheTarget() {
        var holder = makeCamera({})
        var camera = holder.camera
        camera.freePosition = Qt.point(100, 50)
        var before = holder.camera.mapToItem(holder.world, 120, 80)
        camera.applyZoom(2, Qt.point(120, 80))
        compare(camera.zoom, 2)
        var after = holder.world.mapToItem(holder.camera, before.x, before.y)
        fuzzyCompare(after.x, 120, 1e-6)
        fuzzyCompare(after.y, 80, 1e-6)
        camera.centerFreeCameraOn(1000, 500)
        var centre = holder.world.mapToItem(holder.camera, 500, 250)
        fuzzyCompare(centre.x, 240, 1e-6)
        fuzzyCompare(centre.y, 160, 1e-6)
    }
}
