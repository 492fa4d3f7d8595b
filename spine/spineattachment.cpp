#include "spineattachment.h"

#include "spine/spineatlas.h"
#include "spine/spineskeleton.h"

#include <cmath>

namespace spine {

void RegionAttachment::setRegion(const AtlasRegion *atlasRegion)
{
    region = atlasRegion;
    if (region->rotate) {
        uvs[0] = region->u2; uvs[1] = region->v2;
        uvs[2] = region->u; uvs[3] = region->v2;
        uvs[4] = region->u; uvs[5] = region->v;
        uvs[6] = region->u2; uvs[7] = region->v;
    } else {
        uvs[0] = region->u; uvs[1] = region->v2;
        uvs[2] = region->u; uvs[3] = region->v;
        uvs[4] = region->u2; uvs[5] = region->v;
        uvs[6] = region->u2; uvs[7] = region->v2;
    }
    // The packer may have cut transparent borders off: place what is left
    // where it was inside the original picture.
    const float originalWidth = region->originalWidth > 0 ? region->originalWidth : 1;
    const float originalHeight = region->originalHeight > 0 ? region->originalHeight : 1;
    const float regionScaleX = width / originalWidth * scaleX;
    const float regionScaleY = height / originalHeight * scaleY;
    const float localX = -width / 2 * scaleX + region->offsetX * regionScaleX;
    const float localY = -height / 2 * scaleY + region->offsetY * regionScaleY;
    const float localX2 = localX + region->width * regionScaleX;
    const float localY2 = localY + region->height * regionScaleY;
    const float radians = rotation * float(M_PI) / 180;
    const float c = std::cos(radians), s = std::sin(radians);
    const float corners[8] = {localX, localY, localX, localY2, localX2, localY2, localX2, localY};
    for (int i = 0; i < 8; i += 2) {
        offset[i] = corners[i] * c - corners[i + 1] * s + x;
        offset[i + 1] = corners[i] * s + corners[i + 1] * c + y;
    }
}

void RegionAttachment::computeWorldVertices(const Bone &bone, float *out) const
{
    for (int i = 0; i < 8; i += 2) {
        out[i] = offset[i] * bone.m00 + offset[i + 1] * bone.m01 + bone.worldX;
        out[i + 1] = offset[i] * bone.m10 + offset[i + 1] * bone.m11 + bone.worldY;
    }
}

void MeshBase::setRegion(const AtlasRegion *atlasRegion)
{
    region = atlasRegion;
    uvs.resize(regionUVs.size());
    const float du = region->u2 - region->u, dv = region->v2 - region->v;
    for (int i = 0; i + 1 < regionUVs.size(); i += 2) {
        const float s = regionUVs.at(i), t = regionUVs.at(i + 1);
        if (region->rotate) {
            uvs[i] = region->u + t * du;
            uvs[i + 1] = region->v2 - s * dv;
        } else {
            uvs[i] = region->u + s * du;
            uvs[i + 1] = region->v + t * dv;
        }
    }
}

void MeshAttachment::computeWorldVertices(const Slot &slot, float *out) const
{
    const Bone &bone = *slot.bone;
    const QVector<float> &source = slot.attachmentVertices.size() == vertices.size() ? slot.attachmentVertices : vertices;
    for (int i = 0; i + 1 < source.size(); i += 2) {
        const float vx = source.at(i), vy = source.at(i + 1);
        out[i] = vx * bone.m00 + vy * bone.m01 + bone.worldX;
        out[i + 1] = vx * bone.m10 + vy * bone.m11 + bone.worldY;
    }
}

void SkinnedMeshAttachment::computeWorldVertices(const Skeleton &skeleton, const Slot &slot, float *out) const
{
    // Deformation keys move each influence's position (two floats per influence).
    const bool deformed = slot.attachmentVertices.size() == weights.size() / 3 * 2;
    int b = 0, w = 0, f = 0;
    for (int v = 0; v < vertexCount * 2; v += 2) {
        float wx = 0, wy = 0;
        const int count = bones.at(b++);
        for (int n = 0; n < count; ++n, ++b, w += 3, f += 2) {
            const Bone &bone = *skeleton.bones().at(bones.at(b));
            float vx = weights.at(w), vy = weights.at(w + 1);
            if (deformed) {
                vx += slot.attachmentVertices.at(f);
                vy += slot.attachmentVertices.at(f + 1);
            }
            const float weight = weights.at(w + 2);
            wx += (vx * bone.m00 + vy * bone.m01 + bone.worldX) * weight;
            wy += (vx * bone.m10 + vy * bone.m11 + bone.worldY) * weight;
        }
        out[v] = wx;
        out[v + 1] = wy;
    }
}

int worldVerticesLength(const Attachment *attachment)
{
    if (!attachment)
        return 0;
    switch (attachment->type) {
    case AttachmentType::Region:
        return 8;
    case AttachmentType::Mesh:
    case AttachmentType::SkinnedMesh:
        return static_cast<const MeshBase *>(attachment)->worldVerticesLength();
    case AttachmentType::BoundingBox:
        break;
    }
    return 0;
}

bool computeWorldVertices(const Attachment *attachment, const Skeleton &skeleton, const Slot &slot, float *out)
{
    if (!attachment)
        return false;
    switch (attachment->type) {
    case AttachmentType::Region:
        static_cast<const RegionAttachment *>(attachment)->computeWorldVertices(*slot.bone, out);
        return true;
    case AttachmentType::Mesh:
        static_cast<const MeshAttachment *>(attachment)->computeWorldVertices(slot, out);
        return true;
    case AttachmentType::SkinnedMesh:
        static_cast<const SkinnedMeshAttachment *>(attachment)->computeWorldVertices(skeleton, slot, out);
        return true;
    case AttachmentType::BoundingBox:
        break;
    }
    return false;
}

} // namespace spine
