#ifndef BOX2DCHAIN_H
#define BOX2DCHAIN_H

#include "box2dfixture.h"

// A chain of line segments, open or closed, that holds bodies from either side.
class Box2DChain : public Box2DFixture
{
    Q_OBJECT
    Q_PROPERTY(QVariantList vertices READ vertices WRITE setVertices NOTIFY verticesChanged)
    Q_PROPERTY(bool loop READ loop WRITE setLoop NOTIFY loopChanged)
    Q_PROPERTY(QPointF prevVertex READ prevVertex WRITE setPrevVertex NOTIFY prevVertexChanged)
    Q_PROPERTY(QPointF nextVertex READ nextVertex WRITE setNextVertex NOTIFY nextVertexChanged)

public:
    explicit Box2DChain(QObject *parent = nullptr);

    QVariantList vertices() const { return m_vertices; }
    void setVertices(const QVariantList &vertices);
    bool loop() const { return m_loop; }
    void setLoop(bool loop);
    QPointF prevVertex() const { return m_prevVertex; }
    void setPrevVertex(const QPointF &vertex);
    QPointF nextVertex() const { return m_nextVertex; }
    void setNextVertex(const QPointF &vertex);

signals:
    void verticesChanged();
    void loopChanged();
    void prevVertexChanged();
    void nextVertexChanged();

protected:
    std::unique_ptr<b2Shape> createShape() override;
    std::unique_ptr<b2Shape> createReverseShape() override;
    int reverseChildIndex(int childIndex) const override;

private:
    bool prepare();

    QVariantList m_vertices;
    QPointF m_prevVertex;
    QPointF m_nextVertex;
    bool m_loop = false;
    bool m_prevVertexSet = false;
    bool m_nextVertexSet = false;
    // The geometry of the last successful createShape(), reused for the reverse.
    std::vector<b2Vec2> m_points;
    b2Vec2 m_prevGhost;
    b2Vec2 m_nextGhost;
};

#endif
