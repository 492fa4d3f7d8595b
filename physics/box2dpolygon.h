#ifndef BOX2DPOLYGON_H
#define BOX2DPOLYGON_H

#include "box2dfixture.h"

// A convex polygon of 3 to 8 vertices (Box2D takes their convex hull).
class Box2DPolygon : public Box2DFixture
{
    Q_OBJECT
    Q_PROPERTY(QVariantList vertices READ vertices WRITE setVertices NOTIFY verticesChanged)

public:
    explicit Box2DPolygon(QObject *parent = nullptr);

    QVariantList vertices() const { return m_vertices; }
    void setVertices(const QVariantList &vertices);

signals:
    void verticesChanged();

protected:
    std::unique_ptr<b2Shape> createShape() override;

private:
    QVariantList m_vertices;
};

#endif
