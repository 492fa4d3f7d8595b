#include "box2dpolygon.h"

#include <QDebug>

/*!
    \qmltype Polygon
    \inqmlmodule Zarno
    \inherits Fixture
    \instantiates Box2DPolygon
    \brief A convex polygonal fixture of 3 to 8 vertices.

    Vertices are points in pixels relative to the body origin. Repeated, too close or
    collinear vertices, and polygons without area, are refused with a warning.

    \qml
    Body {
        bodyType: Body.Dynamic
        Polygon {
            density: 1
            vertices: [Qt.point(0, 32), Qt.point(16, 0), Qt.point(32, 32)]
        }
    }
    \endqml
*/

/*!
    \qmlproperty list<point> Polygon::vertices
    The corners in pixels, in any winding order.
*/

namespace {

// Box2D's polygon construction asserts on what it cannot turn into a hull: it
// welds points closer than half the linear slop, wraps the rest and needs at least
// three hull points enclosing some area. The same steps, without asserting.
bool hasValidHull(const std::vector<b2Vec2> &vertices)
{
    b2Vec2 points[b2_maxPolygonVertices];
    int count = 0;
    const float weld = 0.5f * b2_linearSlop;
    for (const b2Vec2 &vertex : vertices) {
        bool unique = true;
        for (int j = 0; j < count && unique; ++j)
            unique = b2DistanceSquared(vertex, points[j]) >= weld * weld;
        if (unique && count < b2_maxPolygonVertices)
            points[count++] = vertex;
    }
    if (count < 3)
        return false;

    int rightMost = 0;
    float x0 = points[0].x;
    for (int i = 1; i < count; ++i) {
        const float x = points[i].x;
        if (x > x0 || (x == x0 && points[i].y < points[rightMost].y)) {
            rightMost = i;
            x0 = x;
        }
    }
    int hull[b2_maxPolygonVertices];
    int hullCount = 0;
    int current = rightMost;
    for (;;) {
        if (hullCount >= b2_maxPolygonVertices)
            return false;
        hull[hullCount] = current;
        int next = 0;
        for (int j = 1; j < count; ++j) {
            if (next == current) {
                next = j;
                continue;
            }
            const b2Vec2 r = points[next] - points[hull[hullCount]];
            const b2Vec2 v = points[j] - points[hull[hullCount]];
            const float c = b2Cross(r, v);
            if (c < 0.0f || (c == 0.0f && v.LengthSquared() > r.LengthSquared()))
                next = j;
        }
        ++hullCount;
        current = next;
        if (next == rightMost)
            break;
    }
    if (hullCount < 3)
        return false;

    float area = 0;
    const b2Vec2 origin = points[hull[0]];
    for (int i = 0; i < hullCount; ++i) {
        const b2Vec2 edge = points[hull[(i + 1) % hullCount]] - points[hull[i]];
        if (edge.LengthSquared() <= b2_epsilon * b2_epsilon)
            return false;
        const b2Vec2 e1 = points[hull[i]] - origin;
        const b2Vec2 e2 = points[hull[(i + 1) % hullCount]] - origin;
        area += 0.5f * b2Cross(e1, e2);
    }
    // A margin above Box2D's own limit: its sums run in another order.
    return area > 4 * b2_epsilon;
}

} // namespace

Box2DPolygon::Box2DPolygon(QObject *parent)
    : Box2DFixture(parent)
{
}

void Box2DPolygon::setVertices(const QVariantList &vertices)
{
    if (vertices == m_vertices)
        return;
    m_vertices = vertices;
    recreateFixture();
    emit verticesChanged();
}

std::unique_ptr<b2Shape> Box2DPolygon::createShape()
{
    const int count = m_vertices.size();
    if (count < 3 || count > b2_maxPolygonVertices) {
        qWarning() << "Polygon: Invalid number of vertices:" << count;
        return nullptr;
    }
    std::vector<b2Vec2> points;
    if (!verticesToMeters(m_vertices, points, "Polygon"))
        return nullptr;
    for (int i = 1; i < count; ++i) {
        if (tooClose(points[i - 1], points[i])) {
            qWarning("Polygon: vertices are too close together");
            return nullptr;
        }
    }
    if (!hasValidHull(points)) {
        qWarning("Polygon: the vertices enclose no area (repeated, collinear or too close points)");
        return nullptr;
    }
    auto shape = std::make_unique<b2PolygonShape>();
    shape->Set(points.data(), count);
    return shape;
}
