#include "spineskeleton.h"

#include <cmath>

namespace spine {

namespace {
constexpr float kRadDeg = float(180.0 / M_PI);
constexpr float kDegRad = float(M_PI / 180.0);

float wrapDegrees(float angle)
{
    angle = std::fmod(angle, 360.0f);
    if (angle > 180)
        angle -= 360;
    else if (angle < -180)
        angle += 360;
    return angle;
}
} // namespace

void Bone::setToSetupPose()
{
    x = data->x;
    y = data->y;
    rotation = data->rotation;
    rotationIK = rotation;
    scaleX = data->scaleX;
    scaleY = data->scaleY;
}

void Bone::updateWorldTransform(const Skeleton &skeleton)
{
    if (parent) {
        worldX = x * parent->m00 + y * parent->m01 + parent->worldX;
        worldY = x * parent->m10 + y * parent->m11 + parent->worldY;
        worldScaleX = data->inheritScale ? parent->worldScaleX * scaleX : scaleX;
        worldScaleY = data->inheritScale ? parent->worldScaleY * scaleY : scaleY;
        worldRotation = data->inheritRotation ? parent->worldRotation + rotationIK : rotationIK;
    } else {
        worldX = (skeleton.flipX ? -x : x) + skeleton.x;
        worldY = (skeleton.flipY ? -y : y) + skeleton.y;
        worldScaleX = scaleX;
        worldScaleY = scaleY;
        worldRotation = rotationIK;
    }
    const float radians = worldRotation * kDegRad;
    const float c = std::cos(radians), s = std::sin(radians);
    m00 = c * worldScaleX;
    m10 = s * worldScaleX;
    m01 = -s * worldScaleY;
    m11 = c * worldScaleY;
    if (skeleton.flipX) {
        m00 = -m00;
        m01 = -m01;
    }
    if (skeleton.flipY) {
        m10 = -m10;
        m11 = -m11;
    }
}

void Bone::worldToParent(float wx, float wy, float *localX, float *localY) const
{
    if (!parent) {
        *localX = wx;
        *localY = wy;
        return;
    }
    const float dx = wx - parent->worldX, dy = wy - parent->worldY;
    const float det = parent->m00 * parent->m11 - parent->m01 * parent->m10;
    if (std::fabs(det) < 1e-12f) {
        *localX = *localY = 0;
        return;
    }
    *localX = (dx * parent->m11 - dy * parent->m01) / det;
    *localY = (dy * parent->m00 - dx * parent->m10) / det;
}

void Slot::setAttachment(Attachment *newAttachment)
{
    if (attachment == newAttachment)
        return;
    attachment = newAttachment;
    attachmentTime = skeleton->time;
    attachmentVertices.clear();
}

void Slot::setToSetupPose(int slotIndex)
{
    r = data->r;
    g = data->g;
    b = data->b;
    a = data->a;
    setAttachment(data->attachmentName.isEmpty() ? nullptr : skeleton->attachment(slotIndex, data->attachmentName));
    attachmentVertices.clear();
}

void IkConstraint::apply()
{
    if (!target || bones.isEmpty() || mix == 0)
        return;
    const auto mixed = [this](Bone *bone, float solved) {
        bone->rotationIK = bone->rotation + wrapDegrees(solved - bone->rotation) * mix;
    };
    Bone *first = bones.at(0);
    const float parentRotation = first->parent && first->data->inheritRotation ? first->parent->worldRotation : 0;
    if (bones.size() == 1) {
        const float worldAngle = std::atan2(target->worldY - first->worldY, target->worldX - first->worldX) * kRadDeg;
        mixed(first, worldAngle - parentRotation);
        return;
    }
    // Two bones: the triangle first origin - child origin - target, with the
    // sides the first bone's reach and the child's length.
    Bone *child = bones.at(1);
    const float px = first->worldX, py = first->worldY;
    const float tx = target->worldX - px, ty = target->worldY - py;
    const float cx = child->worldX - px, cy = child->worldY - py;
    const float sideA = std::hypot(cx, cy);
    const float sideB = child->data->length * child->worldScaleX;
    const float distance = std::hypot(tx, ty);
    const float targetAngle = std::atan2(ty, tx);
    float innerAngle = 0;
    if (sideA > 0 && distance > 0) {
        const float cosine = (sideA * sideA + distance * distance - sideB * sideB) / (2 * sideA * distance);
        innerAngle = std::acos(qBound(-1.0f, cosine, 1.0f));
    }
    // The child's origin is not necessarily on the first bone's axis.
    const float childOffsetAngle = std::atan2(cy, cx) - first->worldRotation * kDegRad;
    const float firstWorld = targetAngle - bendDirection * innerAngle;
    const float firstWorldRotation = (firstWorld - childOffsetAngle) * kRadDeg;
    const float childX = px + sideA * std::cos(firstWorld), childY = py + sideA * std::sin(firstWorld);
    const float childWorldRotation = std::atan2(target->worldY - childY, target->worldX - childX) * kRadDeg;

    mixed(first, firstWorldRotation - parentRotation);
    const float firstResult = parentRotation + first->rotationIK;
    mixed(child, child->data->inheritRotation ? childWorldRotation - firstResult : childWorldRotation);
}

Skeleton::Skeleton(const SkeletonData *data)
    : m_data(data)
{
    for (const BoneData &boneData : data->bones) {
        auto bone = std::make_unique<Bone>();
        bone->data = &boneData;
        bone->parent = boneData.parent >= 0 ? m_bones.at(boneData.parent).get() : nullptr;
        bone->setToSetupPose();
        m_bones.push_back(std::move(bone));
    }
    for (const SlotData &slotData : data->slotList) {
        auto slot = std::make_unique<Slot>();
        slot->data = &slotData;
        slot->bone = m_bones.at(slotData.bone).get();
        slot->skeleton = this;
        m_drawOrder.push_back(slot.get());
        m_slots.push_back(std::move(slot));
    }
    for (const IkConstraintData &ikData : data->ikConstraints) {
        auto ik = std::make_unique<IkConstraint>();
        ik->data = &ikData;
        for (int index : ikData.bones)
            ik->bones.append(m_bones.at(index).get());
        ik->target = m_bones.at(ikData.target).get();
        ik->mix = ikData.mix;
        ik->bendDirection = ikData.bendDirection;
        m_ik.push_back(std::move(ik));
    }
    setSlotsToSetupPose();
    updateWorldTransform();
}

Bone *Skeleton::findBone(const QString &name) const
{
    const int index = m_data->findBone(name);
    return index < 0 ? nullptr : m_bones.at(index).get();
}

Slot *Skeleton::findSlot(const QString &name) const
{
    const int index = m_data->findSlot(name);
    return index < 0 ? nullptr : m_slots.at(index).get();
}

void Skeleton::updateWorldTransform()
{
    for (const auto &bone : m_bones) {
        bone->rotationIK = bone->rotation;
        bone->updateWorldTransform(*this);
    }
    // Bones come parent first, so re-posing from the first constrained bone
    // on reaches every bone the constraint moves.
    for (const auto &ik : m_ik) {
        ik->apply();
        const int from = m_data->findBone(ik->bones.value(0) ? ik->bones.at(0)->data->name : QString());
        for (size_t i = size_t(qMax(from, 0)); i < m_bones.size(); ++i)
            m_bones[i]->updateWorldTransform(*this);
    }
}

void Skeleton::setToSetupPose()
{
    setBonesToSetupPose();
    setSlotsToSetupPose();
}

void Skeleton::setBonesToSetupPose()
{
    for (const auto &bone : m_bones)
        bone->setToSetupPose();
    for (const auto &ik : m_ik) {
        ik->mix = ik->data->mix;
        ik->bendDirection = ik->data->bendDirection;
    }
}

void Skeleton::setSlotsToSetupPose()
{
    for (size_t i = 0; i < m_slots.size(); ++i) {
        m_drawOrder[i] = m_slots[i].get();
        m_slots[i]->setToSetupPose(int(i));
    }
}

bool Skeleton::setSkin(const QString &name)
{
    const Skin *skin = m_data->findSkin(name);
    if (!skin)
        return false;
    setSkin(skin);
    return true;
}

void Skeleton::setSkin(const Skin *newSkin)
{
    if (newSkin && m_skin) {
        // Keep what is shown: swap each attachment of the old skin that is
        // attached for the new skin's attachment of the same name.
        m_skin->forEach([&](int slotIndex, const QString &name, Attachment *attachment) {
            Slot *slot = m_slots.at(slotIndex).get();
            if (slot->attachment == attachment) {
                if (Attachment *replacement = newSkin->attachment(slotIndex, name))
                    slot->setAttachment(replacement);
            }
        });
    } else if (newSkin) {
        for (size_t i = 0; i < m_slots.size(); ++i) {
            const QString &name = m_slots[i]->data->attachmentName;
            if (!name.isEmpty()) {
                if (Attachment *attachment = newSkin->attachment(int(i), name))
                    m_slots[i]->setAttachment(attachment);
            }
        }
    }
    m_skin = newSkin;
}

Attachment *Skeleton::attachment(int slotIndex, const QString &name) const
{
    if (m_skin) {
        if (Attachment *found = m_skin->attachment(slotIndex, name))
            return found;
    }
    return m_data->defaultSkin ? m_data->defaultSkin->attachment(slotIndex, name) : nullptr;
}

bool Skeleton::setAttachment(const QString &slotName, const QString &attachmentName)
{
    const int slotIndex = m_data->findSlot(slotName);
    if (slotIndex < 0)
        return false;
    Slot *slot = m_slots.at(slotIndex).get();
    if (attachmentName.isEmpty()) {
        slot->setAttachment(nullptr);
        return true;
    }
    Attachment *found = attachment(slotIndex, attachmentName);
    if (!found)
        return false;
    slot->setAttachment(found);
    return true;
}

} // namespace spine
