#ifndef BOX2DCIRCLE_H
#define BOX2DCIRCLE_H

#include "box2dfixture.h"

// A circle given by the top-left corner of its bounding square and its radius.
class Box2DCircle : public Box2DFixture
{
    Q_OBJECT
    Q_PROPERTY(qreal x READ x WRITE setX NOTIFY xChanged)
    Q_PROPERTY(qreal y READ y WRITE setY NOTIFY yChanged)
    Q_PROPERTY(float radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit Box2DCircle(QObject *parent = nullptr);

    qreal x() const { return m_x; }
    void setX(qreal x);
    qreal y() const { return m_y; }
    void setY(qreal y);
    float radius() const { return m_radius; }
    void setRadius(float radius);

signals:
    void xChanged();
    void yChanged();
    void radiusChanged();

protected:
    std::unique_ptr<b2Shape> createShape() override;

private:
    qreal m_x = 0;
    qreal m_y = 0;
    float m_radius = 0;
};

#endif
