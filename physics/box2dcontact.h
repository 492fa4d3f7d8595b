#ifndef BOX2DCONTACT_H
#define BOX2DCONTACT_H

#include <QObject>

class b2Contact;
class Box2DFixture;

// One Box2D contact as seen from a World's preSolve and postSolve handlers. The
// world reuses one wrapper for every contact; it points at nothing outside a handler.
class Box2DContact : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Box2DFixture *fixtureA READ fixtureA CONSTANT)
    Q_PROPERTY(Box2DFixture *fixtureB READ fixtureB CONSTANT)

public:
    explicit Box2DContact(QObject *parent = nullptr);

    b2Contact *contact() const { return m_contact; }
    void setContact(b2Contact *contact) { m_contact = contact; }

    Box2DFixture *fixtureA() const;
    Box2DFixture *fixtureB() const;

    Q_INVOKABLE bool isTouching() const;

private:
    b2Contact *m_contact = nullptr;
};

#endif
