import QtQuick 2.0
import QtTest 1.2

// The particles example must keep loading its files and drawing its three effects.
TestCase {
    name: "ParticlesExample"
    when: windowShown

    function brightPixels(image, left, top, right, bottom) {
        var count = 0
        // A grab taken before the window has its size is smaller than the scene.
        for (var y = top; y < Math.min(bottom, image.height); y += 2) {
            for (var x = left; x < Math.min(right, image.width); x += 2) {
                var c = image.pixel(x, y)
                if (c.r + c.g + c.b > 0.9)
                    ++count
            }
        }
        return count
    }

    function test_fireSmokeAndSparksShow() {
        var component = Qt.createComponent(Qt.resolvedUrl("../../examples/particles/Main.qml"))
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null, {width: 480, height: 320})
        verify(window)
        var scene = window.activeScene
        var fire = findChild(scene, "fire")
        var smoke = findChild(scene, "smoke")
        var sparks = findChild(scene, "sparks")
        for (var effect of [fire, smoke, sparks]) {
            verify(effect.running)
            verify(String(effect.textureFileName).match(/assets\/particles\/(fire|smoke|spark)\.png$/),
                   effect.textureFileName)
        }
        // Values come from the files.
        compare(fire.maxParticles, 160)
        compare(smoke.particleLifespan, 3.2)
        compare(sparks.gravity, Qt.point(0, -320))

        // The flames above the fire's origin, the sparks above the torch; a busy
        // machine may take a while to draw the frames that let them grow.
        var started = new Date()
        var image
        tryVerify(function () {
            image = grabImage(window.contentItem)
            return brightPixels(image, 100, 200, 160, 275) > 20 && brightPixels(image, 220, 80, 470, 240) > 5
        }, 20000, "no flames or no sparks")
        // The sky above the smoke column stays dark, also once the smoke has risen.
        var risen = 1500 - (new Date() - started)
        if (risen > 0) {
            wait(risen)
            image = grabImage(window.contentItem)
        }
        compare(brightPixels(image, 0, 40, 60, 120), 0)
        window.close()
        window.destroy()
    }
}
