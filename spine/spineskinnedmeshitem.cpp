#include "spineskinnedmeshitem.h"

#include "spine/bonetransform.h"

/*!
    \qmltype SpineSkinnedMeshItem
    \inqmlmodule Zarno
    \instantiates SpineSkinnedMeshItem
    \inherits SpineMeshItem
    \brief A mesh whose vertices follow several bones.

    Vertex i has \c{boneCounts[i]} influences. Influences are listed in order across all vertices:
    influence k is the point (\c{boneVertices[2k]}, \c{boneVertices[2k+1]}) in the space of
    \c{bones[k]} (a \l BoneTransform) with weight \c{weights[k]}. The vertex is the weighted sum
    of its influences' positions in rig coordinates; it is recomputed whenever a bone moves.

    \qml
    SpineSkinnedMeshItem {
        source: "tail.png"
        uvs: [0, 0, 0, 1, 1, 0, 1, 1]
        triangles: [0, 1, 2, 2, 1, 3]
        boneCounts: [1, 1, 1, 1]
        bones: [hip, hip, tail, tail]
        boneVertices: [0, -10, 0, 10, 50, -10, 50, 10]
        weights: [1, 1, 1, 1]
    }
    \endqml
*/
/*!
    \qmlmethod SpineSkinnedMeshItem::setBoneCounts(list<int> boneCounts)
    Sets \l boneCounts to \a boneCounts.
*/
/*!
    \qmlmethod SpineSkinnedMeshItem::setBoneVertices(list boneVertices)
    Sets \l boneVertices to \a boneVertices.
*/
/*!
    \qmlmethod SpineSkinnedMeshItem::setBones(list<QtObject> bones)
    Sets \l bones to \a bones.
*/
/*!
    \qmlmethod SpineSkinnedMeshItem::setWeights(list weights)
    Sets \l weights to \a weights.
*/

/*!
    \qmlproperty list SpineSkinnedMeshItem::boneVertices
    Influence positions, x, y in the influence's bone space.
*/
/*!
    \qmlproperty list SpineSkinnedMeshItem::weights
    Influence weights; a vertex's weights add up to 1.
*/
/*!
    \qmlproperty list<int> SpineSkinnedMeshItem::boneCounts
    The number of influences of each vertex.
*/
/*!
    \qmlproperty list<QtObject> SpineSkinnedMeshItem::bones
    The bone of each influence.
*/
/*!
    \qmlmethod SpineSkinnedMeshItem::updateMesh()
    Recomputes the vertices from the bones.
*/

SpineSkinnedMeshItem::SpineSkinnedMeshItem(QQuickItem *parent)
    : SpineMeshItem(parent)
{
}

void SpineSkinnedMeshItem::setBoneVertices(const QVariantList &boneVertices)
{
    if (m_boneVertices == boneVertices)
        return;
    m_boneVertices = boneVertices;
    emit boneVerticesChanged(boneVertices);
    updateMesh();
}

void SpineSkinnedMeshItem::setWeights(const QVariantList &weights)
{
    if (m_weights == weights)
        return;
    m_weights = weights;
    emit weightsChanged(weights);
    updateMesh();
}

void SpineSkinnedMeshItem::setBoneCounts(const QList<int> &boneCounts)
{
    if (m_boneCounts == boneCounts)
        return;
    m_boneCounts = boneCounts;
    emit boneCountsChanged(boneCounts);
    updateMesh();
}

void SpineSkinnedMeshItem::setBones(const QList<QObject *> &bones)
{
    if (m_bones == bones)
        return;
    for (QObject *bone : qAsConst(m_bones)) {
        if (bone)
            disconnect(bone, nullptr, this, nullptr);
    }
    m_bones = bones;
    for (QObject *bone : bones) {
        if (auto *transform = qobject_cast<BoneTransform *>(bone))
            connect(transform, &BoneTransform::matrixChanged, this, &SpineSkinnedMeshItem::updateMesh, Qt::UniqueConnection);
    }
    emit bonesChanged(bones);
    updateMesh();
}

void SpineSkinnedMeshItem::updateMesh()
{
    QVariantList vertices;
    int influence = 0;
    for (int count : qAsConst(m_boneCounts)) {
        QPointF sum;
        for (int n = 0; n < count; ++n, ++influence) {
            const auto *bone = qobject_cast<BoneTransform *>(m_bones.value(influence));
            if (!bone || influence * 2 + 1 >= m_boneVertices.size()) {
                // Incomplete lists: wait for the rest rather than draw a torn mesh.
                return;
            }
            const QPointF local(m_boneVertices.at(influence * 2).toDouble(), m_boneVertices.at(influence * 2 + 1).toDouble());
            sum += bone->worldMatrix().map(local) * m_weights.value(influence, 0.0).toDouble();
        }
        vertices << sum.x() << sum.y();
    }
    setVertices(vertices);
}
