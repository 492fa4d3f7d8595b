#ifndef SPINESKINNEDMESHITEM_H
#define SPINESKINNEDMESHITEM_H

#include "spine/spinemeshitem.h"

#include <QList>
#include <QObject>

// A mesh whose vertices follow bones: each vertex is the weighted sum of its
// influences, each a position in one bone's space.
class SpineSkinnedMeshItem : public SpineMeshItem
{
    Q_OBJECT
    Q_PROPERTY(QVariantList boneVertices READ boneVertices WRITE setBoneVertices NOTIFY boneVerticesChanged)
    Q_PROPERTY(QVariantList weights READ weights WRITE setWeights NOTIFY weightsChanged)
    Q_PROPERTY(QList<int> boneCounts READ boneCounts WRITE setBoneCounts NOTIFY boneCountsChanged)
    Q_PROPERTY(QList<QObject *> bones READ bones WRITE setBones NOTIFY bonesChanged)
public:
    explicit SpineSkinnedMeshItem(QQuickItem *parent = nullptr);

    QVariantList boneVertices() const { return m_boneVertices; }
    QVariantList weights() const { return m_weights; }
    QList<int> boneCounts() const { return m_boneCounts; }
    QList<QObject *> bones() const { return m_bones; }

public slots:
    void setBoneVertices(const QVariantList &boneVertices);
    void setWeights(const QVariantList &weights);
    void setBoneCounts(const QList<int> &boneCounts);
    void setBones(const QList<QObject *> &bones);
    // Recomputes the vertices from the bones' current transforms.
    void updateMesh();

signals:
    void boneVerticesChanged(const QVariantList &boneVertices);
    void weightsChanged(const QVariantList &weights);
    void boneCountsChanged(const QList<int> &boneCounts);
    void bonesChanged(const QList<QObject *> &bones);

private:
    QVariantList m_boneVertices;
    QVariantList m_weights;
    QList<int> m_boneCounts;
    QList<QObject *> m_bones;
};

#endif
