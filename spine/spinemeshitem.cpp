#include "spinemeshitem.h"

#include "spine/spinemeshrenderer.h"

#include <QQmlContext>
#include <QQmlFile>

/*!
    \qmltype SpineMeshItem
    \inqmlmodule Zarno
    \instantiates SpineMeshItem
    \brief A textured triangle mesh of a rig written in QML.

    \l vertices are x, y pairs in item coordinates (numbers or points), \l uvs the matching
    texture coordinates: 0 to 1 over \l source, or its pixels when \l packed. \l triangles lists
    vertex indices in threes. A second picture, \l source2, shows through by \l blendingFactor.
    The item shows \l meshRect() of the vertex space, the vertices' bounds unless set.

    \qml
    SpineMeshItem {
        width: 100; height: 100
        source: "cloth.png"
        vertices: [0, 0, 100, 0, 100, 100, 0, 100]
        uvs: [0, 0, 1, 0, 1, 1, 0, 1]
        triangles: [0, 1, 2, 2, 3, 0]
    }
    \endqml
*/
/*!
    \qmlmethod SpineMeshItem::setBlendingFactor(real blendingFactor)
    Sets \l blendingFactor to \a blendingFactor.
*/
/*!
    \qmlmethod SpineMeshItem::setEdges(list<int> edges)
    Sets \l edges to \a edges.
*/
/*!
    \qmlmethod SpineMeshItem::setPacked(bool packed)
    Sets \l packed to \a packed.
*/
/*!
    \qmlmethod SpineMeshItem::setSource(url source)
    Sets \l source to \a source.
*/
/*!
    \qmlmethod SpineMeshItem::setSource2(string source2)
    Sets \l source2 to \a source2.
*/
/*!
    \qmlmethod SpineMeshItem::setTriangles(list<int> triangles)
    Sets \l triangles to \a triangles.
*/
/*!
    \qmlmethod SpineMeshItem::setUvs(list uvs)
    Sets \l uvs to \a uvs.
*/
/*!
    \qmlmethod SpineMeshItem::setVertices(list vertices)
    Sets \l vertices to \a vertices.
*/

/*!
    \qmlproperty list SpineMeshItem::vertices
    Vertex positions: x, y pairs in item coordinates.
*/
/*!
    \qmlproperty list SpineMeshItem::uvs
    Texture coordinates, one pair per vertex.
*/
/*!
    \qmlproperty list<int> SpineMeshItem::edges
    Outline edges as vertex index pairs (kept for editing tools).
*/
/*!
    \qmlproperty list<int> SpineMeshItem::triangles
    Vertex indices, three per triangle.
*/
/*!
    \qmlproperty url SpineMeshItem::source
    The picture.
*/
/*!
    \qmlproperty string SpineMeshItem::source2
    A second picture faded in by \l blendingFactor.
*/
/*!
    \qmlproperty real SpineMeshItem::blendingFactor
    0 shows \l source, 1 shows \l source2.
*/
/*!
    \qmlproperty bool SpineMeshItem::packed
    Whether \l uvs are in pixels of the picture.
*/
/*!
    \qmlmethod rect SpineMeshItem::meshRect()
    The part of vertex space the item shows.
*/
/*!
    \qmlmethod SpineMeshItem::setMeshRect(rect rect)
    Shows \a rect of vertex space; an empty rect returns to the vertices' bounds.
*/
/*!
    \qmlmethod SpineMeshItem::setRendererNeedsMeshUpdate(bool needsUpdate)
    With \a needsUpdate true, the next frame takes the mesh again.
*/

namespace {

QVector<float> flatten(const QVariantList &list)
{
    QVector<float> result;
    result.reserve(list.size() * 2);
    for (const QVariant &value : list) {
        if (value.canConvert<QPointF>() && value.userType() != QMetaType::Double && value.userType() != QMetaType::Int) {
            const QPointF p = value.toPointF();
            result << float(p.x()) << float(p.y());
        } else {
            result << value.toFloat();
        }
    }
    return result;
}

} // namespace

SpineMeshItem::SpineMeshItem(QQuickItem *parent)
    : QQuickFramebufferObject(parent)
{
    // Drawn with y down into a framebuffer whose first row is its bottom.
    setMirrorVertically(true);
}

QQuickFramebufferObject::Renderer *SpineMeshItem::createRenderer() const
{
    return new SpineMeshRenderer;
}

QImage SpineMeshItem::loadImage(const QUrl &url) const
{
    if (url.isEmpty())
        return QImage();
    const QString path = QQmlFile::urlToLocalFileOrQrc(qmlContext(this) ? qmlContext(this)->resolvedUrl(url) : url);
    QImage image(path);
    if (image.isNull())
        qWarning("SpineMeshItem WARNING: cannot load image: %s", qPrintable(url.toString()));
    return image;
}

QRectF SpineMeshItem::meshRect() const
{
    if (!m_meshRect.isEmpty())
        return m_meshRect;
    const QVector<float> v = flatten(m_vertices);
    if (v.size() < 2)
        return QRectF();
    float minX = v[0], maxX = v[0], minY = v[1], maxY = v[1];
    for (int i = 0; i + 1 < v.size(); i += 2) {
        minX = qMin(minX, v[i]);
        maxX = qMax(maxX, v[i]);
        minY = qMin(minY, v[i + 1]);
        maxY = qMax(maxY, v[i + 1]);
    }
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

SpineMeshItem::Mesh SpineMeshItem::meshForRenderer() const
{
    Mesh mesh;
    mesh.positions = flatten(m_vertices);
    mesh.texCoords = flatten(m_uvs);
    mesh.image = m_image;
    mesh.image2 = m_image2.isNull() ? m_image : m_image2;
    const int vertexCount = qMin(mesh.positions.size(), mesh.texCoords.size()) / 2;
    if (m_packed && !m_image.isNull()) {
        for (int i = 0; i + 1 < mesh.texCoords.size(); i += 2) {
            mesh.texCoords[i] /= m_image.width();
            mesh.texCoords[i + 1] /= m_image.height();
        }
    }
    for (int i = 0; i + 2 < m_triangles.size(); i += 3) {
        const int a = m_triangles[i], b = m_triangles[i + 1], c = m_triangles[i + 2];
        if (qMin(a, qMin(b, c)) < 0 || qMax(a, qMax(b, c)) >= vertexCount || vertexCount > 65536) {
            qWarning("SpineMeshItem WARNING: triangle index out of range, triangle skipped: %d %d %d", a, b, c);
            continue;
        }
        mesh.indices << quint16(a) << quint16(b) << quint16(c);
    }
    return mesh;
}

#define MESH_SETTER(Name, member, type, signal)                                                                 \
    void SpineMeshItem::Name(type value)                                                                        \
    {                                                                                                          \
        if (member == value)                                                                                   \
            return;                                                                                            \
        member = value;                                                                                        \
        emit signal(value);                                                                                    \
        setRendererNeedsMeshUpdate(true);                                                                      \
    }

MESH_SETTER(setVertices, m_vertices, const QVariantList &, verticesChanged)
MESH_SETTER(setUvs, m_uvs, const QVariantList &, uvsChanged)
MESH_SETTER(setEdges, m_edges, const QList<int> &, edgesChanged)
MESH_SETTER(setTriangles, m_triangles, const QList<int> &, trianglesChanged)
MESH_SETTER(setPacked, m_packed, bool, packedChanged)

void SpineMeshItem::setSource(const QUrl &source)
{
    if (m_source == source)
        return;
    m_source = source;
    m_image = loadImage(source);
    emit sourceChanged(source);
    setRendererNeedsMeshUpdate(true);
}

void SpineMeshItem::setSource2(const QString &source2)
{
    if (m_source2 == source2)
        return;
    m_source2 = source2;
    m_image2 = loadImage(QUrl(source2));
    emit source2Changed(source2);
    setRendererNeedsMeshUpdate(true);
}

void SpineMeshItem::setBlendingFactor(float blendingFactor)
{
    if (qFuzzyCompare(m_blendingFactor, blendingFactor))
        return;
    m_blendingFactor = blendingFactor;
    emit blendingFactorChanged(blendingFactor);
    update();
}

void SpineMeshItem::setMeshRect(const QRectF &rect)
{
    if (m_meshRect == rect)
        return;
    m_meshRect = rect;
    update();
}

void SpineMeshItem::setRendererNeedsMeshUpdate(bool needsUpdate)
{
    m_rendererNeedsMeshUpdate = needsUpdate;
    if (needsUpdate)
        update();
}
