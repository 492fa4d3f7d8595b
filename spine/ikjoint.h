#ifndef IKJOINT_H
#define IKJOINT_H

#include <QObject>
#include <QPointer>

class BoneTransform;

// Turns one bone, or a bone and its child, so that the chain reaches the
// target bone's origin.
class IKJoint : public QObject
{
    Q_OBJECT
    Q_PROPERTY(BoneTransform *first READ first WRITE setFirst NOTIFY firstChanged)
    Q_PROPERTY(BoneTransform *second READ second WRITE setSecond NOTIFY secondChanged)
    Q_PROPERTY(BoneTransform *target READ target WRITE setTarget NOTIFY targetChanged)
    Q_PROPERTY(bool bendPositive READ bendPositive WRITE setBendPositive NOTIFY bendPositiveChanged)
    Q_PROPERTY(double mix READ mix WRITE setMix NOTIFY mixChanged)
public:
    explicit IKJoint(QObject *parent = nullptr);

    BoneTransform *first() const { return m_first; }
    BoneTransform *second() const { return m_second; }
    BoneTransform *target() const { return m_target; }
    bool bendPositive() const { return m_bendPositive; }
    double mix() const { return m_mix; }

    // The local angle the joint gives the bone (mixed with its own); false
    // for bones the joint does not move.
    bool solvedAngle(const BoneTransform *bone, double ownAngle, double *angle) const;

public slots:
    void setFirst(BoneTransform *first);
    void setSecond(BoneTransform *second);
    void setTarget(BoneTransform *target);
    void setBendPositive(bool bendPositive);
    void setMix(double mix);
    // Solves again and re-poses the bones.
    void setUpdateTransforms();

signals:
    void firstChanged(BoneTransform *first);
    void secondChanged(BoneTransform *second);
    void targetChanged(BoneTransform *target);
    void bendPositiveChanged(bool bendPositive);
    void mixChanged(double mix);

private:
    void watch(BoneTransform *bone);

    QPointer<BoneTransform> m_first, m_second, m_target;
    bool m_bendPositive = true;
    double m_mix = 1;
    double m_firstAngle = 0, m_secondAngle = 0;
    bool m_solved = false;
    bool m_solving = false;
};

#endif
