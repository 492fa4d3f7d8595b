#ifndef SPINEMESHITEM_H
#define SPINEMESHITEM_H

#include <QImage>
#include <QQuickFramebufferObject>
#include <QRectF>
#include <QUrl>
#include <QVariantList>

// A textured triangle mesh of a rig converted to QML. Vertices are in item
// coordinates; texture coordinates run 0..1 over the picture, or in its
// pixels when packed. A second picture can be faded in over the first.
class SpineMeshItem : public QQuickFramebufferObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantList vertices READ vertices WRITE setVertices NOTIFY verticesChanged)
    Q_PROPERTY(QVariantList uvs READ uvs WRITE setUvs NOTIFY uvsChanged)
    Q_PROPERTY(QList<int> edges READ edges WRITE setEdges NOTIFY edgesChanged)
    Q_PROPERTY(QList<int> triangles READ triangles WRITE setTriangles NOTIFY trianglesChanged)
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QString source2 READ source2 WRITE setSource2 NOTIFY source2Changed)
    Q_PROPERTY(float blendingFactor READ blendingFactor WRITE setBlendingFactor NOTIFY blendingFactorChanged)
    Q_PROPERTY(bool packed READ packed WRITE setPacked NOTIFY packedChanged)
public:
    explicit SpineMeshItem(QQuickItem *parent = nullptr);

    Renderer *createRenderer() const override;

    QVariantList vertices() const { return m_vertices; }
    QVariantList uvs() const { return m_uvs; }
    QList<int> edges() const { return m_edges; }
    QList<int> triangles() const { return m_triangles; }
    QUrl source() const { return m_source; }
    QString source2() const { return m_source2; }
    float blendingFactor() const { return m_blendingFactor; }
    bool packed() const { return m_packed; }

    // The part of vertex space shown by the item: the vertices' bounds
    // unless set.
    Q_INVOKABLE QRectF meshRect() const;

    // What the renderer draws, read while the GUI thread waits.
    struct Mesh
    {
        QVector<float> positions;   // x, y per vertex
        QVector<float> texCoords;   // 0..1, y down
        QVector<quint16> indices;
        QImage image, image2;
    };
    Mesh meshForRenderer() const;
    bool rendererNeedsMeshUpdate() const { return m_rendererNeedsMeshUpdate; }

public slots:
    void setVertices(const QVariantList &vertices);
    void setUvs(const QVariantList &uvs);
    void setEdges(const QList<int> &edges);
    void setTriangles(const QList<int> &triangles);
    void setSource(const QUrl &source);
    void setSource2(const QString &source2);
    void setBlendingFactor(float blendingFactor);
    void setPacked(bool packed);
    void setMeshRect(const QRectF &rect);
    void setRendererNeedsMeshUpdate(bool needsUpdate);

signals:
    void verticesChanged(const QVariantList &vertices);
    void uvsChanged(const QVariantList &uvs);
    void edgesChanged(const QList<int> &edges);
    void trianglesChanged(const QList<int> &triangles);
    void sourceChanged(const QUrl &source);
    void source2Changed(const QString &source2);
    void blendingFactorChanged(float blendingFactor);
    void packedChanged(bool packed);

private:
    QImage loadImage(const QUrl &url) const;

    QVariantList m_vertices;
    QVariantList m_uvs;
    QList<int> m_edges;
    QList<int> m_triangles;
    QUrl m_source;
    QString m_source2;
    QImage m_image, m_image2;
    float m_blendingFactor = 0;
    bool m_packed = false;
    QRectF m_meshRect;
    bool m_rendererNeedsMeshUpdate = true;
};

#endif
