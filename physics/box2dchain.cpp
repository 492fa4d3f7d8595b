#include "box2dchain.h"

#include <QDebug>

#include <algorithm>

/*!
    \qmltype Chain
    \inqmlmodule Zarno
    \inherits Fixture
    \instantiates Box2DChain
    \brief Connected line segments, for ground and walls.

    A chain has no area and no mass; it holds bodies on either side whatever the
    order of its vertices. With \c loop the last vertex joins the first (do not
    repeat the first vertex at the end).

    \qml
    Body {
        Chain {
            vertices: [Qt.point(0, 200), Qt.point(240, 260), Qt.point(480, 200)]
            friction: 0.6
        }
    }
    \endqml
*/

/*!
    \qmlproperty list<point> Chain::vertices
    The points in pixels: at least 2, and at least 3 for a loop.
*/
/*!
    \qmlproperty bool Chain::loop
    Whether the chain is closed.
*/
/*!
    \qmlproperty point Chain::prevVertex
    The point before the first of an open chain, for smooth collisions where it
    continues another chain; taken from the first segment when not set.
*/
/*!
    \qmlproperty point Chain::nextVertex
    The point after the last of an open chain.
*/

Box2DChain::Box2DChain(QObject *parent)
    : Box2DFixture(parent)
{
}

void Box2DChain::setVertices(const QVariantList &vertices)
{
    if (vertices == m_vertices)
        return;
    m_vertices = vertices;
    recreateFixture();
    emit verticesChanged();
}

void Box2DChain::setLoop(bool loop)
{
    if (loop == m_loop)
        return;
    m_loop = loop;
    recreateFixture();
    emit loopChanged();
}

static bool samePoint(const QPointF &a, const QPointF &b)
{
    return qAbs(a.x() - b.x()) <= 1e-12 && qAbs(a.y() - b.y()) <= 1e-12;
}

void Box2DChain::setPrevVertex(const QPointF &vertex)
{
    if (m_prevVertexSet && samePoint(vertex, m_prevVertex))
        return;
    m_prevVertex = vertex;
    m_prevVertexSet = true;
    recreateFixture();
    emit prevVertexChanged();
}

void Box2DChain::setNextVertex(const QPointF &vertex)
{
    if (m_nextVertexSet && samePoint(vertex, m_nextVertex))
        return;
    m_nextVertex = vertex;
    m_nextVertexSet = true;
    recreateFixture();
    emit nextVertexChanged();
}

bool Box2DChain::prepare()
{
    const int count = m_vertices.size();
    if (count < 2 || (m_loop && count < 3)) {
        qWarning() << "Chain: Invalid number of vertices:" << count;
        return false;
    }
    if (!verticesToMeters(m_vertices, m_points, "Chain"))
        return false;
    for (int i = 1; i < count; ++i) {
        if (tooClose(m_points[i - 1], m_points[i])) {
            qWarning("Chain: vertices are too close together");
            return false;
        }
    }
    // The closing segment of a loop would have no length.
    if (m_loop && tooClose(m_points.back(), m_points.front())) {
        qWarning("Chain: vertices are too close together");
        return false;
    }
    // Box2D 2.4 needs ghost vertices at both ends of an open chain.
    const float scale = pixelsPerMeter();
    const b2Vec2 &first = m_points.front();
    const b2Vec2 &last = m_points.back();
    m_prevGhost = m_prevVertexSet ? b2Vec2(float(m_prevVertex.x() / scale), float(-m_prevVertex.y() / scale))
                                  : first + (first - m_points[1]);
    m_nextGhost = m_nextVertexSet ? b2Vec2(float(m_nextVertex.x() / scale), float(-m_nextVertex.y() / scale))
                                  : last + (last - m_points[count - 2]);
    if (!m_loop && (!m_prevGhost.IsValid() || !m_nextGhost.IsValid())) {
        qWarning("Chain: Invalid prevVertex or nextVertex");
        return false;
    }
    return true;
}

std::unique_ptr<b2Shape> Box2DChain::createShape()
{
    if (!prepare())
        return nullptr;
    auto shape = std::make_unique<b2ChainShape>();
    if (m_loop)
        shape->CreateLoop(m_points.data(), int(m_points.size()));
    else
        shape->CreateChain(m_points.data(), int(m_points.size()), m_prevGhost, m_nextGhost);
    return shape;
}

// Box2D 2.4 chains collide from one side only: the same chain drawn backwards
// holds bodies from the other side.
std::unique_ptr<b2Shape> Box2DChain::createReverseShape()
{
    std::vector<b2Vec2> reversed(m_points.rbegin(), m_points.rend());
    auto shape = std::make_unique<b2ChainShape>();
    if (m_loop)
        shape->CreateLoop(reversed.data(), int(reversed.size()));
    else
        shape->CreateChain(reversed.data(), int(reversed.size()), m_nextGhost, m_prevGhost);
    return shape;
}

int Box2DChain::reverseChildIndex(int childIndex) const
{
    const int count = int(m_points.size());
    if (m_loop)
        return childIndex < count - 1 ? count - 2 - childIndex : count - 1;
    return count - 2 - childIndex;
}
