#ifndef BOX2DBODY_H
#define BOX2DBODY_H

#include <box2d/box2d.h>

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QQmlListProperty>
#include <QQmlParserStatus>
#include <QQuickItem>
#include <QVector>

class Box2DFixture;
class Box2DWorld;

// One Box2D rigid body tied to a Qt Quick item, its target: after every step the
// body moves the item, and an item moved from outside takes the body along.
class Box2DBody : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_CLASSINFO("DefaultProperty", "fixtures")
    Q_PROPERTY(Box2DWorld *world READ world WRITE setWorld NOTIFY worldChanged)
    Q_PROPERTY(QQuickItem *target READ target WRITE setTarget NOTIFY targetChanged)
    Q_PROPERTY(float linearDamping READ linearDamping WRITE setLinearDamping NOTIFY linearDampingChanged)
    Q_PROPERTY(float angularDamping READ angularDamping WRITE setAngularDamping NOTIFY angularDampingChanged)
    Q_PROPERTY(BodyType bodyType READ bodyType WRITE setBodyType NOTIFY bodyTypeChanged)
    Q_PROPERTY(bool bullet READ isBullet WRITE setBullet NOTIFY bulletChanged)
    Q_PROPERTY(bool sleepingAllowed READ sleepingAllowed WRITE setSleepingAllowed NOTIFY sleepingAllowedChanged)
    Q_PROPERTY(bool fixedRotation READ fixedRotation WRITE setFixedRotation NOTIFY fixedRotationChanged)
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool awake READ isAwake WRITE setAwake NOTIFY awakeChanged)
    Q_PROPERTY(QPointF linearVelocity READ linearVelocity WRITE setLinearVelocity NOTIFY linearVelocityChanged)
    Q_PROPERTY(float angularVelocity READ angularVelocity WRITE setAngularVelocity NOTIFY angularVelocityChanged)
    Q_PROPERTY(QQmlListProperty<Box2DFixture> fixtures READ fixtures NOTIFY fixturesChanged)
    Q_PROPERTY(float gravityScale READ gravityScale WRITE setGravityScale NOTIFY gravityScaleChanged)
    Q_PROPERTY(QPointF force READ force WRITE setForce NOTIFY forceChanged)
    Q_PROPERTY(float torque READ torque WRITE setTorque NOTIFY torqueChanged)
    Q_PROPERTY(bool collisionTestingOnlyMode READ collisionTestingOnlyMode WRITE setCollisionTestingOnlyMode NOTIFY collisionTestingOnlyModeChanged)

public:
    // A fixed underlying type, so that any number written from QML is a value the
    // setter can refuse instead of undefined behaviour.
    enum BodyType : int { Static = b2_staticBody, Kinematic = b2_kinematicBody, Dynamic = b2_dynamicBody };
    Q_ENUM(BodyType)

    explicit Box2DBody(QObject *parent = nullptr);
    ~Box2DBody() override;

    Box2DWorld *world() const { return m_world; }
    void setWorld(Box2DWorld *world);
    QQuickItem *target() const { return m_target; }
    void setTarget(QQuickItem *target);
    float linearDamping() const { return m_bodyDef.linearDamping; }
    void setLinearDamping(float linearDamping);
    float angularDamping() const { return m_bodyDef.angularDamping; }
    void setAngularDamping(float angularDamping);
    BodyType bodyType() const { return static_cast<BodyType>(m_bodyDef.type); }
    void setBodyType(BodyType bodyType);
    bool isBullet() const { return m_bodyDef.bullet; }
    void setBullet(bool bullet);
    bool sleepingAllowed() const { return m_bodyDef.allowSleep; }
    void setSleepingAllowed(bool allowed);
    bool fixedRotation() const { return m_bodyDef.fixedRotation; }
    void setFixedRotation(bool fixedRotation);
    bool isActive() const { return m_bodyDef.enabled; }
    void setActive(bool active);
    bool isAwake() const;
    void setAwake(bool awake);
    QPointF linearVelocity() const;
    void setLinearVelocity(const QPointF &velocity);
    float angularVelocity() const;
    void setAngularVelocity(float velocity);
    QQmlListProperty<Box2DFixture> fixtures();
    float gravityScale() const { return m_bodyDef.gravityScale; }
    void setGravityScale(float gravityScale);
    QPointF force() const { return m_force; }
    void setForce(const QPointF &force);
    float torque() const { return float(m_torque); }
    void setTorque(float torque);
    bool collisionTestingOnlyMode() const { return m_collisionTestingOnlyMode; }
    void setCollisionTestingOnlyMode(bool enabled);

    Q_INVOKABLE void applyForce(const QPointF &force, const QPointF &point);
    Q_INVOKABLE void applyForceToCenter(const QPointF &force);
    Q_INVOKABLE void applyTorque(qreal torque);
    Q_INVOKABLE void applyLinearImpulse(const QPointF &impulse, const QPointF &point);
    Q_INVOKABLE void applyAngularImpulse(qreal impulse);
    Q_INVOKABLE QPointF getWorldCenter() const;
    Q_INVOKABLE QPointF getLocalCenter() const;
    Q_INVOKABLE float getMass() const;
    Q_INVOKABLE void resetMassData();
    Q_INVOKABLE float getInertia() const;
    Q_INVOKABLE QPointF toWorldPoint(const QPointF &localPoint) const;
    Q_INVOKABLE QPointF toWorldVector(const QPointF &localVector) const;
    Q_INVOKABLE QPointF toLocalPoint(const QPointF &worldPoint) const;
    Q_INVOKABLE QPointF toLocalVector(const QPointF &worldVector) const;
    Q_INVOKABLE QPointF getLinearVelocityFromWorldPoint(const QPointF &point) const;
    Q_INVOKABLE QPointF getLinearVelocityFromLocalPoint(const QPointF &point) const;
    Q_INVOKABLE void addFixture(Box2DFixture *fixture);

    // The Box2D body, present between creation and destruction (joints need it).
    b2Body *body() const { return m_body; }
    const QVector<Box2DFixture *> &fixtureList() const { return m_fixtures; }

    // Used by the world around each step.
    bool transformDirty() const { return m_transformDirty; }
    void updateBodyTransform();
    void synchronizeTarget();
    // False for a sleeping body that pushes nothing and has reported its rest:
    // it cannot have moved, so synchronising it would find nothing to write.
    bool needsSynchronizing() const
    {
        return !m_body || m_body->IsAwake() || m_collisionTestingOnlyMode || m_torque != 0
            || m_force.x() != 0 || m_force.y() != 0 || m_reportedAngularVelocity != 0
            || m_reportedLinearVelocity.x != 0 || m_reportedLinearVelocity.y != 0;
    }
    // The world's Box2D body is gone with the world.
    void nullifyBody();

    void classBegin() override {}
    void componentComplete() override;

signals:
    void worldChanged();
    void targetChanged();
    void linearDampingChanged();
    void angularDampingChanged();
    void bodyTypeChanged();
    void bulletChanged();
    void sleepingAllowedChanged();
    void fixedRotationChanged();
    void linearVelocityChanged();
    void angularVelocityChanged();
    void bodyCreated();
    void gravityScaleChanged();
    void positionChanged();
    void forceChanged();
    void torqueChanged();
    void collisionTestingOnlyModeChanged();
    void activeChanged();
    void awakeChanged();
    void fixturesChanged();
    // Emitted before the Box2D body is destroyed (element or world going, world
    // changed), while joints may still read it.
    void bodyDestroyed();

private slots:
    void markTransformDirty();
    void onWorldPixelsPerMeterChanged();

private:
    void createBody();
    void destroyBody();
    void watchTarget();
    bool applyTargetTransform(bool withCorner);
    float pixelsPerMeter() const;

    static void appendFixture(QQmlListProperty<Box2DFixture> *list, Box2DFixture *fixture);
    static int fixtureCount(QQmlListProperty<Box2DFixture> *list);
    static Box2DFixture *fixtureAt(QQmlListProperty<Box2DFixture> *list, int index);

    QPointer<Box2DWorld> m_world;
    QPointer<QQuickItem> m_target;
    QVector<QMetaObject::Connection> m_targetConnections;
    b2Body *m_body = nullptr;
    b2BodyDef m_bodyDef;
    QVector<Box2DFixture *> m_fixtures;
    QPointF m_force;
    double m_torque = 0;
    b2Vec2 m_reportedLinearVelocity{0, 0};
    float m_reportedAngularVelocity = 0;
    bool m_reportedAwake = true;
    bool m_transformDirty = false;
    bool m_completed = false;
    bool m_creationPending = false;
    bool m_collisionTestingOnlyMode = false;
    bool m_synchronizing = false;
};

#endif
