#ifndef BOX2DJOINT_H
#define BOX2DJOINT_H

#include <QMetaObject>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QQmlParserStatus>
#include <QVector>

#include "physics/box2dbody.h"
#include "physics/box2dworld.h"

#include <box2d/box2d.h>

// Connects two bodies with one Box2D joint. The element decides when the Box2D
// joint can exist (both bodies created, in one world, the element complete),
// creates it through the type's createJoint, re-creates it whenever a body is
// re-assigned, and destroys it with the element. Gear joints that depend on
// this joint are destroyed before it and re-created after it.
class Box2DJoint : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(JointType jointType READ jointType CONSTANT)
    Q_PROPERTY(bool collideConnected READ collideConnected WRITE setCollideConnected NOTIFY collideConnectedChanged)
    Q_PROPERTY(Box2DBody *bodyA READ bodyA WRITE setBodyA NOTIFY bodyAChanged)
    Q_PROPERTY(Box2DBody *bodyB READ bodyB WRITE setBodyB NOTIFY bodyBChanged)

public:
    // Box2D's joint type numbers; RopeJoint keeps the number Box2D 2.4 no longer has.
    enum JointType {
        UnknownJoint,
        RevoluteJoint,
        PrismaticJoint,
        DistanceJoint,
        PulleyJoint,
        MouseJoint,
        GearJoint,
        WheelJoint,
        WeldJoint,
        FrictionJoint,
        RopeJoint,
        MotorJoint
    };
    Q_ENUM(JointType)

    explicit Box2DJoint(JointType type, QObject *parent = nullptr);
    ~Box2DJoint() override;

    JointType jointType() const { return m_jointType; }

    bool collideConnected() const { return m_collideConnected; }
    void setCollideConnected(bool collideConnected);

    Box2DBody *bodyA() const { return m_bodyA; }
    void setBodyA(Box2DBody *bodyA);
    Box2DBody *bodyB() const { return m_bodyB; }
    void setBodyB(Box2DBody *bodyB);

    void classBegin() override {}
    void componentComplete() override;

    // The Box2D joint while it exists, and the world it was created in.
    b2Joint *joint() const { return m_joint; }
    Box2DWorld *world() const { return m_world; }

    // Forgets the Box2D joint without destroying it: Box2D destroys it itself
    // (one of its bodies goes) or the whole Box2D world goes.
    void nullifyJoint();

    // Gear joints register here to be destroyed before this joint's Box2D joint.
    void addDependentJoint(Box2DJoint *joint);
    void removeDependentJoint(Box2DJoint *joint);

signals:
    void collideConnectedChanged();
    void bodyAChanged();
    void bodyBChanged();
    void created();

protected:
    // Builds the type's definition and creates the Box2D joint; null when it cannot.
    virtual b2Joint *createJoint() = 0;
    // Spring types turn frequency and damping ratio into stiffness and damping
    // from the bodies' masses; they re-do it when those masses change.
    virtual bool hasMassDependentStiffness() const { return false; }
    virtual void updateStiffness() {}

    void initializeJoint();
    void destroyJoint();
    // Fills what every definition shares: bodies, user data, collide-connected.
    void initializeJointDef(b2JointDef &def);
    b2World *box2DWorld() const;

    template<class T>
    T *jointAs() const { return static_cast<T *>(m_joint); }
    b2Body *box2DBodyA() const;
    b2Body *box2DBodyB() const;

    // Unit conversions with the scale of the joint's world (the bodies' world
    // before the Box2D joint exists).
    float pixelsPerMeter() const;
    float toMeters(double pixels) const { return float(pixels / pixelsPerMeter()); }
    b2Vec2 toMeters(const QPointF &point) const;
    double toPixels(float meters) const { return double(meters) * pixelsPerMeter(); }
    QPointF toPixels(const b2Vec2 &vector) const;
    // Clockwise degrees on screen, counter-clockwise radians in Box2D.
    static float toRadians(double degrees);
    static double toDegrees(float radians);
    // Torques scale with the square of the length unit.
    float torqueToBox2D(double torque) const;

    // Huge frequencies overflow Box2D's float stiffness: keep it finite (a very
    // stiff spring) rather than let it turn the bodies' positions into NaN.
    static void keepFinite(float &stiffness, float &damping);

    QPointF reactionForce(float invDt) const;
    double reactionTorque(float invDt) const;

    // Refuse values that Box2D would assert on; the warning names the type and property.
    bool acceptFinite(const char *type, const char *property, double value) const;
    // Points and lengths are also kept within kMaxCoordinate pixels: Box2D's
    // rigid corrections are not clamped, and a far point or a huge length turns
    // every body of the world into NaN within a step.
    bool acceptFinite(const char *type, const char *property, const QPointF &value) const;
    bool acceptLength(const char *type, const char *property, double value) const;
    static constexpr double kMaxCoordinate = 1e7;
    bool acceptNonNegative(const char *type, const char *property, double value) const;
    static bool samePoint(const QPointF &a, const QPointF &b);

private slots:
    void bodyACreated();
    void bodyBCreated();
    void checkMasses();

private:
    void watchBody(Box2DBody *body, QMetaObject::Connection &connection, void (Box2DJoint::*slot)());
    Box2DWorld *lockedWorld() const;

    const JointType m_jointType;
    bool m_collideConnected = false;
    QPointer<Box2DBody> m_bodyA;
    QPointer<Box2DBody> m_bodyB;
    bool m_complete = false;
    bool m_initializePending = false;
    bool m_initializeDeferred = false;
    QPointer<Box2DWorld> m_world;
    b2Joint *m_joint = nullptr;
    QMetaObject::Connection m_bodyACreatedConnection;
    QMetaObject::Connection m_bodyBCreatedConnection;
    QMetaObject::Connection m_massConnection;
    float m_massA = 0;
    float m_massB = 0;
    QVector<QPointer<Box2DJoint>> m_dependents;
};

#endif
