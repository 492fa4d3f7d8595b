#ifndef BOX2DDEBUGDRAW_H
#define BOX2DDEBUGDRAW_H

#include <QPointer>
#include <QQuickItem>

class Box2DWorld;

// Draws a world's shapes, joints, bounding boxes, contact pairs and centres of
// mass with the scene graph, rebuilt after every step while it is shown.
class Box2DDebugDraw : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(qreal axisScale READ axisScale WRITE setAxisScale NOTIFY axisScaleChanged)
    Q_PROPERTY(DebugFlags flags READ flags WRITE setFlags NOTIFY flagsChanged)
    Q_PROPERTY(Box2DWorld *world READ world WRITE setWorld NOTIFY worldChanged)

public:
    // Box2D's draw flag bits.
    enum DebugFlag {
        Shape = 0x0001,
        Joint = 0x0002,
        AABB = 0x0004,
        Pair = 0x0008,
        CenterOfMass = 0x0010,
        Everything = 0x001f
    };
    Q_DECLARE_FLAGS(DebugFlags, DebugFlag)
    Q_FLAG(DebugFlags)

    explicit Box2DDebugDraw(QQuickItem *parent = nullptr);

    qreal axisScale() const { return m_axisScale; }
    void setAxisScale(qreal axisScale);
    DebugFlags flags() const { return m_flags; }
    void setFlags(DebugFlags flags);
    Box2DWorld *world() const { return m_world; }
    void setWorld(Box2DWorld *world);

signals:
    void axisScaleChanged();
    void flagsChanged();
    void worldChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *) override;

private slots:
    void onWorldStepped();

private:
    qreal m_axisScale = 0.5;
    DebugFlags m_flags = Everything;
    QPointer<Box2DWorld> m_world;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Box2DDebugDraw::DebugFlags)

#endif
