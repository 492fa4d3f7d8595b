#ifndef BOX2DPROFILE_H
#define BOX2DPROFILE_H

#include <QObject>

class b2World;

// Timings of a world's last step, in milliseconds: Box2D's own and the two the
// world measures itself (synchronising items, delivering contact signals).
// The values change after every step; a binding on World.profile follows stepped().
class Box2DProfile : public QObject
{
    Q_OBJECT
    Q_PROPERTY(float step READ step CONSTANT)
    Q_PROPERTY(float collide READ collide CONSTANT)
    Q_PROPERTY(float solve READ solve CONSTANT)
    Q_PROPERTY(float solveInit READ solveInit CONSTANT)
    Q_PROPERTY(float solveVelocity READ solveVelocity CONSTANT)
    Q_PROPERTY(float solvePosition READ solvePosition CONSTANT)
    Q_PROPERTY(float broadphase READ broadphase CONSTANT)
    Q_PROPERTY(float solveTOI READ solveTOI CONSTANT)
    Q_PROPERTY(float synchronize READ synchronize CONSTANT)
    Q_PROPERTY(float emitSignals READ emitSignals CONSTANT)

public:
    Box2DProfile(b2World *world, QObject *parent);

    float step() const;
    float collide() const;
    float solve() const;
    float solveInit() const;
    float solveVelocity() const;
    float solvePosition() const;
    float broadphase() const;
    float solveTOI() const;
    float synchronize() const { return m_synchronize; }
    float emitSignals() const { return m_emitSignals; }

    void setSynchronize(float milliseconds) { m_synchronize = milliseconds; }
    void setEmitSignals(float milliseconds) { m_emitSignals = milliseconds; }

private:
    b2World *m_world;
    float m_synchronize = 0;
    float m_emitSignals = 0;
};

#endif
