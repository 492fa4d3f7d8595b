#include "box2ddebugdraw.h"

#include "physics/box2dworld.h"

#include <QSGFlatColorMaterial>
#include <QSGGeometryNode>
#include <QSGTransformNode>
#include <QtMath>

#include <box2d/box2d.h>

/*!
    \qmltype DebugDraw
    \inqmlmodule Zarno
    \instantiates Box2DDebugDraw
    \brief Shows what a physics world holds: shapes, joints, bounding boxes,
    contact pairs and centres of mass.

    The view is redrawn after every step of its \l world while it is visible and
    not transparent. Place it over the world's items, at the world's origin.

    \qml
    Item {
        World { id: physicsWorld }
        DebugDraw {
            world: physicsWorld
            anchors.fill: parent
            flags: DebugDraw.Shape | DebugDraw.Joint
            opacity: 0.5
        }
    }
    \endqml
*/
/*!
    \qmlproperty real DebugDraw::axisScale
    Length in meters of the axes drawn at each centre of mass (0.5 by default).
*/
/*!
    \qmlproperty flags DebugDraw::flags
    What is drawn, any combination of:

    \value DebugDraw.Shape          the fixtures' shapes, in the colour of their body's state
    \value DebugDraw.Joint          the joints
    \value DebugDraw.AABB           the fixtures' bounding boxes
    \value DebugDraw.Pair           a line between the bounding boxes of every contact
    \value DebugDraw.CenterOfMass   the axes of every body at its centre of mass
    \value DebugDraw.Everything     all of them (the default)
*/
/*!
    \qmlproperty World DebugDraw::world
    The world drawn; the default world when not set.
*/

namespace {

QColor toColor(const b2Color &color)
{
    return QColor(int(color.r * 255), int(color.g * 255), int(color.b * 255), int(color.a * 255));
}

// Turns Box2D's drawing calls into scene-graph nodes, one per call, below one
// root; lives for one paint-node update.
class DebugDrawer : public b2Draw
{
public:
    DebugDrawer(QSGNode *root, float pixelsPerMeter, float axisScale)
        : m_root(root)
        , m_scale(pixelsPerMeter)
        , m_axisScale(axisScale)
    {
    }

    void DrawPolygon(const b2Vec2 *vertices, int32 count, const b2Color &color) override
    {
        m_root->appendChildNode(polygonNode(vertices, count, QSGGeometry::DrawLineLoop, toColor(color)));
    }

    void DrawSolidPolygon(const b2Vec2 *vertices, int32 count, const b2Color &color) override
    {
        m_root->appendChildNode(polygonNode(vertices, count, QSGGeometry::DrawTriangleFan, toColor(color)));
    }

    void DrawCircle(const b2Vec2 &center, float radius, const b2Color &color) override
    {
        const QPointF c = toPixels(center);
        const float r = radius * m_scale;
        QSGGeometryNode *node = newNode(32, QSGGeometry::DrawLineLoop, toColor(color));
        QSGGeometry::Point2D *points = node->geometry()->vertexDataAsPoint2D();
        for (int k = 0; k < 32; ++k)
            points[k].set(rimX(c, r, k), rimY(c, r, k));
        m_root->appendChildNode(node);
    }

    void DrawSolidCircle(const b2Vec2 &center, float radius, const b2Vec2 &axis, const b2Color &color) override
    {
        const QPointF c = toPixels(center);
        const float r = radius * m_scale;
        QSGGeometryNode *node = newNode(32, QSGGeometry::DrawTriangleFan, toColor(color));
        QSGGeometry::Point2D *points = node->geometry()->vertexDataAsPoint2D();
        points[0].set(float(c.x()), float(c.y()));
        for (int k = 1; k < 32; ++k)
            points[k].set(rimX(c, r, k), rimY(c, r, k));

        const QPointF end = toPixels(center + radius * axis);
        node->appendChildNode(lineNode(c, end, QColor(200, 64, 0)));
        m_root->appendChildNode(node);
    }

    void DrawSegment(const b2Vec2 &p1, const b2Vec2 &p2, const b2Color &color) override
    {
        m_root->appendChildNode(lineNode(toPixels(p1), toPixels(p2), toColor(color)));
    }

    void DrawTransform(const b2Transform &xf) override
    {
        const QPointF origin = toPixels(xf.p);
        m_root->appendChildNode(lineNode(origin, toPixels(xf.p + m_axisScale * xf.q.GetXAxis()), Qt::blue));
        m_root->appendChildNode(lineNode(origin, toPixels(xf.p + m_axisScale * xf.q.GetYAxis()), Qt::yellow));
    }

    // A filled square of size pixels centred on the point (size is in screen
    // pixels, as Box2D's own renderers take it).
    void DrawPoint(const b2Vec2 &p, float size, const b2Color &color) override
    {
        const QPointF c = toPixels(p);
        const float h = size / 2;
        QSGGeometryNode *node = newNode(4, QSGGeometry::DrawTriangleStrip, toColor(color));
        QSGGeometry::Point2D *points = node->geometry()->vertexDataAsPoint2D();
        points[0].set(float(c.x()) - h, float(c.y()) - h);
        points[1].set(float(c.x()) + h, float(c.y()) - h);
        points[2].set(float(c.x()) - h, float(c.y()) + h);
        points[3].set(float(c.x()) + h, float(c.y()) + h);
        m_root->appendChildNode(node);
    }

private:
    QPointF toPixels(const b2Vec2 &v) const { return QPointF(v.x * m_scale, -v.y * m_scale); }

    static float rimX(const QPointF &c, float r, int k) { return float(c.x() + r * qCos(qDegreesToRadians(k * 12.0))); }
    static float rimY(const QPointF &c, float r, int k) { return float(c.y() + r * qSin(qDegreesToRadians(k * 12.0))); }

    static QSGGeometryNode *newNode(int vertexCount, unsigned int mode, const QColor &color)
    {
        auto *geometry = new QSGGeometry(QSGGeometry::defaultAttributes_Point2D(), vertexCount);
        geometry->setDrawingMode(mode);
        geometry->setLineWidth(1);
        auto *material = new QSGFlatColorMaterial;
        material->setColor(color);
        auto *node = new QSGGeometryNode;
        node->setGeometry(geometry);
        node->setMaterial(material);
        node->setFlags(QSGNode::OwnsGeometry | QSGNode::OwnsMaterial);
        return node;
    }

    QSGGeometryNode *polygonNode(const b2Vec2 *vertices, int32 count, unsigned int mode, const QColor &color) const
    {
        QSGGeometryNode *node = newNode(count, mode, color);
        QSGGeometry::Point2D *points = node->geometry()->vertexDataAsPoint2D();
        for (int i = 0; i < count; ++i) {
            const QPointF p = toPixels(vertices[i]);
            points[i].set(float(p.x()), float(p.y()));
        }
        return node;
    }

    static QSGGeometryNode *lineNode(const QPointF &from, const QPointF &to, const QColor &color)
    {
        QSGGeometryNode *node = newNode(2, QSGGeometry::DrawLines, color);
        QSGGeometry::Point2D *points = node->geometry()->vertexDataAsPoint2D();
        points[0].set(float(from.x()), float(from.y()));
        points[1].set(float(to.x()), float(to.y()));
        return node;
    }

    QSGNode *m_root;
    float m_scale;
    float m_axisScale;
};

} // namespace

Box2DDebugDraw::Box2DDebugDraw(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents, true);
    setWorld(Box2DWorld::defaultWorld());
}

void Box2DDebugDraw::setAxisScale(qreal axisScale)
{
    if (m_axisScale == axisScale)
        return;
    m_axisScale = axisScale;
    update();
    emit axisScaleChanged();
}

void Box2DDebugDraw::setFlags(DebugFlags flags)
{
    if (m_flags == flags)
        return;
    m_flags = flags;
    update();
    emit flagsChanged();
}

void Box2DDebugDraw::setWorld(Box2DWorld *world)
{
    if (m_world == world)
        return;
    if (m_world)
        disconnect(m_world, nullptr, this, nullptr);
    m_world = world;
    if (world)
        connect(world, &Box2DWorld::stepped, this, &Box2DDebugDraw::onWorldStepped);
    update();
    emit worldChanged();
}

void Box2DDebugDraw::onWorldStepped()
{
    if (isVisible() && opacity() > 0)
        update();
}

QSGNode *Box2DDebugDraw::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    delete oldNode;
    if (!m_world)
        return nullptr;

    auto *root = new QSGTransformNode;
    DebugDrawer drawer(root, m_world->pixelsPerMeter(), float(m_axisScale));
    drawer.SetFlags(uint32(m_flags));
    b2World &world = m_world->world();
    world.SetDebugDraw(&drawer);
    world.DebugDraw();
    world.SetDebugDraw(nullptr);

    // Box2D 2.4 no longer draws broad-phase pairs: a segment joins the bounding
    // boxes of the two fixtures of every contact, as older versions drew them.
    if (m_flags & Pair) {
        const b2Color color(0.3f, 0.9f, 0.9f);
        for (b2Contact *contact = world.GetContactList(); contact; contact = contact->GetNext()) {
            const b2AABB &a = contact->GetFixtureA()->GetAABB(contact->GetChildIndexA());
            const b2AABB &b = contact->GetFixtureB()->GetAABB(contact->GetChildIndexB());
            drawer.DrawSegment(a.GetCenter(), b.GetCenter(), color);
        }
    }
    return root;
}
