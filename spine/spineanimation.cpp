#include "spineanimation.h"

#include "spine/spineskeleton.h"

#include <QVarLengthArray>

#include <cfloat>
#include <cmath>

namespace spine {

namespace {

float wrapDegrees(float angle)
{
    angle = std::fmod(angle, 360.0f);
    if (angle > 180)
        angle -= 360;
    else if (angle < -180)
        angle += 360;
    return angle;
}

// The key whose time is at or before time (time at or after the first key).
int keyAt(const QVector<float> &times, float time)
{
    int low = 0, high = times.size() - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (times.at(mid) <= time)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

float bezier(float p1, float p2, float t)
{
    const float u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

} // namespace

float Curves::percent(int frame, float linear) const
{
    if (frame < 0 || frame >= m_curves.size())
        return linear;
    const Curve &curve = m_curves.at(frame);
    switch (curve.type) {
    case Linear:
        return linear;
    case Stepped:
        return 0;
    case Bezier:
        break;
    }
    // The curve runs from (0, 0) to (1, 1); find the parameter whose x is the
    // linear progress (x is monotonic for control x within 0..1), then its y.
    float low = 0, high = 1, t = linear;
    for (int i = 0; i < 30; ++i) {
        t = (low + high) / 2;
        if (bezier(curve.points[0], curve.points[2], t) < linear)
            low = t;
        else
            high = t;
    }
    return bezier(curve.points[1], curve.points[3], t);
}

CurveTimeline::CurveTimeline(Kind kind, int target, int frameCount)
    : m_kind(kind), m_target(target)
{
    static const int counts[] = {1, 2, 2, 4, 2};
    m_valueCount = counts[kind];
    m_times.resize(frameCount);
    m_values.resize(frameCount * m_valueCount);
    m_curves.resize(frameCount);
}

void CurveTimeline::setFrame(int frame, float time, const QVector<float> &values)
{
    m_times[frame] = time;
    for (int i = 0; i < m_valueCount; ++i)
        m_values[frame * m_valueCount + i] = values.value(i);
}

void CurveTimeline::apply(Skeleton &skeleton, float, float time, std::vector<Event> *, float alpha) const
{
    if (m_times.isEmpty() || time < m_times.first())
        return;
    QVarLengthArray<float, 4> v(m_valueCount);
    const int last = m_times.size() - 1;
    if (time >= m_times.at(last)) {
        for (int i = 0; i < m_valueCount; ++i)
            v[i] = m_values.at(last * m_valueCount + i);
    } else {
        const int frame = keyAt(m_times, time);
        const float span = m_times.at(frame + 1) - m_times.at(frame);
        const float linear = span > 0 ? qBound(0.0f, (time - m_times.at(frame)) / span, 1.0f) : 1;
        const float percent = m_curves.percent(frame, linear);
        for (int i = 0; i < m_valueCount; ++i) {
            const float from = m_values.at(frame * m_valueCount + i);
            float delta = m_values.at((frame + 1) * m_valueCount + i) - from;
            if (m_kind == Rotate)
                delta = wrapDegrees(delta);
            else if (m_kind == Ik && i == 1)
                delta = 0; // the bend direction holds until the next key
            v[i] = from + delta * percent;
        }
    }

    switch (m_kind) {
    case Rotate: {
        Bone &bone = *skeleton.bones().at(m_target);
        bone.rotation += wrapDegrees(bone.data->rotation + v[0] - bone.rotation) * alpha;
        break;
    }
    case Translate: {
        Bone &bone = *skeleton.bones().at(m_target);
        bone.x += (bone.data->x + v[0] - bone.x) * alpha;
        bone.y += (bone.data->y + v[1] - bone.y) * alpha;
        break;
    }
    case Scale: {
        Bone &bone = *skeleton.bones().at(m_target);
        bone.scaleX += (bone.data->scaleX * v[0] - bone.scaleX) * alpha;
        bone.scaleY += (bone.data->scaleY * v[1] - bone.scaleY) * alpha;
        break;
    }
    case Color: {
        Slot &slot = *skeleton.slotList().at(m_target);
        slot.r += (v[0] - slot.r) * alpha;
        slot.g += (v[1] - slot.g) * alpha;
        slot.b += (v[2] - slot.b) * alpha;
        slot.a += (v[3] - slot.a) * alpha;
        break;
    }
    case Ik: {
        IkConstraint &ik = *skeleton.ikConstraints().at(m_target);
        ik.mix += (v[0] - ik.mix) * alpha;
        ik.bendDirection = v[1] < 0 ? -1 : 1;
        break;
    }
    }
}

AttachmentTimeline::AttachmentTimeline(int slotIndex, int frameCount)
    : m_slot(slotIndex)
{
    m_times.resize(frameCount);
    m_names.resize(frameCount);
}

void AttachmentTimeline::setFrame(int frame, float time, const QString &attachmentName)
{
    m_times[frame] = time;
    m_names[frame] = attachmentName;
}

void AttachmentTimeline::apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
                               float alpha) const
{
    if (m_times.isEmpty())
        return;
    if (time < m_times.first()) {
        // A loop wrapped past the end without reaching the first key again.
        if (lastTime > time)
            apply(skeleton, lastTime, FLT_MAX, events, alpha);
        return;
    }
    if (lastTime > time)
        lastTime = -1;
    const int frame = keyAt(m_times, time);
    // Only a key passed since the last pose switches the attachment, so that
    // attachments set by hand stay between keys.
    if (m_times.at(frame) < lastTime)
        return;
    const QString &name = m_names.at(frame);
    skeleton.slotList().at(m_slot)->setAttachment(name.isEmpty() ? nullptr : skeleton.attachment(m_slot, name));
}

EventTimeline::EventTimeline(int frameCount)
{
    m_events.resize(size_t(frameCount));
}

void EventTimeline::setFrame(int frame, const Event &event)
{
    m_events[size_t(frame)] = event;
}

void EventTimeline::apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
                          float alpha) const
{
    if (!events || m_events.empty())
        return;
    if (lastTime > time) {
        // Wrapped: the keys after the last time, then from the start.
        apply(skeleton, lastTime, FLT_MAX, events, alpha);
        lastTime = -1;
    }
    for (const Event &event : m_events) {
        if (event.time > lastTime && event.time <= time)
            events->push_back(event);
    }
}

DrawOrderTimeline::DrawOrderTimeline(int frameCount)
{
    m_times.resize(frameCount);
    m_orders.resize(frameCount);
}

void DrawOrderTimeline::setFrame(int frame, float time, const QVector<int> &slotOrder)
{
    m_times[frame] = time;
    m_orders[frame] = slotOrder;
}

void DrawOrderTimeline::apply(Skeleton &skeleton, float, float time, std::vector<Event> *, float) const
{
    if (m_times.isEmpty() || time < m_times.first())
        return;
    const QVector<int> &order = m_orders.at(keyAt(m_times, time));
    std::vector<Slot *> &drawOrder = skeleton.drawOrder();
    const auto &slotList = skeleton.slotList();
    for (size_t i = 0; i < drawOrder.size(); ++i)
        drawOrder[i] = slotList.at(order.isEmpty() ? i : size_t(order.at(int(i)))).get();
}

DeformTimeline::DeformTimeline(int slotIndex, const Attachment *attachment, int frameCount)
    : m_slot(slotIndex), m_attachment(attachment)
{
    m_times.resize(frameCount);
    m_vertices.resize(frameCount);
    m_curves.resize(frameCount);
}

void DeformTimeline::setFrame(int frame, float time, const QVector<float> &vertices)
{
    m_times[frame] = time;
    m_vertices[frame] = vertices;
}

void DeformTimeline::apply(Skeleton &skeleton, float, float time, std::vector<Event> *, float alpha) const
{
    Slot &slot = *skeleton.slotList().at(m_slot);
    if (slot.attachment != m_attachment || m_times.isEmpty() || time < m_times.first())
        return;
    const int count = m_vertices.first().size();
    // Never mix towards vertices that were not there before.
    if (slot.attachmentVertices.size() != count) {
        slot.attachmentVertices.resize(count);
        alpha = 1;
    }
    float *out = slot.attachmentVertices.data();
    const int last = m_times.size() - 1;
    if (time >= m_times.at(last)) {
        const QVector<float> &target = m_vertices.at(last);
        for (int i = 0; i < count; ++i)
            out[i] += (target.at(i) - out[i]) * alpha;
        return;
    }
    const int frame = keyAt(m_times, time);
    const float span = m_times.at(frame + 1) - m_times.at(frame);
    const float linear = span > 0 ? qBound(0.0f, (time - m_times.at(frame)) / span, 1.0f) : 1;
    const float percent = m_curves.percent(frame, linear);
    const QVector<float> &from = m_vertices.at(frame);
    const QVector<float> &to = m_vertices.at(frame + 1);
    for (int i = 0; i < count; ++i) {
        const float value = from.at(i) + (to.at(i) - from.at(i)) * percent;
        out[i] += (value - out[i]) * alpha;
    }
}

Animation::Animation(const QString &name, std::vector<std::unique_ptr<Timeline>> timelines)
    : m_name(name), m_timelines(std::move(timelines))
{
    for (const auto &timeline : m_timelines)
        m_duration = qMax(m_duration, timeline->duration());
}

void Animation::mix(Skeleton &skeleton, float lastTime, float time, bool loop, std::vector<Event> *events,
                    float alpha) const
{
    if (loop && m_duration > 0) {
        time = std::fmod(time, m_duration);
        // Before the first pose lastTime is negative and must stay so.
        if (lastTime >= 0)
            lastTime = std::fmod(lastTime, m_duration);
    }
    for (const auto &timeline : m_timelines)
        timeline->apply(skeleton, lastTime, time, events, alpha);
}

} // namespace spine
