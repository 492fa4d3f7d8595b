#include "box2dgearjoint.h"

#include "physics/box2dworld.h"

#include <QDebug>

/*!
    \qmltype GearJoint
    \inqmlmodule Zarno
    \inherits Joint
    \instantiates Box2DGearJoint
    \brief Couples two revolute or prismatic joints.

    Body A and body B are the moving bodies of \l joint1 and \l joint2. When one
    of the two joints is re-created or destroyed, the gear's Box2D joint is
    destroyed first (and re-created after a re-creation).

    \qml
    GearJoint { bodyA: wheel1; bodyB: wheel2; joint1: hinge1; joint2: hinge2; ratio: 2 }
    \endqml
*/
/*! \qmlproperty Joint GearJoint::joint1
    The first coupled joint: a RevoluteJoint or a PrismaticJoint. */
/*! \qmlproperty Joint GearJoint::joint2
    The second coupled joint: a RevoluteJoint or a PrismaticJoint. */
/*! \qmlproperty real GearJoint::ratio
    The gear ratio; changes apply to the live joint. */

Box2DGearJoint::Box2DGearJoint(QObject *parent)
    : Box2DJoint(GearJoint, parent)
{
}

Box2DGearJoint::~Box2DGearJoint()
{
    destroyJoint();
    if (m_joint1)
        m_joint1->removeDependentJoint(this);
    if (m_joint2)
        m_joint2->removeDependentJoint(this);
}

static bool isCoupleable(const Box2DJoint *joint)
{
    return joint->jointType() == Box2DJoint::RevoluteJoint || joint->jointType() == Box2DJoint::PrismaticJoint;
}

void Box2DGearJoint::replaceCoupledJoint(QPointer<Box2DJoint> &slot, const QPointer<Box2DJoint> &other,
                                         Box2DJoint *joint, int index)
{
    // The gear must lose its Box2D joint before the old joint's can go.
    destroyJoint();
    if (slot && slot != other) {
        slot->removeDependentJoint(this);
        disconnect(slot, nullptr, this, nullptr);
    }
    slot = joint;
    if (joint) {
        joint->addDependentJoint(this);
        if (joint != other) {
            connect(joint, &Box2DJoint::created, this, &Box2DGearJoint::coupledJointCreated);
            connect(joint, &QObject::destroyed, this, [this, index]() {
                if (index == 1)
                    emit joint1Changed();
                else
                    emit joint2Changed();
            });
        }
    }
    initializeJoint();
}

void Box2DGearJoint::setJoint1(Box2DJoint *joint1)
{
    if (joint1 && !isCoupleable(joint1)) {
        qWarning("GearJoint.joint1: Invalid joint type");
        replaceCoupledJoint(m_joint1, m_joint2, nullptr, 1);
        emit joint1Changed();
        return;
    }
    if (m_joint1 == joint1)
        return;
    replaceCoupledJoint(m_joint1, m_joint2, joint1, 1);
    emit joint1Changed();
}

void Box2DGearJoint::setJoint2(Box2DJoint *joint2)
{
    if (joint2 && !isCoupleable(joint2)) {
        qWarning("GearJoint.joint2: Invalid joint type");
        replaceCoupledJoint(m_joint2, m_joint1, nullptr, 2);
        emit joint2Changed();
        return;
    }
    if (m_joint2 == joint2)
        return;
    replaceCoupledJoint(m_joint2, m_joint1, joint2, 2);
    emit joint2Changed();
}

void Box2DGearJoint::setRatio(float ratio)
{
    if (!acceptFinite("GearJoint", "ratio", ratio) || m_ratio == ratio)
        return;
    m_ratio = ratio;
    if (auto *joint = jointAs<b2GearJoint>())
        joint->SetRatio(ratio);
    emit ratioChanged();
}

void Box2DGearJoint::coupledJointCreated()
{
    initializeJoint();
}

b2Joint *Box2DGearJoint::createJoint()
{
    if (!m_joint1 || !m_joint2 || !m_joint1->joint() || !m_joint2->joint())
        return nullptr;
    // Box2D reads the coupled joints' bodies: they must live in the gear's world.
    if (m_joint1->world() != world() || m_joint2->world() != world())
        return nullptr;
    b2GearJointDef def;
    initializeJointDef(def);
    def.joint1 = m_joint1->joint();
    def.joint2 = m_joint2->joint();
    def.ratio = m_ratio;
    return box2DWorld()->CreateJoint(&def);
}
