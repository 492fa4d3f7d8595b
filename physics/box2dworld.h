#ifndef BOX2DWORLD_H
#define BOX2DWORLD_H

#include "physics/box2dcontact.h"
#include "scheduling/ischedulable.h"

#include <box2d/box2d.h>

#include <QPointF>
#include <QPointer>
#include <QQuickItem>

#include <functional>
#include <vector>

class Box2DBody;
class Box2DContact;
class Box2DFixture;
class Box2DProfile;
class Box2DRayCast;
class ContactListener;
class ZarnoScheduler;

Q_DECLARE_INTERFACE(b2DestructionListener, "b2DestructionListener")

// The elements that live in a world keep a pointer to themselves in the user data
// of their Box2D objects (2.4 keeps it as an integer in a struct). A zero pointer
// marks a Box2D object whose element is gone while the world was locked.
inline Box2DBody *toBox2DBody(const b2Body *body)
{
    return body ? reinterpret_cast<Box2DBody *>(const_cast<b2Body *>(body)->GetUserData().pointer) : nullptr;
}

inline Box2DFixture *toBox2DFixture(const b2Fixture *fixture)
{
    return fixture ? reinterpret_cast<Box2DFixture *>(const_cast<b2Fixture *>(fixture)->GetUserData().pointer) : nullptr;
}

// Joint elements are QObjects whose first base is QObject; the world reaches them
// through their user data without knowing their classes.
inline QObject *toJointElement(const b2Joint *joint)
{
    return joint ? reinterpret_cast<QObject *>(const_cast<b2Joint *>(joint)->GetUserData().pointer) : nullptr;
}

// Angles: Qt Quick turns clockwise in degrees, Box2D counter-clockwise in radians.
constexpr float kBox2DPi = 3.1415927f;
inline float toBox2DAngle(qreal degrees) { return float(-degrees * kBox2DPi / 180.0f); }
inline qreal toQmlAngle(float radians) { return -radians * 180.0f / kBox2DPi; }

// One Box2D world, stepped by the frame scheduler. Converts between the item
// coordinates of Qt Quick (pixels, y down) and Box2D's meters (y up).
class Box2DWorld : public QQuickItem, public b2DestructionListener, public ISchedulable
{
    Q_OBJECT
    Q_INTERFACES(b2DestructionListener ISchedulable)
    Q_PROPERTY(bool running READ isRunning WRITE setRunning NOTIFY runningChanged)
    Q_PROPERTY(float timeStep READ timeStep WRITE setTimeStep NOTIFY timeStepChanged)
    Q_PROPERTY(int velocityIterations READ velocityIterations WRITE setVelocityIterations NOTIFY velocityIterationsChanged)
    Q_PROPERTY(int positionIterations READ positionIterations WRITE setPositionIterations NOTIFY positionIterationsChanged)
    Q_PROPERTY(QPointF gravity READ gravity WRITE setGravity NOTIFY gravityChanged)
    Q_PROPERTY(bool autoClearForces READ autoClearForces WRITE setAutoClearForces NOTIFY autoClearForcesChanged)
    Q_PROPERTY(Box2DProfile *profile READ profile NOTIFY stepped)
    Q_PROPERTY(float pixelsPerMeter READ pixelsPerMeter WRITE setPixelsPerMeter NOTIFY pixelsPerMeterChanged)
    Q_PROPERTY(bool enableContactEvents READ enableContactEvents WRITE setEnableContactEvents NOTIFY enableContactEventsChanged)

public:
    explicit Box2DWorld(QQuickItem *parent = nullptr, bool running = true, bool completeAtOnce = false);
    ~Box2DWorld() override;

    bool isRunning() const { return m_running; }
    void setRunning(bool running);
    float timeStep() const { return m_timeStep; }
    void setTimeStep(float timeStep);
    int velocityIterations() const { return m_velocityIterations; }
    void setVelocityIterations(int iterations);
    int positionIterations() const { return m_positionIterations; }
    void setPositionIterations(int iterations);
    QPointF gravity() const;
    void setGravity(const QPointF &gravity);
    bool autoClearForces() const { return m_world.GetAutoClearForces(); }
    void setAutoClearForces(bool autoClearForces);
    Box2DProfile *profile() const { return m_profile; }
    float pixelsPerMeter() const { return m_pixelsPerMeter; }
    void setPixelsPerMeter(float pixelsPerMeter);
    bool enableContactEvents() const { return m_enableContactEvents; }
    void setEnableContactEvents(bool enable);

    Q_INVOKABLE void step(float timeStep);
    Q_INVOKABLE void clearForces();
    Q_INVOKABLE void rayCast(Box2DRayCast *rayCast, const QPointF &point1, const QPointF &point2);
    Q_INVOKABLE Box2DBody *bodyAt(const QPointF &point);

    b2World &world() { return m_world; }
    const b2World &world() const { return m_world; }

    // Unit conversions with this world's scale (pixels, y down <-> meters, y up).
    float toMeters(qreal length) const { return float(length / m_pixelsPerMeter); }
    qreal toPixels(float length) const { return length * m_pixelsPerMeter; }
    b2Vec2 toMeters(const QPointF &point) const
    {
        return b2Vec2(float(point.x() / m_pixelsPerMeter), float(-point.y() / m_pixelsPerMeter));
    }
    QPointF toPixels(const b2Vec2 &vector) const { return QPointF(vector.x * m_pixelsPerMeter, -vector.y * m_pixelsPerMeter); }

    // Box2D aborts on any change of its bodies, fixtures and joints while it steps
    // (pre- and post-solve handlers run then). Such changes go through here: at once
    // when the world is free, else right after the Box2D step, while owner lives.
    bool isLocked() const { return m_world.IsLocked(); }
    void whenUnlocked(QObject *owner, std::function<void()> action);
    // Destroys a Box2D body whose element is gone, now or after the Box2D step.
    void destroyBody(b2Body *body);
    // Destroys a Box2D fixture whose element is gone or is being rebuilt.
    void destroyFixture(b2Fixture *fixture);
    // Drops every contact notification still waiting for a fixture element that goes.
    void forgetFixture(Box2DFixture *fixture);
    // Keeps a body element that goes from being synchronised later in this step.
    void forgetBody(Box2DBody *body);

    // The world that bodies and debug views take when none is given: the first
    // World created, or one set from QML, else a world that never steps.
    static Box2DWorld *defaultWorld();
    static void setDefaultWorld(Box2DWorld *world);
    static Box2DWorld *fallbackWorld();
    static bool isFallbackWorld(const Box2DWorld *world);

    void classBegin() override {}
    void componentComplete() override;
    void tick(double seconds) override;
    void SayGoodbye(b2Joint *joint) override;
    void SayGoodbye(b2Fixture *fixture) override;

signals:
    void preSolve(Box2DContact *contact);
    void postSolve(Box2DContact *contact);
    void timeStepChanged();
    void velocityIterationsChanged();
    void positionIterationsChanged();
    void gravityChanged();
    void autoClearForcesChanged();
    void runningChanged();
    void stepped();
    void enableContactEventsChanged();
    void pixelsPerMeterChanged();

private:
    friend class ContactListener;
    struct ContactEvent
    {
        enum Type { Begin = 0, End = 1 };
        int type;
        Box2DFixture *fixtureA;
        Box2DFixture *fixtureB;
        float normalX;
        float normalY;
    };
    struct TouchingPair
    {
        Box2DFixture *fixtureA;
        Box2DFixture *fixtureB;
    };
    struct Deferred
    {
        QPointer<QObject> owner;
        std::function<void()> action;
    };

    void applyContactListener();
    void runDeferred();
    void deliverContactEvents();
    void emitContactChanged();
    void synchronizeBodies();

    b2World m_world;
    QPointer<ZarnoScheduler> m_scheduler;
    Box2DProfile *m_profile = nullptr;
    ContactListener *m_contactListener = nullptr;
    float m_timeStep = 1.0f / 60.0f;
    float m_pixelsPerMeter = 32.0f;
    int m_velocityIterations = 8;
    int m_positionIterations = 3;
    bool m_running = true;
    bool m_enableContactEvents = true;
    bool m_completed = false;
    bool m_stepping = false;

    // Work lists reused from step to step; the destruction of an element nulls
    // its entries so that a handler may destroy what is still to be walked.
    std::vector<ContactEvent> m_delivering;
    std::vector<TouchingPair> m_touching;
    std::vector<Box2DBody *> m_synchronizing;
    std::vector<Deferred> m_deferred;
    std::vector<b2Body *> m_doomedBodies;
    std::vector<b2Fixture *> m_doomedFixtures;
};

#endif
