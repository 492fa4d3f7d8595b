#ifndef BOX2DCONTACT_H
#define BOX2DCONTACT_H

#include <QObject>

class b2Contact;
class Box2DFixture;

// One Box2D contact as seen from a World's preSolve and postSolve handlers. The
// world reuses one wrapper for every contact; it points at nothing outside a
// handler, and using it then gives a warning and empty values.
class Box2DContact : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY contactUpdated)
    Q_PROPERTY(Box2DFixture *fixtureA READ fixtureA NOTIFY contactUpdated)
    Q_PROPERTY(Box2DFixture *fixtureB READ fixtureB NOTIFY contactUpdated)
    Q_PROPERTY(int childIndexA READ childIndexA NOTIFY contactUpdated)
    Q_PROPERTY(int childIndexB READ childIndexB NOTIFY contactUpdated)
    Q_PROPERTY(qreal friction READ friction WRITE setFriction NOTIFY contactUpdated)
    Q_PROPERTY(qreal restitution READ restitution WRITE setRestitution NOTIFY contactUpdated)
    Q_PROPERTY(qreal tangentSpeed READ tangentSpeed WRITE setTangentSpeed NOTIFY contactUpdated)

public:
    explicit Box2DContact(QObject *parent = nullptr);

    b2Contact *contact() const { return m_contact; }
    void setContact(b2Contact *contact) { m_contact = contact; }

    bool isEnabled() const;
    void setEnabled(bool enabled);
    Box2DFixture *fixtureA() const;
    Box2DFixture *fixtureB() const;
    int childIndexA() const;
    int childIndexB() const;
    qreal friction() const;
    void setFriction(qreal friction);
    qreal restitution() const;
    void setRestitution(qreal restitution);
    qreal tangentSpeed() const;
    void setTangentSpeed(qreal tangentSpeed);

    Q_INVOKABLE bool isTouching() const;
    Q_INVOKABLE void resetFriction();
    Q_INVOKABLE void resetRestitution();

signals:
    // Emitted when a write changes the contact.
    void contactUpdated();

private:
    // The contact while a handler runs; null with a warning afterwards.
    b2Contact *current() const;

    b2Contact *m_contact = nullptr;
};

#endif
