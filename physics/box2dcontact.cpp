#include "box2dcontact.h"

#include "box2dfixture.h"
#include "box2dworld.h"

#include <QDebug>
#include <QtMath>

/*!
    \qmltype Contact
    \inqmlmodule Zarno
    \instantiates Box2DContact
    \brief The contact handed to World's preSolve and postSolve handlers.

    Valid only while the handler runs: the world reuses it for every contact, and
    reading or writing it later only gives a warning. Writes act on the current
    step (Box2D resets the enabled flag before every step).

    \qml
    World {
        onPreSolve: {
            // one-way platform: let bodies pass from below
            if (contact.fixtureA === platformFixture && contact.fixtureB.getBody().linearVelocity.y < 0)
                contact.enabled = false
        }
    }
    \endqml
*/
/*!
    \qmlproperty bool Contact::enabled
    Whether Box2D solves the contact in this step; false lets the fixtures pass
    through each other.
*/
/*!
    \qmlproperty Fixture Contact::fixtureA
    The first fixture of the contact.
*/
/*!
    \qmlproperty Fixture Contact::fixtureB
    The second fixture of the contact.
*/
/*!
    \qmlproperty int Contact::childIndexA
    The segment of fixture A that touches, for chains; 0 otherwise.
*/
/*!
    \qmlproperty int Contact::childIndexB
    The segment of fixture B that touches, for chains; 0 otherwise.
*/
/*!
    \qmlproperty real Contact::friction
    The contact's friction, mixed from the two fixtures' unless written.
*/
/*!
    \qmlproperty real Contact::restitution
    The contact's restitution, the larger of the two fixtures' unless written.
*/
/*!
    \qmlproperty real Contact::tangentSpeed
    Speed of the surface along the contact, in meters per second (conveyor belts).
*/

Box2DContact::Box2DContact(QObject *parent)
    : QObject(parent)
{
}

b2Contact *Box2DContact::current() const
{
    if (!m_contact)
        qWarning("Contact: used outside its preSolve or postSolve handler");
    return m_contact;
}

bool Box2DContact::isEnabled() const
{
    b2Contact *contact = current();
    return contact && contact->IsEnabled();
}

void Box2DContact::setEnabled(bool enabled)
{
    b2Contact *contact = current();
    if (!contact || contact->IsEnabled() == enabled)
        return;
    contact->SetEnabled(enabled);
    emit contactUpdated();
}

Box2DFixture *Box2DContact::fixtureA() const
{
    b2Contact *contact = current();
    return contact ? toBox2DFixture(contact->GetFixtureA()) : nullptr;
}

Box2DFixture *Box2DContact::fixtureB() const
{
    b2Contact *contact = current();
    return contact ? toBox2DFixture(contact->GetFixtureB()) : nullptr;
}

// A chain is built twice, once in each direction; the reversed one counts its
// segments from the other end.
int Box2DContact::childIndexA() const
{
    b2Contact *contact = current();
    if (!contact)
        return 0;
    Box2DFixture *fixture = toBox2DFixture(contact->GetFixtureA());
    return fixture ? fixture->childIndex(contact->GetFixtureA(), contact->GetChildIndexA()) : contact->GetChildIndexA();
}

int Box2DContact::childIndexB() const
{
    b2Contact *contact = current();
    if (!contact)
        return 0;
    Box2DFixture *fixture = toBox2DFixture(contact->GetFixtureB());
    return fixture ? fixture->childIndex(contact->GetFixtureB(), contact->GetChildIndexB()) : contact->GetChildIndexB();
}

qreal Box2DContact::friction() const
{
    b2Contact *contact = current();
    return contact ? contact->GetFriction() : 0;
}

void Box2DContact::setFriction(qreal friction)
{
    b2Contact *contact = current();
    if (!contact || contact->GetFriction() == float(friction))
        return;
    if (!qIsFinite(friction)) {
        qWarning() << "Contact: Invalid friction:" << friction;
        return;
    }
    contact->SetFriction(float(friction));
    emit contactUpdated();
}

qreal Box2DContact::restitution() const
{
    b2Contact *contact = current();
    return contact ? contact->GetRestitution() : 0;
}

void Box2DContact::setRestitution(qreal restitution)
{
    b2Contact *contact = current();
    if (!contact || contact->GetRestitution() == float(restitution))
        return;
    if (!qIsFinite(restitution)) {
        qWarning() << "Contact: Invalid restitution:" << restitution;
        return;
    }
    contact->SetRestitution(float(restitution));
    emit contactUpdated();
}

qreal Box2DContact::tangentSpeed() const
{
    b2Contact *contact = current();
    return contact ? contact->GetTangentSpeed() : 0;
}

void Box2DContact::setTangentSpeed(qreal tangentSpeed)
{
    b2Contact *contact = current();
    if (!contact || contact->GetTangentSpeed() == float(tangentSpeed))
        return;
    if (!qIsFinite(tangentSpeed)) {
        qWarning() << "Contact: Invalid tangentSpeed:" << tangentSpeed;
        return;
    }
    contact->SetTangentSpeed(float(tangentSpeed));
    emit contactUpdated();
}

/*!
    \qmlsignal Contact::contactUpdated()
    Emitted when a write from a handler changes the contact.
*/

/*!
    \qmlmethod bool Contact::isTouching()
    Returns whether the two fixtures' shapes touch.
*/
bool Box2DContact::isTouching() const
{
    b2Contact *contact = current();
    return contact && contact->IsTouching();
}

/*!
    \qmlmethod Contact::resetFriction()
    Gives the contact the friction mixed from its fixtures again: the square
    root of their product.
*/
void Box2DContact::resetFriction()
{
    if (b2Contact *contact = current()) {
        contact->ResetFriction();
        emit contactUpdated();
    }
}

/*!
    \qmlmethod Contact::resetRestitution()
    Gives the contact the larger of its fixtures' restitutions again.
*/
void Box2DContact::resetRestitution()
{
    if (b2Contact *contact = current()) {
        contact->ResetRestitution();
        emit contactUpdated();
    }
}
