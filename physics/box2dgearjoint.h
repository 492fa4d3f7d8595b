#ifndef BOX2DGEARJOINT_H
#define BOX2DGEARJOINT_H

#include "physics/box2djoint.h"

// Couples two revolute or prismatic joints: coordinate 1 + ratio × coordinate 2
// stays constant. Follows its two joints: when either is re-created the gear
// is re-created after it, and it never outlives their Box2D joints.
class Box2DGearJoint : public Box2DJoint
{
    Q_OBJECT
    Q_PROPERTY(Box2DJoint *joint1 READ joint1 WRITE setJoint1 NOTIFY joint1Changed)
    Q_PROPERTY(Box2DJoint *joint2 READ joint2 WRITE setJoint2 NOTIFY joint2Changed)
    Q_PROPERTY(float ratio READ ratio WRITE setRatio NOTIFY ratioChanged)

public:
    explicit Box2DGearJoint(QObject *parent = nullptr);
    ~Box2DGearJoint() override;

    Box2DJoint *joint1() const { return m_joint1; }
    void setJoint1(Box2DJoint *joint1);
    Box2DJoint *joint2() const { return m_joint2; }
    void setJoint2(Box2DJoint *joint2);
    float ratio() const { return m_ratio; }
    void setRatio(float ratio);

signals:
    void joint1Changed();
    void joint2Changed();
    void ratioChanged();

protected:
    b2Joint *createJoint() override;

private slots:
    void coupledJointCreated();

private:
    void replaceCoupledJoint(QPointer<Box2DJoint> &slot, const QPointer<Box2DJoint> &other, Box2DJoint *joint, int index);

    QPointer<Box2DJoint> m_joint1;
    QPointer<Box2DJoint> m_joint2;
    float m_ratio = 1;
};

#endif
