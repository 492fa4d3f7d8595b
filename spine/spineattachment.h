#ifndef SPINEATTACHMENT_H
#define SPINEATTACHMENT_H

#include <QString>
#include <QVector>

namespace spine {

struct AtlasRegion;
struct Bone;
struct Slot;
class Skeleton;

enum class AttachmentType { Region, BoundingBox, Mesh, SkinnedMesh };

struct Attachment
{
    Attachment(AttachmentType type, const QString &name) : type(type), name(name) {}
    virtual ~Attachment() = default;
    const AttachmentType type;
    const QString name;
};

// A textured quad placed on its bone.
struct RegionAttachment : Attachment
{
    explicit RegionAttachment(const QString &name) : Attachment(AttachmentType::Region, name) {}

    QString path;
    float x = 0, y = 0, scaleX = 1, scaleY = 1, rotation = 0, width = 0, height = 0;
    float r = 1, g = 1, b = 1, a = 1;
    const AtlasRegion *region = nullptr;
    // Bone-space corners and their texture coordinates: bottom-left, top-left,
    // top-right, bottom-right.
    float offset[8] = {};
    float uvs[8] = {};

    void setRegion(const AtlasRegion *region);
    void computeWorldVertices(const Bone &bone, float *worldVertices) const;
};

struct BoundingBoxAttachment : Attachment
{
    explicit BoundingBoxAttachment(const QString &name) : Attachment(AttachmentType::BoundingBox, name) {}
    QVector<float> vertices;
};

// Triangles shared by both mesh kinds.
struct MeshBase : Attachment
{
    using Attachment::Attachment;
    QString path;
    QVector<float> regionUVs;   // 0..1 within the region, y down
    QVector<float> uvs;         // on the atlas page
    QVector<quint16> triangles;
    QVector<int> edges;
    int hullLength = 0;
    float width = 0, height = 0;
    float r = 1, g = 1, b = 1, a = 1;
    const AtlasRegion *region = nullptr;

    void setRegion(const AtlasRegion *region);
    virtual int worldVerticesLength() const = 0;
};

// Vertices in the space of the slot's bone.
struct MeshAttachment : MeshBase
{
    explicit MeshAttachment(const QString &name) : MeshBase(AttachmentType::Mesh, name) {}
    QVector<float> vertices;
    int worldVerticesLength() const override { return vertices.size(); }
    void computeWorldVertices(const Slot &slot, float *worldVertices) const;
};

// Each vertex is a weighted sum of positions in several bones' spaces.
struct SkinnedMeshAttachment : MeshBase
{
    explicit SkinnedMeshAttachment(const QString &name) : MeshBase(AttachmentType::SkinnedMesh, name) {}
    QVector<int> bones;     // per vertex: count, then that many bone indices
    QVector<float> weights; // per influence: x, y, weight
    int vertexCount = 0;
    int worldVerticesLength() const override { return vertexCount * 2; }
    void computeWorldVertices(const Skeleton &skeleton, const Slot &slot, float *worldVertices) const;
};

// Number of floats the attachment's world vertices take (0 for kinds that
// are not drawn).
int worldVerticesLength(const Attachment *attachment);
// Fills worldVertices (of worldVerticesLength floats); false when not drawable.
bool computeWorldVertices(const Attachment *attachment, const Skeleton &skeleton, const Slot &slot,
                          float *worldVertices);

} // namespace spine

#endif
