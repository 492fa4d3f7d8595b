#include "spineskeletonjson.h"

#include "spine/spineanimation.h"
#include "spine/spineatlas.h"
#include "spine/spineskeletondata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace spine {

namespace {

// Reading stops at the first error; its message is the one warning given.
// Until the reader notices, helpers hand back harmless values.
QString *s_error = nullptr;

void fail(const QString &message)
{
    if (s_error && s_error->isEmpty())
        *s_error = message;
}

bool failed()
{
    return s_error && !s_error->isEmpty();
}

float number(const QJsonObject &object, const char *key, float fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isDouble() ? float(value.toDouble()) : fallback;
}

// Counts, offsets and event integers: a value beyond any sensible index is clamped
// (an int cannot hold it, and converting it would be undefined), then refused by range checks.
int whole(const QJsonObject &object, const char *key, int fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        return fallback;
    const double given = value.toDouble();
    return std::isfinite(given) ? int(qBound(-1e9, given, 1e9)) : fallback;
}

bool flag(const QJsonObject &object, const char *key, bool fallback)
{
    const QJsonValue value = object.value(QLatin1String(key));
    return value.isBool() ? value.toBool() : fallback;
}

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

void readColor(const QJsonObject &object, float *rgba)
{
    const QString hex = text(object, "color");
    if (hex.isEmpty())
        return;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const int component = hex.mid(i * 2, 2).toInt(&ok, 16);
        if (!ok || hex.size() != 8)
            return fail(QStringLiteral("Invalid color: %1").arg(hex));
        rgba[i] = component / 255.0f;
    }
}

QVector<float> floats(const QJsonValue &value, float multiplier = 1)
{
    QVector<float> result;
    for (const QJsonValue &item : value.toArray())
        result.append(float(item.toDouble()) * multiplier);
    return result;
}

void readCurve(const QJsonObject &key, Curves &curves, int frame)
{
    const QJsonValue curve = key.value(QLatin1String("curve"));
    if (curve.toString() == QLatin1String("stepped")) {
        curves.setStepped(frame);
    } else if (curve.isArray()) {
        const QJsonArray p = curve.toArray();
        if (p.size() != 4)
            return fail(QStringLiteral("Invalid curve"));
        curves.setBezier(frame, float(p.at(0).toDouble()), float(p.at(1).toDouble()), float(p.at(2).toDouble()),
                         float(p.at(3).toDouble()));
    } else {
        curves.setLinear(frame);
    }
}

class Reader
{
public:
    Reader(const Atlas *atlas, float scale) : m_atlas(atlas), m_scale(scale) {}
    std::unique_ptr<SkeletonData> read(const QJsonObject &root);

private:
    void readBones(const QJsonArray &bones);
    void readIk(const QJsonArray &constraints);
    void readSlots(const QJsonArray &slotArray);
    void readSkins(const QJsonObject &skins);
    std::unique_ptr<Attachment> readAttachment(const QString &name, const QJsonObject &map);
    void readMeshTriangles(MeshBase *mesh, const QJsonObject &map, int vertexCount);
    void readEvents(const QJsonObject &events);
    void readAnimation(const QString &name, const QJsonObject &map);
    void readDrawOrder(const QJsonArray &keys, std::vector<std::unique_ptr<Timeline>> &timelines);
    void readDeform(const QJsonObject &ffd, std::vector<std::unique_ptr<Timeline>> &timelines);
    int bone(const QString &name, const char *what) const
    {
        const int index = m_data->findBone(name);
        if (index < 0)
            fail(QStringLiteral("%1 not found: %2").arg(QLatin1String(what), name));
        return qMax(index, 0);
    }
    int slot(const QString &name) const
    {
        const int index = m_data->findSlot(name);
        if (index < 0)
            fail(QStringLiteral("Slot not found: %1").arg(name));
        return qMax(index, 0);
    }
    const AtlasRegion *region(const QString &path) const
    {
        const AtlasRegion *found = m_atlas ? m_atlas->findRegion(path) : nullptr;
        if (!found)
            fail(QStringLiteral("Region not found: %1").arg(path));
        return found;
    }

    const Atlas *m_atlas;
    float m_scale;
    std::unique_ptr<SkeletonData> m_data;
};

std::unique_ptr<SkeletonData> Reader::read(const QJsonObject &root)
{
    m_data = std::make_unique<SkeletonData>();
    const QJsonObject skeleton = root.value(QLatin1String("skeleton")).toObject();
    m_data->width = number(skeleton, "width", 0);
    m_data->height = number(skeleton, "height", 0);
    readBones(root.value(QLatin1String("bones")).toArray());
    if (!failed())
        readIk(root.value(QLatin1String("ik")).toArray());
    if (!failed())
        readSlots(root.value(QLatin1String("slots")).toArray());
    if (!failed())
        readSkins(root.value(QLatin1String("skins")).toObject());
    if (!failed())
        readEvents(root.value(QLatin1String("events")).toObject());
    const QJsonObject animations = root.value(QLatin1String("animations")).toObject();
    for (auto it = animations.begin(); it != animations.end() && !failed(); ++it)
        readAnimation(it.key(), it.value().toObject());
    if (failed())
        return nullptr;
    return std::move(m_data);
}

void Reader::readBones(const QJsonArray &bones)
{
    for (const QJsonValue &value : bones) {
        const QJsonObject map = value.toObject();
        BoneData bone;
        bone.name = text(map, "name");
        const QString parent = text(map, "parent");
        if (!parent.isEmpty())
            bone.parent = this->bone(parent, "Parent bone");
        else if (!m_data->bones.empty())
            fail(QStringLiteral("Only the first bone may have no parent: %1").arg(bone.name));
        if (failed())
            return;
        bone.length = number(map, "length", 0) * m_scale;
        bone.x = number(map, "x", 0) * m_scale;
        bone.y = number(map, "y", 0) * m_scale;
        bone.rotation = number(map, "rotation", 0);
        bone.scaleX = number(map, "scaleX", 1);
        bone.scaleY = number(map, "scaleY", 1);
        bone.inheritScale = flag(map, "inheritScale", true);
        bone.inheritRotation = flag(map, "inheritRotation", true);
        m_data->bones.push_back(bone);
    }
    if (m_data->bones.empty())
        fail(QStringLiteral("Skeleton has no bones"));
}

void Reader::readIk(const QJsonArray &constraints)
{
    for (const QJsonValue &value : constraints) {
        const QJsonObject map = value.toObject();
        IkConstraintData ik;
        ik.name = text(map, "name");
        for (const QJsonValue &name : map.value(QLatin1String("bones")).toArray())
            ik.bones.append(bone(name.toString(), "IK bone"));
        if (ik.bones.isEmpty() || ik.bones.size() > 2)
            return fail(QStringLiteral("IK constraint needs one or two bones: %1").arg(ik.name));
        if (ik.bones.size() == 2 && m_data->bones[size_t(ik.bones[1])].parent != ik.bones[0])
            return fail(QStringLiteral("IK bones must be parent and child: %1").arg(ik.name));
        ik.target = bone(text(map, "target"), "IK target bone");
        ik.bendDirection = flag(map, "bendPositive", true) ? 1 : -1;
        ik.mix = number(map, "mix", 1);
        m_data->ikConstraints.push_back(ik);
    }
}

void Reader::readSlots(const QJsonArray &slotArray)
{
    for (const QJsonValue &value : slotArray) {
        const QJsonObject map = value.toObject();
        SlotData slot;
        slot.name = text(map, "name");
        slot.bone = bone(text(map, "bone"), "Slot bone");
        float rgba[4] = {1, 1, 1, 1};
        readColor(map, rgba);
        slot.r = rgba[0];
        slot.g = rgba[1];
        slot.b = rgba[2];
        slot.a = rgba[3];
        slot.attachmentName = text(map, "attachment");
        slot.additive = flag(map, "additive", false);
        m_data->slotList.push_back(slot);
    }
}

void Reader::readSkins(const QJsonObject &skins)
{
    for (auto skinIt = skins.begin(); skinIt != skins.end(); ++skinIt) {
        auto skin = std::make_unique<Skin>(skinIt.key());
        const QJsonObject slotMap = skinIt.value().toObject();
        for (auto slotIt = slotMap.begin(); slotIt != slotMap.end(); ++slotIt) {
            const int slotIndex = slot(slotIt.key());
            const QJsonObject attachments = slotIt.value().toObject();
            for (auto it = attachments.begin(); it != attachments.end() && !failed(); ++it) {
                if (auto attachment = readAttachment(it.key(), it.value().toObject()))
                    skin->addAttachment(slotIndex, std::move(attachment));
            }
        }
        if (skin->name() == QLatin1String("default"))
            m_data->defaultSkin = skin.get();
        m_data->skins.push_back(std::move(skin));
    }
}

std::unique_ptr<Attachment> Reader::readAttachment(const QString &key, const QJsonObject &map)
{
    const QString name = map.contains(QLatin1String("name")) ? text(map, "name") : key;
    const QString path = map.contains(QLatin1String("path")) ? text(map, "path") : name;
    const QString type = map.contains(QLatin1String("type")) ? text(map, "type") : QStringLiteral("region");
    float rgba[4] = {1, 1, 1, 1};
    readColor(map, rgba);

    if (type == QLatin1String("region")) {
        auto region = std::make_unique<RegionAttachment>(key);
        region->path = path;
        region->x = number(map, "x", 0) * m_scale;
        region->y = number(map, "y", 0) * m_scale;
        region->scaleX = number(map, "scaleX", 1);
        region->scaleY = number(map, "scaleY", 1);
        region->rotation = number(map, "rotation", 0);
        region->width = number(map, "width", 32) * m_scale;
        region->height = number(map, "height", 32) * m_scale;
        region->r = rgba[0], region->g = rgba[1], region->b = rgba[2], region->a = rgba[3];
        const AtlasRegion *atlasRegion = this->region(path);
        if (!atlasRegion || failed())
            return nullptr;
        region->setRegion(atlasRegion);
        return region;
    }
    if (type == QLatin1String("boundingbox")) {
        auto box = std::make_unique<BoundingBoxAttachment>(key);
        box->vertices = floats(map.value(QLatin1String("vertices")), m_scale);
        return box;
    }
    if (type == QLatin1String("mesh")) {
        auto mesh = std::make_unique<MeshAttachment>(key);
        mesh->vertices = floats(map.value(QLatin1String("vertices")), m_scale);
        if (mesh->vertices.size() % 2) {
            fail(QStringLiteral("Invalid mesh vertices: %1").arg(key));
            return nullptr;
        }
        readMeshTriangles(mesh.get(), map, mesh->vertices.size() / 2);
        mesh->path = path;
        mesh->r = rgba[0], mesh->g = rgba[1], mesh->b = rgba[2], mesh->a = rgba[3];
        const AtlasRegion *atlasRegion = failed() ? nullptr : region(path);
        if (!atlasRegion)
            return nullptr;
        mesh->setRegion(atlasRegion);
        return mesh;
    }
    if (type == QLatin1String("skinnedmesh")) {
        auto mesh = std::make_unique<SkinnedMeshAttachment>(key);
        const QJsonArray vertices = map.value(QLatin1String("vertices")).toArray();
        const int boneCount = int(m_data->bones.size());
        for (int i = 0; i < vertices.size();) {
            const int count = vertices.at(i++).toInt(-1);
            if (count < 0 || i + count * 4 > vertices.size()) {
                fail(QStringLiteral("Invalid skinned mesh vertices: %1").arg(key));
                return nullptr;
            }
            mesh->bones.append(count);
            for (int n = 0; n < count; ++n, i += 4) {
                const int boneIndex = vertices.at(i).toInt(-1);
                if (boneIndex < 0 || boneIndex >= boneCount) {
                    fail(QStringLiteral("Bone index out of range in skinned mesh %1: %2").arg(key).arg(boneIndex));
                    return nullptr;
                }
                mesh->bones.append(boneIndex);
                mesh->weights << float(vertices.at(i + 1).toDouble()) * m_scale
                              << float(vertices.at(i + 2).toDouble()) * m_scale << float(vertices.at(i + 3).toDouble());
            }
            ++mesh->vertexCount;
        }
        readMeshTriangles(mesh.get(), map, mesh->vertexCount);
        mesh->path = path;
        mesh->r = rgba[0], mesh->g = rgba[1], mesh->b = rgba[2], mesh->a = rgba[3];
        const AtlasRegion *atlasRegion = failed() ? nullptr : region(path);
        if (!atlasRegion)
            return nullptr;
        mesh->setRegion(atlasRegion);
        return mesh;
    }
    fail(QStringLiteral("Unknown attachment type: %1").arg(type));
    return nullptr;
}

void Reader::readMeshTriangles(MeshBase *mesh, const QJsonObject &map, int vertexCount)
{
    mesh->regionUVs = floats(map.value(QLatin1String("uvs")));
    if (mesh->regionUVs.size() != vertexCount * 2)
        return fail(QStringLiteral("Mesh uvs do not match its vertices: %1").arg(mesh->name));
    if (vertexCount > 65536)
        return fail(QStringLiteral("Mesh has too many vertices: %1").arg(mesh->name));
    const QJsonArray triangles = map.value(QLatin1String("triangles")).toArray();
    if (triangles.size() % 3)
        return fail(QStringLiteral("Mesh triangles are not in threes: %1").arg(mesh->name));
    for (const QJsonValue &value : triangles) {
        const int index = value.toInt(-1);
        if (index < 0 || index >= vertexCount)
            return fail(QStringLiteral("Triangle index out of range in mesh %1: %2").arg(mesh->name).arg(index));
        mesh->triangles.append(quint16(index));
    }
    mesh->hullLength = qBound(0, whole(map, "hull", 0) * 2, vertexCount * 2);
    for (const QJsonValue &value : map.value(QLatin1String("edges")).toArray())
        mesh->edges.append(value.toInt());
    mesh->width = number(map, "width", 0) * m_scale;
    mesh->height = number(map, "height", 0) * m_scale;
}

void Reader::readEvents(const QJsonObject &events)
{
    for (auto it = events.begin(); it != events.end(); ++it) {
        const QJsonObject map = it.value().toObject();
        auto event = std::make_unique<EventData>();
        event->name = it.key();
        event->intValue = whole(map, "int", 0);
        event->floatValue = number(map, "float", 0);
        event->stringValue = text(map, "string");
        m_data->events.push_back(std::move(event));
    }
}

void Reader::readAnimation(const QString &name, const QJsonObject &map)
{
    std::vector<std::unique_ptr<Timeline>> timelines;
    const auto keysOf = [](const QJsonValue &value) {
        const QJsonArray keys = value.toArray();
        if (keys.isEmpty())
            fail(QStringLiteral("Timeline without keys"));
        return keys;
    };

    const QJsonObject bones = map.value(QLatin1String("bones")).toObject();
    for (auto boneIt = bones.begin(); boneIt != bones.end(); ++boneIt) {
        const int boneIndex = bone(boneIt.key(), "Bone");
        const QJsonObject types = boneIt.value().toObject();
        for (auto it = types.begin(); it != types.end(); ++it) {
            CurveTimeline::Kind kind;
            if (it.key() == QLatin1String("rotate"))
                kind = CurveTimeline::Rotate;
            else if (it.key() == QLatin1String("translate"))
                kind = CurveTimeline::Translate;
            else if (it.key() == QLatin1String("scale"))
                kind = CurveTimeline::Scale;
            else if (it.key() == QLatin1String("flipX") || it.key() == QLatin1String("flipY"))
                continue; // bone flips are not drawn by this engine
            else
                return fail(QStringLiteral("Invalid timeline type for a bone: %1").arg(it.key()));
            const QJsonArray keys = keysOf(it.value());
            if (failed())
                return;
            auto timeline = std::make_unique<CurveTimeline>(kind, boneIndex, keys.size());
            const float valueScale = kind == CurveTimeline::Translate ? m_scale : 1;
            for (int frame = 0; frame < keys.size(); ++frame) {
                const QJsonObject key = keys.at(frame).toObject();
                QVector<float> values;
                if (kind == CurveTimeline::Rotate)
                    values << number(key, "angle", 0);
                else
                    values << number(key, "x", kind == CurveTimeline::Scale ? 1 : 0) * valueScale
                           << number(key, "y", kind == CurveTimeline::Scale ? 1 : 0) * valueScale;
                timeline->setFrame(frame, number(key, "time", 0), values);
                readCurve(key, timeline->curves(), frame);
            }
            timelines.push_back(std::move(timeline));
        }
    }

    const QJsonObject slotMap = map.value(QLatin1String("slots")).toObject();
    for (auto slotIt = slotMap.begin(); slotIt != slotMap.end(); ++slotIt) {
        const int slotIndex = slot(slotIt.key());
        const QJsonObject types = slotIt.value().toObject();
        for (auto it = types.begin(); it != types.end(); ++it) {
            const QJsonArray keys = keysOf(it.value());
            if (failed())
                return;
            if (it.key() == QLatin1String("color")) {
                auto timeline = std::make_unique<CurveTimeline>(CurveTimeline::Color, slotIndex, keys.size());
                for (int frame = 0; frame < keys.size(); ++frame) {
                    const QJsonObject key = keys.at(frame).toObject();
                    float rgba[4] = {1, 1, 1, 1};
                    readColor(key, rgba);
                    timeline->setFrame(frame, number(key, "time", 0), {rgba[0], rgba[1], rgba[2], rgba[3]});
                    readCurve(key, timeline->curves(), frame);
                }
                timelines.push_back(std::move(timeline));
            } else if (it.key() == QLatin1String("attachment")) {
                auto timeline = std::make_unique<AttachmentTimeline>(slotIndex, keys.size());
                for (int frame = 0; frame < keys.size(); ++frame) {
                    const QJsonObject key = keys.at(frame).toObject();
                    timeline->setFrame(frame, number(key, "time", 0), text(key, "name"));
                }
                timelines.push_back(std::move(timeline));
            } else {
                return fail(QStringLiteral("Invalid timeline type for a slot: %1").arg(it.key()));
            }
        }
    }

    const QJsonObject ik = map.value(QLatin1String("ik")).toObject();
    for (auto it = ik.begin(); it != ik.end(); ++it) {
        const int index = m_data->findIkConstraint(it.key());
        if (index < 0)
            return fail(QStringLiteral("IK constraint not found: %1").arg(it.key()));
        const QJsonArray keys = keysOf(it.value());
        if (failed())
            return;
        auto timeline = std::make_unique<CurveTimeline>(CurveTimeline::Ik, index, keys.size());
        for (int frame = 0; frame < keys.size(); ++frame) {
            const QJsonObject key = keys.at(frame).toObject();
            timeline->setFrame(frame, number(key, "time", 0),
                               {number(key, "mix", 1), flag(key, "bendPositive", true) ? 1.0f : -1.0f});
            readCurve(key, timeline->curves(), frame);
        }
        timelines.push_back(std::move(timeline));
    }

    readDeform(map.value(QLatin1String("ffd")).toObject(), timelines);

    const QJsonValue drawOrder = map.contains(QLatin1String("drawOrder")) ? map.value(QLatin1String("drawOrder"))
                                                                          : map.value(QLatin1String("draworder"));
    if (drawOrder.isArray())
        readDrawOrder(drawOrder.toArray(), timelines);

    const QJsonArray events = map.value(QLatin1String("events")).toArray();
    if (!events.isEmpty()) {
        auto timeline = std::make_unique<EventTimeline>(events.size());
        for (int frame = 0; frame < events.size(); ++frame) {
            const QJsonObject key = events.at(frame).toObject();
            const EventData *data = m_data->findEvent(text(key, "name"));
            if (!data)
                return fail(QStringLiteral("Event not found: %1").arg(text(key, "name")));
            Event event;
            event.data = data;
            event.time = number(key, "time", 0);
            event.intValue = whole(key, "int", data->intValue);
            event.floatValue = number(key, "float", data->floatValue);
            event.stringValue = key.contains(QLatin1String("string")) ? text(key, "string") : data->stringValue;
            timeline->setFrame(frame, event);
        }
        timelines.push_back(std::move(timeline));
    }

    m_data->animations.push_back(std::make_unique<Animation>(name, std::move(timelines)));
}

void Reader::readDeform(const QJsonObject &ffd, std::vector<std::unique_ptr<Timeline>> &timelines)
{
    for (auto skinIt = ffd.begin(); skinIt != ffd.end(); ++skinIt) {
        const Skin *skin = m_data->findSkin(skinIt.key());
        if (!skin)
            return fail(QStringLiteral("Skin not found: %1").arg(skinIt.key()));
        const QJsonObject slotMap = skinIt.value().toObject();
        for (auto slotIt = slotMap.begin(); slotIt != slotMap.end(); ++slotIt) {
            const int slotIndex = slot(slotIt.key());
            if (failed())
                return;
            const QJsonObject meshes = slotIt.value().toObject();
            for (auto it = meshes.begin(); it != meshes.end(); ++it) {
                const Attachment *attachment = skin->attachment(slotIndex, it.key());
                if (!attachment || (attachment->type != AttachmentType::Mesh
                                    && attachment->type != AttachmentType::SkinnedMesh))
                    return fail(QStringLiteral("Attachment not found: %1").arg(it.key()));
                const auto *mesh = attachment->type == AttachmentType::Mesh
                                       ? static_cast<const MeshAttachment *>(attachment) : nullptr;
                const int count = mesh ? mesh->vertices.size()
                                       : static_cast<const SkinnedMeshAttachment *>(attachment)->weights.size() / 3 * 2;
                const QJsonArray keys = it.value().toArray();
                if (keys.isEmpty())
                    return fail(QStringLiteral("Timeline without keys"));
                auto timeline = std::make_unique<DeformTimeline>(slotIndex, attachment, keys.size());
                for (int frame = 0; frame < keys.size(); ++frame) {
                    const QJsonObject key = keys.at(frame).toObject();
                    // Keys hold offsets from the setup vertices, from "offset" on.
                    QVector<float> vertices(count, 0.0f);
                    const QVector<float> deltas = floats(key.value(QLatin1String("vertices")), m_scale);
                    const int start = whole(key, "offset", 0);
                    if (start < 0 || start + deltas.size() > count)
                        return fail(QStringLiteral("Deform vertices out of range: %1").arg(it.key()));
                    for (int i = 0; i < deltas.size(); ++i)
                        vertices[start + i] = deltas.at(i);
                    if (mesh) {
                        for (int i = 0; i < count; ++i)
                            vertices[i] += mesh->vertices.at(i);
                    }
                    timeline->setFrame(frame, number(key, "time", 0), vertices);
                    readCurve(key, timeline->curves(), frame);
                }
                timelines.push_back(std::move(timeline));
            }
        }
    }
}

void Reader::readDrawOrder(const QJsonArray &keys, std::vector<std::unique_ptr<Timeline>> &timelines)
{
    const int slotCount = int(m_data->slotList.size());
    auto timeline = std::make_unique<DrawOrderTimeline>(keys.size());
    for (int frame = 0; frame < keys.size(); ++frame) {
        const QJsonObject key = keys.at(frame).toObject();
        QVector<int> order;
        const QJsonArray offsets = key.value(QLatin1String("offsets")).toArray();
        if (!offsets.isEmpty()) {
            // Moved slots go to their new place; the others fill the gaps in
            // their setup order.
            order.fill(-1, slotCount);
            QVector<int> unchanged;
            int original = 0;
            for (const QJsonValue &value : offsets) {
                const QJsonObject offset = value.toObject();
                const int slotIndex = slot(text(offset, "slot"));
                if (failed())
                    return;
                if (slotIndex < original)
                    return fail(QStringLiteral("Draw order offsets out of slot order: %1").arg(text(offset, "slot")));
                while (original != slotIndex)
                    unchanged.append(original++);
                const int target = original + whole(offset, "offset", 0);
                if (target < 0 || target >= slotCount || order.at(target) != -1)
                    return fail(QStringLiteral("Draw order offset out of range: %1").arg(text(offset, "slot")));
                order[target] = original++;
            }
            while (original < slotCount)
                unchanged.append(original++);
            for (int i = slotCount - 1; i >= 0; --i) {
                if (order.at(i) == -1)
                    order[i] = unchanged.takeLast();
            }
        }
        timeline->setFrame(frame, number(key, "time", 0), order);
    }
    timelines.push_back(std::move(timeline));
}

} // namespace

std::unique_ptr<SkeletonData> SkeletonJson::readSkeletonDataFile(const QString &path) const
{
    bool ok = false;
    const QByteArray json = readFile(path, &ok);
    if (!ok) {
        qWarning("SkeletonJson WARNING: Unable to read skeleton file: %s", qPrintable(path));
        return nullptr;
    }
    return readSkeletonData(json);
}

std::unique_ptr<SkeletonData> SkeletonJson::readSkeletonData(const QByteArray &json) const
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qWarning("SkeletonJson WARNING: Invalid skeleton JSON: %s",
                 qPrintable(document.isNull() ? error.errorString() : QStringLiteral("not an object")));
        return nullptr;
    }
    QString readError;
    s_error = &readError;
    std::unique_ptr<SkeletonData> data = Reader(m_atlas, scale).read(document.object());
    s_error = nullptr;
    if (!readError.isEmpty()) {
        qWarning("SkeletonJson WARNING: %s", qPrintable(readError));
        return nullptr;
    }
    return data;
}

} // namespace spine
