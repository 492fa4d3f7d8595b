#ifndef SPINESKELETON_H
#define SPINESKELETON_H

#include "spine/spineskeletondata.h"

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace spine {

class Skeleton;

struct Bone
{
    const BoneData *data = nullptr;
    Bone *parent = nullptr;
    float x = 0, y = 0, rotation = 0, scaleX = 1, scaleY = 1;
    // The rotation after inverse kinematics; what the world transform uses.
    float rotationIK = 0;
    float m00 = 1, m01 = 0, m10 = 0, m11 = 1, worldX = 0, worldY = 0;
    float worldRotation = 0, worldScaleX = 1, worldScaleY = 1;

    void setToSetupPose();
    void updateWorldTransform(const Skeleton &skeleton);
    // Between world space and the space this bone's local values live in
    // (its parent's, or the skeleton's for the root).
    void worldToParent(float worldX, float worldY, float *localX, float *localY) const;
};

struct Slot
{
    const SlotData *data = nullptr;
    Bone *bone = nullptr;
    const Skeleton *skeleton = nullptr;
    float r = 1, g = 1, b = 1, a = 1;
    Attachment *attachment = nullptr;
    float attachmentTime = 0;
    // Deformed mesh vertices set by deform keys; used when their count fits.
    QVector<float> attachmentVertices;

    void setAttachment(Attachment *attachment);
    void setToSetupPose(int slotIndex);
};

struct IkConstraint
{
    const IkConstraintData *data = nullptr;
    QVector<Bone *> bones;
    Bone *target = nullptr;
    float mix = 1;
    int bendDirection = 1;

    void apply();
};

class Skeleton
{
public:
    explicit Skeleton(const SkeletonData *data);

    const SkeletonData *data() const { return m_data; }
    const std::vector<std::unique_ptr<Bone>> &bones() const { return m_bones; }
    const std::vector<std::unique_ptr<Slot>> &slotList() const { return m_slots; }
    const std::vector<std::unique_ptr<IkConstraint>> &ikConstraints() const { return m_ik; }
    std::vector<Slot *> &drawOrder() { return m_drawOrder; }
    const std::vector<Slot *> &drawOrder() const { return m_drawOrder; }

    Bone *findBone(const QString &name) const;
    Slot *findSlot(const QString &name) const;
    const Skin *skin() const { return m_skin; }

    void updateWorldTransform();
    void setToSetupPose();
    void setBonesToSetupPose();
    void setSlotsToSetupPose();
    // False (and no change) for an unknown skin name.
    bool setSkin(const QString &name);
    void setSkin(const Skin *skin);
    Attachment *attachment(int slotIndex, const QString &name) const;
    // An empty attachment name clears the slot; false when the slot or the
    // attachment does not exist.
    bool setAttachment(const QString &slotName, const QString &attachmentName);
    void update(float delta) { time += delta; }

    float r = 1, g = 1, b = 1, a = 1;
    float time = 0;
    float x = 0, y = 0;
    bool flipX = false, flipY = false;

private:
    const SkeletonData *m_data;
    std::vector<std::unique_ptr<Bone>> m_bones;
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::vector<Slot *> m_drawOrder;
    std::vector<std::unique_ptr<IkConstraint>> m_ik;
    const Skin *m_skin = nullptr;
};

} // namespace spine

#endif
