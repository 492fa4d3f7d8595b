#ifndef SPINEANIMATIONSTATE_H
#define SPINEANIMATIONSTATE_H

#include "spine/spineanimation.h"

#include <QHash>
#include <QPair>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace spine {

class SkeletonData;

// Cross-fade durations between pairs of animations.
class AnimationStateData
{
public:
    explicit AnimationStateData(const SkeletonData *data) : m_data(data) {}
    const SkeletonData *skeletonData() const { return m_data; }
    // False when either animation does not exist.
    bool setMix(const QString &from, const QString &to, float duration);
    void setMix(const Animation *from, const Animation *to, float duration);
    float mix(const Animation *from, const Animation *to) const;
    float defaultMix = 0;

private:
    const SkeletonData *m_data;
    QHash<QPair<const Animation *, const Animation *>, float> m_mixes;
};

struct TrackEntry
{
    const Animation *animation = nullptr;
    bool loop = false;
    float delay = 0;
    float time = 0;
    float lastTime = -1; // negative until first applied, so keys at 0 fire
    float endTime = 0;
    float timeScale = 1;
    float mixTime = 0, mixDuration = 0;
    float mix = 1;
    std::shared_ptr<TrackEntry> previous;
    std::shared_ptr<TrackEntry> next;
};

// Plays animations on numbered tracks (higher tracks pose over lower ones),
// queues animations after each other and fades between them.
class AnimationState
{
public:
    enum EventType { Start, End, Complete, EventFired };
    // loopCount is for Complete, event for EventFired.
    using Listener = std::function<void(int trackIndex, EventType type, const Event *event, int loopCount)>;

    explicit AnimationState(const AnimationStateData *data);

    void setListener(Listener listener) { m_listener = std::move(listener); }
    void update(float delta);
    void apply(Skeleton &skeleton);
    TrackEntry *setAnimation(int trackIndex, const Animation *animation, bool loop);
    // delay <= 0 starts the animation when the one before it ends (less the mix).
    TrackEntry *addAnimation(int trackIndex, const Animation *animation, bool loop, float delay);
    void clearTracks();
    void clearTrack(int trackIndex);
    TrackEntry *current(int trackIndex) const;
    int trackCount() const { return int(m_tracks.size()); }
    float timeScale = 1;

private:
    struct Notification
    {
        int track;
        EventType type;
        Event event;
        int loopCount;
    };
    void setCurrent(int index, std::shared_ptr<TrackEntry> entry);
    std::shared_ptr<TrackEntry> &track(int index);
    void notify(int track, EventType type, const Event *event = nullptr, int loopCount = 0);
    void deliver();

    const AnimationStateData *m_data;
    std::vector<std::shared_ptr<TrackEntry>> m_tracks;
    std::vector<Event> m_events;
    Listener m_listener;
    // Listeners run only after the state is consistent, and may call back into
    // it (set animations, clear tracks): their calls queue more notifications.
    std::deque<Notification> m_pending;
    bool m_delivering = false;
};

} // namespace spine

#endif
