import QtQuick 2.0
import "RubeUtils.js" as RubeUtils

/*!
    \qmltype RubeParser
    \inqmlmodule Zarno
    \brief Builds the bodies, fixtures, images and revolute joints of a physics scene file.

    setupLevelFromJSON() reads a scene saved by a physics scene editor (JSON,
    meters, y up) and makes a RubeBody per body with its fixtures, a RubeImage
    per image and a RubeRevoluteJoint per revolute joint in the container,
    converted to the world's pixels. The world's gravity, iterations and step
    rate come from the file as well.

    \qml
    Item {
        World { id: world }
        Item { id: level }
        RubeParser {
            id: parser
            Component.onCompleted: setupLevelFromJSON(Qt.resolvedUrl("scene.json"), world, level)
            onLevelReady: console.log(bodies.length, "bodies")
        }
    }
    \endqml
*/
Item {
    id: parser

    /*! Folder of the documents named by a body's "qmlType"; the scene's ../qml/entities/ when empty. */
    property url entitiesFolder
    /*! Folder of the image files; the scene's own folder when empty. */
    property url assetsFolder
    /*! The bodies made by the last build. */
    property var bodies: []
    /*! The images made by the last build. */
    property var images: []
    /*! The joints made by the last build; clearLevel() leaves them alone. */
    property var joints: []

    /*! Emitted when a scene is built (also when parts of it were skipped). */
    signal levelReady()
    /*! Emitted when a scene cannot be read or parsed; nothing is built. */
    signal levelFailed(string message)

    property RubeManager __manager: RubeManager {}

    /*! Reads the scene at \a jsonPath and builds it into \a levelContainer in \a world, after the current event. */
    function setupLevelFromJSON(jsonPath, world, levelContainer) {
        var path = String(jsonPath)
        console.log("RubeParser: fetching JSON from \"" + path + "\"")
        if (/^(https?|ftp):/.test(path)) {
            var request = new XMLHttpRequest()
            request.onreadystatechange = function () {
                if (request.readyState === XMLHttpRequest.DONE)
                    __build(request.responseText, path, world, levelContainer)
            }
            request.open("GET", path)
            request.send()
            return
        }
        // Local and resource files are read directly: the engine's request object
        // warns about local reads and is going to refuse them.
        Qt.callLater(function () {
            var local = path.indexOf("qrc:") === 0 ? ":" + path.substring(4) : fileUtils.stripSchemeFromUrl(path)
            __build(fileUtils.readFile(local), path, world, levelContainer)
        })
    }

    /*!
        Builds the scene object \a scene (already parsed) read from \a jsonPath,
        with its bodies in \a world and its items in \a levelContainer.
    */
    function setupLevelFromObject(scene, jsonPath, world, levelContainer) {
        __setup(scene, String(jsonPath), world, levelContainer)
    }

    /*! Destroys every body and image made so far and forgets them. */
    function clearLevel() {
        for (var i = 0; i < bodies.length; ++i) {
            if (bodies[i])
                bodies[i].destroy()
        }
        for (var j = 0; j < images.length; ++j) {
            if (images[j])
                images[j].destroy()
        }
        bodies = []
        images = []
    }

    function __fail(message) {
        console.warn(message)
        levelFailed(message)
    }

    function __build(text, path, world, container) {
        var scene
        try {
            scene = JSON.parse(text)
        } catch (error) {
            __fail("RubePaser: Error parsing JSON file:" + " " + error.message + " " + error.name)
            return
        }
        if (!scene || typeof scene !== "object" || Array.isArray(scene)) {
            __fail("RubePaser: Error parsing JSON file:" + " the scene is not an object TypeError")
            return
        }
        __setup(scene, path, world, container)
    }

    function __documentUrl(json, fallback, folder) {
        var list = Array.isArray(json.customProperties) ? json.customProperties : []
        for (var i = 0; i < list.length; ++i) {
            if (list[i] && list[i].name === "qmlType" && typeof list[i].string === "string" && list[i].string !== "")
                return folder + list[i].string + ".qml"
        }
        return Qt.resolvedUrl(fallback)
    }

    function __setup(scene, path, world, container) {
        if (!world || !container) {
            __fail("RubeParser: a world and a container are needed to build " + path)
            return
        }
        var ppm = world.pixelsPerMeter
        if (scene.gravity && typeof scene.gravity === "object")
            world.gravity = Qt.point(Number(scene.gravity.x) || 0, -(Number(scene.gravity.y) || 0))
        if (scene.hasOwnProperty("autoClearForces")) world.autoClearForces = !!scene.autoClearForces
        if (RubeUtils.isNumber(scene.positionIterations)) world.positionIterations = scene.positionIterations
        if (RubeUtils.isNumber(scene.velocityIterations)) world.velocityIterations = scene.velocityIterations
        if (RubeUtils.isNumber(scene.stepsPerSecond))
            world.timeStep = 1 / (scene.stepsPerSecond > 0 ? scene.stepsPerSecond : 60)

        var folder = RubeUtils.folderOf(path)
        var assets = String(assetsFolder) !== "" ? String(assetsFolder).replace(/\/?$/, "/") : folder
        var entities = String(entitiesFolder) !== "" ? String(entitiesFolder).replace(/\/?$/, "/") : folder + "../qml/entities/"

        var madeBodies = __buildBodies(scene.body, world, container, entities, ppm)
        var madeImages = __buildImages(scene.image, madeBodies.byIndex, world, container, entities, assets, ppm)
        var madeJoints = __buildJoints(scene.joint, madeBodies.byIndex, world, container, ppm)

        bodies = bodies.concat(madeBodies.list)
        images = images.concat(madeImages)
        joints = joints.concat(madeJoints)
        var built = madeBodies.list.concat(madeImages, madeJoints)
        for (var i = 0; i < built.length; ++i)
            built[i].initialized()
        for (var b = 0; b < madeBodies.list.length; ++b) {
            var fixtures = madeBodies.list[b].fixtures
            for (var f = 0; f < fixtures.length; ++f) {
                if (fixtures[f].initialized)
                    fixtures[f].initialized()
            }
        }
        levelReady()
    }

    function __buildBodies(list, world, container, entities, ppm) {
        var result = { list: [], byIndex: [] }
        if (!Array.isArray(list))
            return result
        for (var i = 0; i < list.length; ++i) {
            var json = list[i]
            result.byIndex.push(null)
            if (!json || typeof json !== "object")
                continue
            var url = __documentUrl(json, "RubeBody.qml", entities)
            var properties = RubeUtils.bodyProperties(json, ppm)
            properties.world = world
            var body = __manager.createObject(url, container, properties)
            if (!body) {
                console.warn("RubeParser: Could not create entity " + url)
                continue
            }
            body.internalInit(json, world)
            __buildFixtures(body, json.fixture, world, ppm)
            body.fixturesFinished()
            result.list.push(body)
            result.byIndex[i] = body
        }
        return result
    }

    function __buildFixtures(body, list, world, ppm) {
        if (!Array.isArray(list))
            return
        for (var i = 0; i < list.length; ++i) {
            var json = list[i]
            var kind = RubeUtils.fixtureKind(json)
            if (kind === "") {
                console.warn("RubeParser: Invalid fixture type \"" + JSON.stringify(json) + "\"")
                continue
            }
            var properties = RubeUtils.fixtureProperties(json, ppm)
            if (kind === "polygon" && properties.vertices.length < 3) {
                console.warn("RubeParser: Invalid fixture type \"" + JSON.stringify(json) + "\"")
                continue
            }
            var fixture = __manager.createObject(Qt.resolvedUrl(kind === "circle" ? "RubeFixtureCircle.qml" : "RubeFixturePolygon.qml"),
                                                 body, properties)
            if (!fixture)
                continue
            fixture.internalInit(json, world)
            body.body.addFixture(fixture)
        }
    }

    function __buildImages(list, bodiesByIndex, world, container, entities, assets, ppm) {
        var result = []
        if (!Array.isArray(list))
            return result
        for (var i = 0; i < list.length; ++i) {
            var json = list[i]
            if (!json || typeof json !== "object")
                continue
            var owner = RubeUtils.isNumber(json.body) && json.body >= 0 && json.body < bodiesByIndex.length
                    ? bodiesByIndex[json.body] : null
            var properties = {}
            var geometry = RubeUtils.imageGeometry(json, ppm)
            if (geometry) {
                properties.x = geometry.x
                properties.y = geometry.y
                properties.width = geometry.width
                properties.height = geometry.height
            }
            properties.rotation = RubeUtils.angle(json.angle)
            if (json.hasOwnProperty("flip")) properties.mirrorX = !!json.flip
            if (json.filter === 0 || json.filter === 1)
                properties.smooth = json.filter === 1
            else if (json.hasOwnProperty("filter"))
                console.warn("RubeImage: Invalid filter setting: " + json.filter)
            if (typeof json.file === "string" && json.file !== "")
                properties.source = assets + json.file
            var image = __manager.createObject(__documentUrl(json, "RubeImage.qml", entities), owner || container, properties)
            if (!image)
                continue
            if (RubeUtils.isNumber(json.renderOrder)) {
                if (owner)
                    owner.z = json.renderOrder
                else
                    image.z = json.renderOrder
            }
            image.internalInit(json, world)
            result.push(image)
        }
        return result
    }

    function __buildJoints(list, bodiesByIndex, world, container, ppm) {
        var result = []
        if (!Array.isArray(list))
            return result
        for (var i = 0; i < list.length; ++i) {
            var json = list[i]
            if (!json || typeof json !== "object" || !json.hasOwnProperty("type"))
                continue
            if (json.type !== "revolute") {
                console.warn("RubeParser: Invalid joint type \"" + JSON.stringify(json) + "\"")
                continue
            }
            var bodyA = RubeUtils.isNumber(json.bodyA) ? bodiesByIndex[json.bodyA] : null
            var bodyB = RubeUtils.isNumber(json.bodyB) ? bodiesByIndex[json.bodyB] : null
            // A joint needs two bodies; Box2D would abort on a missing one.
            if (!bodyA || !bodyB) {
                console.warn("RubeParser: revolute joint " + i + " names a body that does not exist, skipping it")
                continue
            }
            var properties = RubeUtils.revoluteProperties(json, ppm)
            properties.bodyA = bodyA.body
            properties.bodyB = bodyB.body
            var joint = __manager.createObject(Qt.resolvedUrl("RubeRevoluteJoint.qml"), container, properties)
            if (!joint)
                continue
            joint.internalInit(json, world)
            result.push(joint)
        }
        return result
    }
}
