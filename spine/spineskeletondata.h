#ifndef SPINESKELETONDATA_H
#define SPINESKELETONDATA_H

#include "spine/spineattachment.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace spine {

class Animation;

struct BoneData
{
    QString name;
    int parent = -1; // always before the bone itself
    float length = 0, x = 0, y = 0, rotation = 0, scaleX = 1, scaleY = 1;
    bool inheritScale = true, inheritRotation = true;
};

struct SlotData
{
    QString name;
    int bone = 0;
    float r = 1, g = 1, b = 1, a = 1;
    QString attachmentName;
    bool additive = false;
};

struct IkConstraintData
{
    QString name;
    QVector<int> bones; // one or two, the parent first
    int target = 0;
    int bendDirection = 1;
    float mix = 1;
};

struct EventData
{
    QString name;
    int intValue = 0;
    float floatValue = 0;
    QString stringValue;
};

// Attachments by slot and name.
class Skin
{
public:
    explicit Skin(const QString &name) : m_name(name) {}
    QString name() const { return m_name; }
    void addAttachment(int slotIndex, std::unique_ptr<Attachment> attachment);
    Attachment *attachment(int slotIndex, const QString &name) const;
    // Calls f(slotIndex, name, attachment) for every entry.
    template<typename F> void forEach(F f) const
    {
        for (auto it = m_attachments.cbegin(); it != m_attachments.cend(); ++it)
            f(it.key().first, it.key().second, it.value().get());
    }

private:
    QString m_name;
    QHash<QPair<int, QString>, std::shared_ptr<Attachment>> m_attachments;
};

// Everything read from a skeleton file; shared by the skeletons made from it.
class SkeletonData
{
public:
    SkeletonData();
    ~SkeletonData();

    std::vector<BoneData> bones;
    std::vector<SlotData> slotList;
    std::vector<IkConstraintData> ikConstraints;
    std::vector<std::unique_ptr<Skin>> skins;
    Skin *defaultSkin = nullptr;
    std::vector<std::unique_ptr<EventData>> events;
    std::vector<std::unique_ptr<Animation>> animations;
    float width = 0, height = 0;

    int findBone(const QString &name) const;
    int findSlot(const QString &name) const;
    int findIkConstraint(const QString &name) const;
    Skin *findSkin(const QString &name) const;
    const EventData *findEvent(const QString &name) const;
    const Animation *findAnimation(const QString &name) const;
};

} // namespace spine

#endif
