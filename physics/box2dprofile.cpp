#include "box2dprofile.h"

#include <box2d/box2d.h>

/*!
    \qmltype Profile
    \inqmlmodule Zarno
    \instantiates Box2DProfile
    \brief Timings of a World's last step, in milliseconds (read-only).

    Reached as \c{world.profile}; bindings on it are re-evaluated after every step.

    \qml
    Text { text: "step " + world.profile.step.toFixed(2) + " ms" }
    \endqml
*/

/*!
    \qmlproperty real Profile::step
    Whole Box2D step. \c collide, \c solve, \c solveInit, \c solveVelocity,
    \c solvePosition, \c broadphase and \c solveTOI are its parts.
*/
/*!
    \qmlproperty real Profile::collide
    Finding and updating contacts.
*/
/*!
    \qmlproperty real Profile::solve
    Solving velocities and positions; \c solveInit, \c solveVelocity and
    \c solvePosition are its parts.
*/
/*!
    \qmlproperty real Profile::solveInit
    Preparing the contact and joint solvers.
*/
/*!
    \qmlproperty real Profile::solveVelocity
    The velocity iterations.
*/
/*!
    \qmlproperty real Profile::solvePosition
    The position iterations.
*/
/*!
    \qmlproperty real Profile::broadphase
    Updating the broad phase after the bodies moved.
*/
/*!
    \qmlproperty real Profile::solveTOI
    Continuous collision (time of impact) of fast bodies.
*/
/*!
    \qmlproperty real Profile::synchronize
    Moving the bodies' target items after the Box2D step.
*/
/*!
    \qmlproperty real Profile::emitSignals
    Delivering the begin and end contact signals of the step.
*/

Box2DProfile::Box2DProfile(b2World *world, QObject *parent)
    : QObject(parent)
    , m_world(world)
{
}

float Box2DProfile::step() const { return m_world->GetProfile().step; }
float Box2DProfile::collide() const { return m_world->GetProfile().collide; }
float Box2DProfile::solve() const { return m_world->GetProfile().solve; }
float Box2DProfile::solveInit() const { return m_world->GetProfile().solveInit; }
float Box2DProfile::solveVelocity() const { return m_world->GetProfile().solveVelocity; }
float Box2DProfile::solvePosition() const { return m_world->GetProfile().solvePosition; }
float Box2DProfile::broadphase() const { return m_world->GetProfile().broadphase; }
float Box2DProfile::solveTOI() const { return m_world->GetProfile().solveTOI; }
