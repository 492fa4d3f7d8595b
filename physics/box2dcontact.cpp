#include "box2dcontact.h"

#include "box2dworld.h"

/*!
    \qmltype Contact
    \inqmlmodule Zarno
    \instantiates Box2DContact
    \brief The contact handed to World's preSolve and postSolve handlers.

    Valid only while the handler runs: the world reuses it for every contact.

    \qml
    World {
        onPreSolve: if (contact.fixtureA.sensor) console.log("sensor touched")
    }
    \endqml
*/

Box2DContact::Box2DContact(QObject *parent)
    : QObject(parent)
{
}

/*!
    \qmlproperty Fixture Contact::fixtureA
    The first fixture of the contact.
*/
Box2DFixture *Box2DContact::fixtureA() const
{
    return m_contact ? toBox2DFixture(m_contact->GetFixtureA()) : nullptr;
}

/*!
    \qmlproperty Fixture Contact::fixtureB
    The second fixture of the contact.
*/
Box2DFixture *Box2DContact::fixtureB() const
{
    return m_contact ? toBox2DFixture(m_contact->GetFixtureB()) : nullptr;
}

/*!
    \qmlmethod bool Contact::isTouching()
    Returns whether the two fixtures' shapes touch.
*/
bool Box2DContact::isTouching() const
{
    return m_contact && m_contact->IsTouching();
}
