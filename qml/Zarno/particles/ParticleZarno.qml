import QtQuick 2.15
import QtQuick.Particles 2.15
import Zarno 2.0

/*!
    \qmltype ParticleZarno
    \inqmlmodule Zarno
    \inherits ParticleZarnoBase
    \brief A particle emitter that draws the parameters of ParticleZarnoBase.

    Emits while \c running and while the window's settings allow particles
    (\c particlesEnabled). Each particle's size, spin, colour and position are
    computed from its age on the GPU: gravity mode moves it with \c speed,
    \c angle, the radial and tangential acceleration and \c gravity; radius mode
    spirals it around the emitter. With \c positionType \c Free, particles
    already emitted stay where they are when the parent moves.

    \qml
    ParticleZarno {
        x: 240; y: 300
        fileName: "fire.json"   // texture, colours and motion from a particle file
        autoStart: true
    }
    \endqml
*/
ParticleZarnoBase {
    id: particle

    // The window's settings when there is one; particles are on without.
    readonly property var __settings: typeof gameWindow !== "undefined" && gameWindow && gameWindow.settings
                                      ? gameWindow.settings
                                      : (typeof settings !== "undefined" && settings ? settings : null)
    readonly property bool __particlesEnabled: !__settings || __settings.particlesEnabled
    property bool __initialized: false
    readonly property Item __target: parent
    readonly property bool __followsTarget: positionType === ParticleZarnoBase.Free && __target !== null
                                            && __target !== particle
    readonly property real __lifespan: particleLifespan > 0 ? particleLifespan
                                                           : (particleLifespanVariance > 0 ? particleLifespanVariance : 1)

    /*! Disables the emitter and removes every living particle at once. */
    function stopEmitter() {
        emitter.enabled = false
        particleSystem.restart()
        particleSystem.stop()
    }

    function __startEmitting() {
        emitter.enabled = true
        particleSystem.restart()
        if (duration > 0)
            durationTimer.restart()
    }

    Component.onCompleted: {
        // running rather than autoStart: a running: true binding starts it as well.
        if (running && __particlesEnabled)
            __startEmitting()
        else
            emitter.enabled = false
        __initialized = true
    }

    onRunningChanged: {
        if (!__initialized)
            return
        if (running && __particlesEnabled) {
            __startEmitting()
        } else {
            emitter.enabled = false
            durationTimer.stop()
        }
    }

    on__ParticlesEnabledChanged: {
        if (!__initialized)
            return
        if (__particlesEnabled && running)
            __startEmitting()
        else if (!__particlesEnabled)
            emitter.enabled = false
    }

    Connections {
        target: particle.__followsTarget ? particle.__target : null
        function onRotationChanged() { particle.rotation = -particle.__target.rotation }
    }

    Timer {
        id: durationTimer
        interval: Math.max(0, particle.duration * 1000)
        onTriggered: particle.stop()
    }

    Image {
        id: texture
        source: particle.textureFileName
        visible: false
    }

    // Moved against the parent so that particles already emitted keep their place in the scene.
    ParticleSystem {
        id: particleSystem
        x: particle.__followsTarget ? -particle.__target.x : 0
        y: particle.__followsTarget ? -particle.__target.y : 0

        Gravity {
            enabled: particle.emitterType === ParticleZarnoBase.Gravity
                     && (particle.gravity.x !== 0 || particle.gravity.y !== 0)
            magnitude: Math.sqrt(particle.gravity.x * particle.gravity.x + particle.gravity.y * particle.gravity.y)
            // The y axis of gravity points up, the toolkit's angles run clockwise.
            angle: Math.trunc(Math.atan2(-particle.gravity.y, particle.gravity.x) * 180 / Math.PI)
        }

        CustomParticle {
            id: painter
            // An absent texture would sample as black squares.
            visible: texture.status === Image.Ready

            property variant source: texture
            property real finishSizeVariance: particle.finishParticleSizeVariance
            property real rotationStart: particle.rotationStart
            property real rotationStartVariance: particle.rotationStartVariance
            property real rotationEnd: particle.rotationEnd
            property real rotationEndVariance: particle.rotationEndVariance
            property vector4d startColor: Qt.vector4d(particle.startColor.r, particle.startColor.g,
                                                      particle.startColor.b, particle.startColor.a)
            property vector4d startColorVariance: Qt.vector4d(particle.startColorVariance.r, particle.startColorVariance.g,
                                                              particle.startColorVariance.b, particle.startColorVariance.a)
            property vector4d finishColor: Qt.vector4d(particle.finishColor.r, particle.finishColor.g,
                                                       particle.finishColor.b, particle.finishColor.a)
            property vector4d finishColorVariance: Qt.vector4d(particle.finishColorVariance.r, particle.finishColorVariance.g,
                                                               particle.finishColorVariance.b, particle.finishColorVariance.a)
            property real angleVariance: particle.angleVariance
            property real itemRotation: particle.rotation
            property real minRadius: particle.minRadius
            property real minRadiusVariance: particle.minRadiusVariance
            property real maxRadius: particle.maxRadius
            property real maxRadiusVariance: particle.maxRadiusVariance
            property real rotatePerSecond: particle.rotatePerSecond
            property real rotatePerSecondVariance: particle.rotatePerSecondVariance
            property real radiusMode: particle.emitterType === ParticleZarnoBase.Radius ? 1 : 0

            vertexShader: "
                uniform highp float finishSizeVariance;
                uniform highp float rotationStart;
                uniform highp float rotationStartVariance;
                uniform highp float rotationEnd;
                uniform highp float rotationEndVariance;
                uniform highp vec4 startColor;
                uniform highp vec4 startColorVariance;
                uniform highp vec4 finishColor;
                uniform highp vec4 finishColorVariance;
                uniform highp float angleVariance;
                uniform highp float itemRotation;
                uniform highp float minRadius;
                uniform highp float minRadiusVariance;
                uniform highp float maxRadius;
                uniform highp float maxRadiusVariance;
                uniform highp float rotatePerSecond;
                uniform highp float rotatePerSecondVariance;
                uniform highp float radiusMode;
                varying highp vec2 fTex;
                varying lowp vec4 fColor;

                highp float rand(highp vec2 q) {
                    return fract(sin(mod(dot(q, vec2(12.9898, 78.233)), 3.14)) * 43758.5453);
                }
                highp float spread(highp float seed) {
                    return rand(vec2(seed, seed)) * 2.0 - 1.0;
                }
                // The vertex program runs for every corner of every particle each
                // frame: random numbers that a zero variance would throw away are
                // not drawn (the branches depend on uniforms only).
                highp float vary(highp float variance, highp float seed) {
                    if (variance == 0.0)
                        return 0.0;
                    return variance * spread(seed);
                }
                highp vec4 varyColor(highp vec4 variance, highp float seed) {
                    if (variance == vec4(0.0))
                        return vec4(0.0);
                    return variance * vec4(spread(seed), spread(seed + 0.1), spread(seed + 0.2), spread(seed + 0.3));
                }

                void main() {
                    highp float life = qt_ParticleData.y;
                    highp float seed = life;
                    highp float dt = qt_Timestamp - qt_ParticleData.x;
                    // A particle without life has no size; never divide by it.
                    highp float t = life > 0.0 ? dt / life : -1.0;
                    highp float size = 0.0;
                    if (t >= 0.0 && t <= 1.0)
                        size = max(0.0, mix(qt_ParticleData.z, qt_ParticleData.w + vary(finishSizeVariance, seed), t * t));
                    t = clamp(t, 0.0, 1.0);

                    fTex = qt_ParticleTex;
                    if (rotationStart != 0.0 || rotationStartVariance != 0.0 || rotationEnd != 0.0 || rotationEndVariance != 0.0) {
                        highp float spin = radians(mix(rotationStart + vary(rotationStartVariance, seed + 0.33),
                                                       rotationEnd + vary(rotationEndVariance, seed + 0.11), t * t));
                        highp vec2 c = qt_ParticleTex - 0.5;
                        highp float cosSpin = cos(spin);
                        highp float sinSpin = sin(spin);
                        fTex = vec2(c.x * cosSpin - c.y * sinSpin, c.x * sinSpin + c.y * cosSpin) + 0.5;
                    }

                    highp vec4 birth = clamp(startColor + varyColor(startColorVariance, seed + 0.1), 0.0, 1.0);
                    highp vec4 death = clamp(finishColor + varyColor(finishColorVariance, seed + 0.5), 0.0, 1.0);
                    fColor = mix(birth, death, t);

                    highp vec2 corner = qt_ParticlePos - size / 2.0 + size * qt_ParticleTex;
                    if (radiusMode > 0.5) {
                        highp float theta0 = radians(itemRotation + vary(angleVariance, seed));
                        highp float r0 = minRadius + vary(minRadiusVariance, seed + 0.55);
                        highp float r1 = maxRadius + vary(maxRadiusVariance, seed + 0.66);
                        highp float omega = rotatePerSecond + vary(rotatePerSecondVariance, seed + 0.77);
                        highp float radius = mix(r0, r1, t * t);
                        highp float turn = theta0 + radians(omega * dt);
                        corner += vec2(-cos(turn) * radius, -sin(turn) * radius);
                    } else {
                        highp float age = t * life;
                        corner += qt_ParticleVec.xy * age + 0.5 * qt_ParticleVec.zw * age * age;
                    }
                    gl_Position = qt_Matrix * vec4(corner.x, corner.y, 0.0, 1.0);
                }"

            fragmentShader: "
                uniform sampler2D source;
                uniform lowp float qt_Opacity;
                varying highp vec2 fTex;
                varying lowp vec4 fColor;
                void main() {
                    gl_FragColor = texture2D(source, fTex) * fColor * qt_Opacity;
                }"
        }
    }

    Emitter {
        id: emitter
        system: particleSystem
        enabled: false
        x: -Math.abs(particle.sourcePositionVariance.x)
        y: -Math.abs(particle.sourcePositionVariance.y)
        width: 2 * Math.abs(particle.sourcePositionVariance.x)
        height: 2 * Math.abs(particle.sourcePositionVariance.y)
        // A lifespan of a few microseconds would ask for billions of particles a frame.
        emitRate: Math.min(particle.maxParticles / particle.__lifespan, particle.maxParticles * 100)
        maximumEmitted: particle.maxParticles
        lifeSpan: Math.min(2147483647, Math.max(0, particle.particleLifespan * 1000))
        // Without any variation every particle would draw the same random numbers.
        lifeSpanVariation: particle.particleLifespanVariance !== 0
                           ? Math.min(2147483647, Math.abs(particle.particleLifespanVariance * 1000)) : 77
        size: particle.startParticleSize
        sizeVariation: particle.startParticleSizeVariance
        endSize: particle.finishParticleSize
        velocityFromMovement: 1
        velocity: AngleDirection {
            angle: particle.angle + (particle.__initialized && particle.__followsTarget ? particle.__target.rotation : 0)
            angleVariation: particle.angleVariance
            magnitude: particle.speed
            magnitudeVariation: particle.speedVariance
        }
        acceleration: AngleDirection {
            magnitude: Math.sqrt(particle.radialAcceleration * particle.radialAcceleration
                                 + particle.tangentialAcceleration * particle.tangentialAcceleration)
            magnitudeVariation: Math.sqrt(particle.radialAccelVariance * particle.radialAccelVariance
                                          + particle.tangentialAccelVariance * particle.tangentialAccelVariance)
            angle: Math.trunc(Math.atan2(-particle.tangentialAcceleration, particle.radialAcceleration) * 180 / Math.PI)
            angleVariation: Math.trunc(Math.atan2(-particle.tangentialAccelVariance, particle.radialAccelVariance) * 180 / Math.PI)
        }
    }
}
