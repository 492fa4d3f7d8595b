import QtQuick 2.0

/*!
    \qmltype CameraZarno
    \inqmlmodule Zarno
    \brief Moves and zooms a container of entities so that an object stays in view, or lets the player look around.

    With a \l focusedObject the camera places the container so that the
    object's centre sits at \l focusOffset of the window, but never shows
    anything beyond the limits. Without one it is a free camera: the player
    drags, flings and zooms (pinch or mouse wheel) the view, which stays within
    the limits. The container is scaled about its top-left corner.

    \qml
    Scene {
        Item {
            id: world
            width: 3000; height: 320
            Rectangle { id: player; width: 20; height: 20 }
        }
        CameraZarno {
            gameWindowSize: Qt.point(480, 320)
            entityContainer: world
            focusedObject: player
            limitLeft: 0; limitRight: 3000; limitTop: 0; limitBottom: 320
        }
    }
    \endqml
*/
Item {
    id: camera

    /*! Size of the visible area. */
    property point gameWindowSize
    /*! The item that is moved and scaled. */
    property Item entityContainer
    /*! The object kept in view; null makes the camera free. */
    property Item focusedObject: null
    /*! Where the focused object's centre sits, as a fraction of the window. */
    property point focusOffset: Qt.point(0.5, 0.5)
    /*! Top-left corner of the view in free mode, in zoomed container units. */
    property point freePosition: Qt.point(0, 0)
    /*! Offset added to the container's position in free mode. */
    property point freeOffset: Qt.point(0, 0)
    /*! Factor applied to the fling velocity every 20 ms. */
    property real freeVelocityDecelerationFactor: 0.9
    /*! Fling speed (per 20 ms) at or below which the fling stops. */
    property real freeVelocityThreshold: 0.4
    /*! Scale of the container, kept within minZoom and maxZoom. */
    property real zoom: 1
    /*! Largest zoom. */
    property real maxZoom: 2
    /*! Smallest zoom. */
    property real minZoom: 0.25
    /*! Smallest zoom step that applyZoom() applies. */
    property real applyZoomThreshold: 1.003
    /*! Left bound of the view in container units; undefined means unbounded. */
    property var limitLeft
    /*! Right bound of the view in container units; undefined means unbounded. */
    property var limitRight
    /*! Top bound of the view in container units; undefined means unbounded. */
    property var limitTop
    /*! Bottom bound of the view in container units; undefined means unbounded. */
    property var limitBottom
    /*! Whether dragging, pinching and wheel zoom work (only without a focused object). */
    property bool mouseAreaEnabled: true

    property point __flingVelocity: Qt.point(0, 0)
    property bool __flinging: false
    property point __lastDragPosition
    property real __lastPinchScale: 1

    readonly property real __containerX: __axisPosition(focusedObject ? focusedObject.x + focusedObject.width / 2 : 0,
                                                         gameWindowSize.x, focusOffset.x, limitLeft, limitRight,
                                                         freePosition.x, freeOffset.x)
    readonly property real __containerY: __axisPosition(focusedObject ? focusedObject.y + focusedObject.height / 2 : 0,
                                                         gameWindowSize.y, focusOffset.y, limitTop, limitBottom,
                                                         freePosition.y, freeOffset.y)

    width: gameWindowSize.x
    height: gameWindowSize.y

    function __isSet(limit) {
        return limit !== undefined && limit !== null
    }

    function __axisPosition(objectCentre, windowSize, offset, lowLimit, highLimit, free, freeShift) {
        if (!focusedObject)
            return -free + freeShift
        var c = objectCentre * zoom
        if (__isSet(lowLimit) && c < lowLimit * zoom + windowSize * offset)
            return -(lowLimit * zoom)
        if (__isSet(highLimit) && c > highLimit * zoom - windowSize * (1 - offset))
            return -(highLimit * zoom - windowSize)
        return -(c - windowSize * offset)
    }

    function __clampAxis(value, lowLimit, highLimit, windowSize) {
        if (__isSet(lowLimit))
            value = Math.max(value, lowLimit * zoom)
        if (__isSet(highLimit))
            value = Math.min(value, highLimit * zoom - windowSize)
        return value
    }

    function __limitFreePosition() {
        var x = __clampAxis(freePosition.x, limitLeft, limitRight, gameWindowSize.x)
        var y = __clampAxis(freePosition.y, limitTop, limitBottom, gameWindowSize.y)
        if (x !== freePosition.x || y !== freePosition.y)
            freePosition = Qt.point(x, y)
    }

    onFreePositionChanged: __limitFreePosition()

    onZoomChanged: {
        var clamped = Math.max(minZoom, Math.min(maxZoom, zoom))
        if (clamped !== zoom)
            zoom = clamped
    }

    /*! Puts the free view's centre on the container point (\a x, \a y) (zoomed units). */
    function centerFreeCameraOn(x, y) {
        freePosition = Qt.point(x - (gameWindowSize.x - freeOffset.x) / 2,
                                y - (gameWindowSize.y - freeOffset.y) / 2)
    }

    function __fittingFactor(factor, low, high, windowSize) {
        if (!__isSet(low) || !__isSet(high) || high <= low)
            return undefined
        if (windowSize / (zoom * factor) > high - low)
            return windowSize / ((high - low) * zoom)
        return undefined
    }

    /*!
        Multiplies the zoom by \a factor about the point \a target (camera
        coordinates; the centre of the view by default), keeping the point under
        it in place. Zooming out stops where the view fits the limits.
    */
    function applyZoom(factor, target) {
        if (factor > 1 / applyZoomThreshold && factor < applyZoomThreshold)
            return
        if (factor < 1) {
            var fitX = __fittingFactor(factor, limitLeft, limitRight, gameWindowSize.x)
            var fitY = __fittingFactor(factor, limitTop, limitBottom, gameWindowSize.y)
            if (fitX !== undefined || fitY !== undefined) {
                factor = Math.max(fitX !== undefined ? fitX : 0, fitY !== undefined ? fitY : 0)
                if (Math.abs(factor - 1) < 1e-9)
                    return
            }
        }
        var oldZoom = zoom
        var newZoom = Math.max(minZoom, Math.min(maxZoom, oldZoom * factor))
        if (newZoom === oldZoom)
            return
        zoom = newZoom
        var t = newZoom / oldZoom
        var visibleWidth = gameWindowSize.x - freeOffset.x
        var visibleHeight = gameWindowSize.y - freeOffset.y
        var centreX = freeOffset.x + visibleWidth / 2
        var centreY = freeOffset.y + visibleHeight / 2
        var ax = target ? target.x - centreX : 0
        var ay = target ? target.y - centreY : 0
        var x = freePosition.x * t + (visibleWidth * t - visibleWidth) / 2 + (ax * t - ax)
        var y = freePosition.y * t + (visibleHeight * t - visibleHeight) / 2 + (ay * t - ay)
        freePosition = Qt.point(__clampAxis(x, limitLeft, limitRight, gameWindowSize.x),
                                __clampAxis(y, limitTop, limitBottom, gameWindowSize.y))
        console.debug((t > 1 ? "Zooming in. New zoom: " : "Zooming out. New zoom: ") + zoom)
    }

    function __flingStep() {
        var vx = Math.abs(__flingVelocity.x) > freeVelocityThreshold ? __flingVelocity.x * freeVelocityDecelerationFactor : 0
        var vy = Math.abs(__flingVelocity.y) > freeVelocityThreshold ? __flingVelocity.y * freeVelocityDecelerationFactor : 0
        __flingVelocity = Qt.point(vx, vy)
        if (__flinging)
            freePosition = Qt.point(freePosition.x + vx, freePosition.y + vy)
        if (vx === 0 && vy === 0)
            __flinging = false
    }

    function __drag(position) {
        var dx = __lastDragPosition.x - position.x
        var dy = __lastDragPosition.y - position.y
        __lastDragPosition = position
        __flinging = false
        freePosition = Qt.point(freePosition.x + dx, freePosition.y + dy)
        __flingVelocity = Qt.point(__flingVelocity.x + dx / 5, __flingVelocity.y + dy / 5)
    }

    function __bindContainer() {
        if (!entityContainer)
            return
        entityContainer.transformOrigin = Item.TopLeft
        entityContainer.x = Qt.binding(function () { return camera.__containerX })
        entityContainer.y = Qt.binding(function () { return camera.__containerY })
        entityContainer.scale = Qt.binding(function () { return camera.zoom })
    }

    property bool __completed: false
    onEntityContainerChanged: if (__completed) __bindContainer()
    Component.onCompleted: {
        __completed = true
        __limitFreePosition()
        __bindContainer()
    }

    Timer {
        interval: 20
        repeat: true
        running: camera.__flingVelocity.x !== 0 || camera.__flingVelocity.y !== 0
        onTriggered: camera.__flingStep()
    }

    PinchArea {
        anchors.fill: parent
        enabled: camera.mouseAreaEnabled && !camera.focusedObject
        onPinchStarted: camera.__lastPinchScale = 1
        onPinchUpdated: {
            camera.applyZoom(pinch.scale / camera.__lastPinchScale, pinch.startCenter)
            camera.__lastPinchScale = pinch.scale
        }

        MouseArea {
            anchors.fill: parent
            enabled: parent.enabled
            onPressed: {
                camera.__flinging = false
                camera.__flingVelocity = Qt.point(0, 0)
                camera.__lastDragPosition = Qt.point(mouse.x, mouse.y)
            }
            onPositionChanged: camera.__drag(Qt.point(mouse.x, mouse.y))
            onReleased: camera.__flinging = true
            onWheel: {
                if (wheel.angleDelta.y > 0)
                    camera.applyZoom(1.05, Qt.point(wheel.x, wheel.y))
                else if (wheel.angleDelta.y < 0)
                    camera.applyZoom(1 / 1.05, Qt.point(wheel.x, wheel.y))
            }
        }
    }
}
