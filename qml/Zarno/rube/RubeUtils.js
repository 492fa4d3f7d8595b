.pragma library

// Scene files use meters, y up and counter-clockwise radians; items use pixels,
// y down and clockwise degrees.

function isNumber(value) {
    return typeof value === "number" && isFinite(value)
}

// A vector may be written as the number 0; anything unreadable counts as (0, 0).
function vector(value, pixelsPerMeter) {
    if (value && typeof value === "object" && isNumber(value.x) && isNumber(value.y))
        return Qt.point(pixelsPerMeter * value.x, -pixelsPerMeter * value.y)
    return Qt.point(0, 0)
}

function angle(radians) {
    return isNumber(radians) ? -radians * 180 / Math.PI : 0
}

function customProperties(list) {
    var result = {}
    if (!Array.isArray(list))
        return result
    var kinds = ["string", "int", "float", "bool", "color", "vec2"]
    for (var i = 0; i < list.length; ++i) {
        var entry = list[i]
        if (!entry || typeof entry.name !== "string")
            continue
        var kind = undefined
        for (var k = 0; k < kinds.length && kind === undefined; ++k) {
            if (entry.hasOwnProperty(kinds[k]))
                kind = kinds[k]
        }
        if (kind === undefined) {
            console.warn("RubeUtils: Invalid type of custom property " + entry.name)
            continue
        }
        var value = entry[kind]
        if (kind === "vec2")
            value = value && typeof value === "object" ? Qt.point(Number(value.x) || 0, Number(value.y) || 0) : Qt.point(0, 0)
        result[entry.name] = value
    }
    return result
}

// Body settings read before the body exists, so that Box2D creates it with them.
function bodyProperties(json, pixelsPerMeter) {
    var p = {}
    var position = vector(json.position, pixelsPerMeter)
    p.x = position.x
    p.y = position.y
    p.rotation = angle(json.angle)
    if (json.hasOwnProperty("type")) {
        if (json.type === 0 || json.type === 1 || json.type === 2)
            p.bodyType = json.type
        else
            console.warn("RubeBody: Invalid body type in RUBE JSON: " + json.type)
    }
    if (json.hasOwnProperty("active")) p.active = !!json.active
    if (isNumber(json.angularDamping)) p.angularDamping = json.angularDamping
    // Same sign flip as every angle: the file's counter-clockwise spin stays counter-clockwise.
    if (isNumber(json.angularVelocity)) p.angularVelocity = angle(json.angularVelocity)
    if (json.hasOwnProperty("awake")) p.sleeping = !json.awake
    if (json.hasOwnProperty("bullet")) p.bullet = !!json.bullet
    if (json.hasOwnProperty("fixedRotation")) p.fixedRotation = !!json.fixedRotation
    if (isNumber(json.gravityScale)) p.gravityScale = json.gravityScale
    if (isNumber(json.linearDamping)) p.linearDamping = json.linearDamping
    if (json.hasOwnProperty("linearVelocity")) p.linearVelocity = vector(json.linearVelocity, pixelsPerMeter)
    if (json.hasOwnProperty("allowSleep")) p.sleepingAllowed = !!json.allowSleep
    p.customProperties = customProperties(json.customProperties)
    p.objectName = typeof json.name === "string" && json.name !== "" ? json.name : "unnamedBody"
    return p
}

function fixtureKind(json) {
    if (json && json.polygon)
        return "polygon"
    if (json && json.circle)
        return "circle"
    return ""
}

function fixtureProperties(json, pixelsPerMeter) {
    var p = {}
    // Box2D's density is per square meter, the item's per square pixel.
    if (isNumber(json.density)) p.density = json.density / (pixelsPerMeter * pixelsPerMeter)
    if (isNumber(json["filter-categoryBits"])) p.categories = json["filter-categoryBits"]
    if (isNumber(json["filter-groupIndex"])) p.groupIndex = json["filter-groupIndex"]
    if (isNumber(json["filter-maskBits"])) p.collidesWith = json["filter-maskBits"]
    if (isNumber(json.friction)) p.friction = json.friction
    if (isNumber(json.restitution)) p.restitution = json.restitution
    if (json.hasOwnProperty("sensor")) p.sensor = !!json.sensor
    if (fixtureKind(json) === "circle") {
        var radius = isNumber(json.circle.radius) ? json.circle.radius * pixelsPerMeter : 0
        var center = vector(json.circle.center, pixelsPerMeter)
        p.radius = radius
        p.x = center.x - radius
        p.y = center.y - radius
    } else {
        var vertices = []
        var xs = json.polygon.vertices ? json.polygon.vertices.x : undefined
        var ys = json.polygon.vertices ? json.polygon.vertices.y : undefined
        if (Array.isArray(xs) && Array.isArray(ys)) {
            for (var i = 0; i < Math.min(xs.length, ys.length); ++i)
                vertices.push(Qt.point(pixelsPerMeter * xs[i], -pixelsPerMeter * ys[i]))
        }
        p.vertices = vertices
    }
    return p
}

// Corners run left bottom, right bottom, right top, left top.
function imageGeometry(json, pixelsPerMeter) {
    var xs = json.corners ? json.corners.x : undefined
    var ys = json.corners ? json.corners.y : undefined
    if (!Array.isArray(xs) || !Array.isArray(ys) || xs.length < 4 || ys.length < 4)
        return null
    var cx = (xs[0] + xs[1] + xs[2] + xs[3]) / 4
    var cy = (ys[0] + ys[1] + ys[2] + ys[3]) / 4
    var w = Math.sqrt(Math.pow(xs[1] - xs[0], 2) + Math.pow(ys[1] - ys[0], 2))
    var h = Math.sqrt(Math.pow(xs[3] - xs[0], 2) + Math.pow(ys[3] - ys[0], 2))
    return {
        x: pixelsPerMeter * (cx - w / 2),
        y: -pixelsPerMeter * (cy + h / 2),
        width: pixelsPerMeter * w,
        height: pixelsPerMeter * h
    }
}

// Scene files keep the limits as lowerLimit and upperLimit, counter-clockwise;
// clockwise degrees swap which end is lower.
function revoluteProperties(json, pixelsPerMeter) {
    var p = {}
    p.localAnchorA = vector(json.anchorA, pixelsPerMeter)
    p.localAnchorB = vector(json.anchorB, pixelsPerMeter)
    if (json.hasOwnProperty("enableLimit")) p.enableLimit = !!json.enableLimit
    if (json.hasOwnProperty("enableMotor")) p.enableMotor = !!json.enableMotor
    if (isNumber(json.upperLimit)) p.lowerAngle = angle(json.upperLimit)
    if (isNumber(json.lowerLimit)) p.upperAngle = angle(json.lowerLimit)
    if (isNumber(json.maxMotorTorque)) p.maxMotorTorque = json.maxMotorTorque
    if (isNumber(json.motorSpeed)) p.motorSpeed = angle(json.motorSpeed)
    if (json.hasOwnProperty("collideConnected")) p.collideConnected = !!json.collideConnected
    return p
}

// The folder of a path: up to and including its last "/" before the final character.
function folderOf(path) {
    var text = String(path)
    var slash = text.lastIndexOf("/", text.length - 2)
    return slash >= 0 ? text.substring(0, slash + 1) : ""
}
