#ifndef BOX2DEDGE_H
#define BOX2DEDGE_H

#include "box2dfixture.h"

// One line segment between two vertices, colliding on both sides.
class Box2DEdge : public Box2DFixture
{
    Q_OBJECT
    Q_PROPERTY(QVariantList vertices READ vertices WRITE setVertices NOTIFY verticesChanged)

public:
    explicit Box2DEdge(QObject *parent = nullptr);

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
