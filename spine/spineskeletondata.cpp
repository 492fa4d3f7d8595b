#include "spineskeletondata.h"

#include "spine/spineanimation.h"

namespace spine {

void Skin::addAttachment(int slotIndex, std::unique_ptr<Attachment> attachment)
{
    const QString name = attachment->name;
    m_attachments.insert(qMakePair(slotIndex, name), std::shared_ptr<Attachment>(std::move(attachment)));
}

Attachment *Skin::attachment(int slotIndex, const QString &name) const
{
    return m_attachments.value(qMakePair(slotIndex, name)).get();
}

SkeletonData::SkeletonData() = default;
SkeletonData::~SkeletonData() = default;

namespace {
template<typename T> int indexByName(const std::vector<T> &list, const QString &name)
{
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].name == name)
            return int(i);
    }
    return -1;
}
} // namespace

int SkeletonData::findBone(const QString &name) const { return indexByName(bones, name); }
int SkeletonData::findSlot(const QString &name) const { return indexByName(slotList, name); }
int SkeletonData::findIkConstraint(const QString &name) const { return indexByName(ikConstraints, name); }

Skin *SkeletonData::findSkin(const QString &name) const
{
    for (const auto &skin : skins) {
        if (skin->name() == name)
            return skin.get();
    }
    return nullptr;
}

const EventData *SkeletonData::findEvent(const QString &name) const
{
    for (const auto &event : events) {
        if (event->name == name)
            return event.get();
    }
    return nullptr;
}

const Animation *SkeletonData::findAnimation(const QString &name) const
{
    for (const auto &animation : animations) {
        if (animation->name() == name)
            return animation.get();
    }
    return nullptr;
}

} // namespace spine
