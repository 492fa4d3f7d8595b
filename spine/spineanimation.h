#ifndef SPINEANIMATION_H
#define SPINEANIMATION_H

#include <QString>
#include <QVector>

#include <memory>
#include <vector>

namespace spine {

class Skeleton;
struct Attachment;
struct EventData;

// One firing of an event key; values may override the event's defaults.
struct Event
{
    const EventData *data = nullptr;
    float time = 0;
    int intValue = 0;
    float floatValue = 0;
    QString stringValue;
};

// How the value moves from one key to the next.
class Curves
{
public:
    void resize(int frames) { m_curves.resize(frames); }
    void setLinear(int frame) { m_curves[frame] = {Linear, {}}; }
    void setStepped(int frame) { m_curves[frame] = {Stepped, {}}; }
    void setBezier(int frame, float cx1, float cy1, float cx2, float cy2)
    {
        m_curves[frame] = {Bezier, {cx1, cy1, cx2, cy2}};
    }
    // Maps the linear progress between key frame and the next one.
    float percent(int frame, float linear) const;

private:
    enum Type { Linear, Stepped, Bezier };
    struct Curve
    {
        Type type = Linear;
        float points[4];
    };
    QVector<Curve> m_curves;
};

class Timeline
{
public:
    virtual ~Timeline() = default;
    // Poses the skeleton at time; keys passed since lastTime add their events.
    // alpha 1 sets the keyed values, less mixes them into the current pose.
    virtual void apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
                       float alpha) const = 0;
    virtual float duration() const = 0;
};

// Key times with a fixed number of values each (rotate: angle; translate and
// scale: x, y; colour: r, g, b, a; IK: mix, bend direction).
class CurveTimeline : public Timeline
{
public:
    enum Kind { Rotate, Translate, Scale, Color, Ik };
    CurveTimeline(Kind kind, int target, int frameCount);

    void setFrame(int frame, float time, const QVector<float> &values);
    Curves &curves() { return m_curves; }
    void apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
               float alpha) const override;
    float duration() const override { return m_times.isEmpty() ? 0 : m_times.last(); }

private:
    Kind m_kind;
    int m_target; // bone, slot or IK constraint index
    int m_valueCount;
    QVector<float> m_times;
    QVector<float> m_values;
    Curves m_curves;
};

class AttachmentTimeline : public Timeline
{
public:
    AttachmentTimeline(int slotIndex, int frameCount);
    void setFrame(int frame, float time, const QString &attachmentName);
    void apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
               float alpha) const override;
    float duration() const override { return m_times.isEmpty() ? 0 : m_times.last(); }

private:
    int m_slot;
    QVector<float> m_times;
    QVector<QString> m_names;
};

class EventTimeline : public Timeline
{
public:
    explicit EventTimeline(int frameCount);
    void setFrame(int frame, const Event &event);
    void apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
               float alpha) const override;
    float duration() const override { return m_events.empty() ? 0 : m_events.back().time; }

private:
    std::vector<Event> m_events;
};

class DrawOrderTimeline : public Timeline
{
public:
    explicit DrawOrderTimeline(int frameCount);
    // An empty order restores the setup order.
    void setFrame(int frame, float time, const QVector<int> &slotOrder);
    void apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
               float alpha) const override;
    float duration() const override { return m_times.isEmpty() ? 0 : m_times.last(); }

private:
    QVector<float> m_times;
    QVector<QVector<int>> m_orders;
};

// Moves the vertices of one mesh while it is attached to its slot.
class DeformTimeline : public Timeline
{
public:
    DeformTimeline(int slotIndex, const Attachment *attachment, int frameCount);
    void setFrame(int frame, float time, const QVector<float> &vertices);
    Curves &curves() { return m_curves; }
    void apply(Skeleton &skeleton, float lastTime, float time, std::vector<Event> *events,
               float alpha) const override;
    float duration() const override { return m_times.isEmpty() ? 0 : m_times.last(); }

private:
    int m_slot;
    const Attachment *m_attachment;
    QVector<float> m_times;
    QVector<QVector<float>> m_vertices;
    Curves m_curves;
};

class Animation
{
public:
    Animation(const QString &name, std::vector<std::unique_ptr<Timeline>> timelines);
    QString name() const { return m_name; }
    float duration() const { return m_duration; }
    // A looping animation wraps both times into its duration.
    void apply(Skeleton &skeleton, float lastTime, float time, bool loop, std::vector<Event> *events) const
    {
        mix(skeleton, lastTime, time, loop, events, 1);
    }
    void mix(Skeleton &skeleton, float lastTime, float time, bool loop, std::vector<Event> *events,
             float alpha) const;

private:
    QString m_name;
    std::vector<std::unique_ptr<Timeline>> m_timelines;
    float m_duration = 0;
};

} // namespace spine

#endif
