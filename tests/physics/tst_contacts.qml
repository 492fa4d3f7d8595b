import QtQuick 2.0
import QtTest 1.2
import Zarno 2.0

// The contact wrapper of pre- and post-solve handlers, and ray casts.
TestCase {
    id: testCase
    name: "ContactsAndRayCasts"

    Component {
        id: worldComponent
        World { running: false }
    }

    Component {
        id: boxComponent
        Item {
            id: item
            property alias body: body
            property alias box: box
            property var world: null
            property int bodyType: Body.Static
            width: 32
            height: 32
            Body {
                id: body
                world: item.world
                target: item
                bodyType: item.bodyType
                Box { id: box; width: item.width; height: item.height; density: 1 }
            }
        }
    }

    Component {
        id: rayComponent
        RayCast {
            property var hits: []
            onFixtureReported: hits.push({ fixture: fixture, point: point, normal: normal, fraction: fraction })
        }
    }

    function box(world, x, y, bodyType, props) {
        var p = props || {}
        p.world = world
        p.x = x
        p.y = y
        p.bodyType = bodyType === undefined ? Body.Static : bodyType
        return createTemporaryObject(boxComponent, testCase, p)
    }

    function test_contactInPreSolve() {
        var world = createTemporaryObject(worldComponent, testCase)
        var floor = box(world, 0, 100, Body.Static, { width: 200 })
        var crate = box(world, 50, 40, Body.Dynamic)
        floor.box.friction = 0.2
        crate.box.friction = 0.8
        var seen = 0
        var kept = null
        function onPreSolve(contact) {
            if (++seen === 1) {
                ignoreWarning("Contact: Invalid friction: nan")
                contact.friction = NaN
            }
            contact.friction = 1
            contact.resetFriction()
            fuzzyCompare(contact.friction, 0.4, 1e-6)
            verify([floor.body, crate.body].indexOf(contact.fixtureA.getBody()) >= 0)
            compare(contact.childIndexA, 0)
            // Disabled contacts let the crate fall through the floor.
            contact.enabled = false
            kept = contact
        }
        world.preSolve.connect(onPreSolve)
        for (var i = 0; i < 90; ++i)
            world.step(1 / 60)
        world.preSolve.disconnect(onPreSolve)
        verify(seen > 0)
        verify(crate.y > 140, crate.y)

        // Kept past its handler, the wrapper points at nothing.
        ignoreWarning("Contact: used outside its preSolve or postSolve handler")
        compare(kept.fixtureA, null)
        ignoreWarning("Contact: used outside its preSolve or postSolve handler")
        kept.enabled = false
    }

    function test_rayAcrossTwoBoxes_data() {
        return [
            { tag: "whole ray", maxFraction: 1, fractions: [100 / 300, 200 / 300] },
            { tag: "first half", maxFraction: 0.5, fractions: [100 / 300] },
        ]
    }

    function test_rayAcrossTwoBoxes(data) {
        var world = createTemporaryObject(worldComponent, testCase)
        box(world, 100, 100)
        box(world, 200, 100)
        var ray = createTemporaryObject(rayComponent, testCase, { maxFraction: data.maxFraction })
        world.rayCast(ray, Qt.point(0, 116), Qt.point(300, 116))
        var hits = ray.hits.sort(function (a, b) { return a.fraction - b.fraction })
        compare(hits.length, data.fractions.length)
        for (var i = 0; i < hits.length; ++i) {
            fuzzyCompare(hits[i].fraction, data.fractions[i], 1e-4)
            fuzzyCompare(hits[i].point.x, 300 * data.fractions[i], 0.01)
            fuzzyCompare(hits[i].point.y, 116, 0.01)
            // The left faces: a normal pointing left, pixelsPerMeter long.
            fuzzyCompare(hits[i].normal.x, -32, 1e-3)
            fuzzyCompare(hits[i].normal.y, 0, 1e-3)
        }
    }

    function test_rayOnTopFace() {
        var world = createTemporaryObject(worldComponent, testCase)
        var target = box(world, 100, 100)
        var ray = createTemporaryObject(rayComponent, testCase)
        world.rayCast(ray, Qt.point(116, 50), Qt.point(116, 150))
        compare(ray.hits.length, 1)
        compare(ray.hits[0].fixture, target.box)
        fuzzyCompare(ray.hits[0].fraction, 0.5, 1e-4)
        fuzzyCompare(ray.hits[0].normal.x, 0, 1e-3)
        fuzzyCompare(ray.hits[0].normal.y, -32, 1e-3)
    }
}
