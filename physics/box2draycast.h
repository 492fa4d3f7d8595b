#ifndef BOX2DRAYCAST_H
#define BOX2DRAYCAST_H

#include <box2d/box2d.h>

#include <QObject>
#include <QPointF>

class Box2DFixture;

// Receives the fixtures that World.rayCast() hits.
class Box2DRayCast : public QObject, public b2RayCastCallback
{
    Q_OBJECT
    Q_PROPERTY(float maxFraction READ maxFraction WRITE setMaxFraction NOTIFY maxFractionChanged)

public:
    explicit Box2DRayCast(QObject *parent = nullptr);

    float maxFraction() const { return m_maxFraction; }
    void setMaxFraction(float maxFraction);

    float ReportFixture(b2Fixture *fixture, const b2Vec2 &point, const b2Vec2 &normal, float fraction) override;

signals:
    void fixtureReported(Box2DFixture *fixture, const QPointF &point, const QPointF &normal, double fraction);
    void maxFractionChanged();

private:
    float m_maxFraction = 1;
};

#endif
