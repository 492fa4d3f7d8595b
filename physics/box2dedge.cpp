#include "box2dedge.h"

#include <QDebug>

/*!
    \qmltype Edge
    \inqmlmodule Zarno
    \inherits Fixture
    \instantiates Box2DEdge
    \brief A single line segment.

    \qml
    Body {
        Edge { vertices: [Qt.point(0, 300), Qt.point(480, 300)] }
    }
    \endqml
*/

/*!
    \qmlproperty list<point> Edge::vertices
    Exactly two points in pixels.
*/

Box2DEdge::Box2DEdge(QObject *parent)
    : Box2DFixture(parent)
{
}

void Box2DEdge::setVertices(const QVariantList &vertices)
{
    if (vertices == m_vertices)
        return;
    m_vertices = vertices;
    recreateFixture();
    emit verticesChanged();
}

std::unique_ptr<b2Shape> Box2DEdge::createShape()
{
    const int count = m_vertices.size();
    if (count != 2) {
        qWarning() << "Edge: Invalid number of vertices:" << count;
        return nullptr;
    }
    std::vector<b2Vec2> points;
    if (!verticesToMeters(m_vertices, points, "Edge"))
        return nullptr;
    if (tooClose(points[0], points[1])) {
        qWarning("Edge: vertices are too close together");
        return nullptr;
    }
    auto shape = std::make_unique<b2EdgeShape>();
    shape->SetTwoSided(points[0], points[1]);
    return shape;
}
