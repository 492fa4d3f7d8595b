#include "spineanimationstate.h"

#include "spine/spineskeletondata.h"

#include <cmath>

namespace spine {

bool AnimationStateData::setMix(const QString &from, const QString &to, float duration)
{
    const Animation *a = m_data->findAnimation(from);
    const Animation *b = m_data->findAnimation(to);
    if (!a || !b)
        return false;
    setMix(a, b, duration);
    return true;
}

void AnimationStateData::setMix(const Animation *from, const Animation *to, float duration)
{
    m_mixes.insert(qMakePair(from, to), duration);
}

float AnimationStateData::mix(const Animation *from, const Animation *to) const
{
    return m_mixes.value(qMakePair(from, to), defaultMix);
}

AnimationState::AnimationState(const AnimationStateData *data)
    : m_data(data)
{
}

std::shared_ptr<TrackEntry> &AnimationState::track(int index)
{
    if (index >= int(m_tracks.size()))
        m_tracks.resize(size_t(index) + 1);
    return m_tracks[size_t(index)];
}

TrackEntry *AnimationState::current(int trackIndex) const
{
    return trackIndex >= 0 && trackIndex < int(m_tracks.size()) ? m_tracks[size_t(trackIndex)].get() : nullptr;
}

void AnimationState::notify(int trackIndex, EventType type, const Event *event, int loopCount)
{
    m_pending.push_back({trackIndex, type, event ? *event : Event(), loopCount});
}

void AnimationState::deliver()
{
    if (m_delivering)
        return;
    m_delivering = true;
    while (!m_pending.empty()) {
        const Notification n = m_pending.front();
        m_pending.pop_front();
        if (m_listener)
            m_listener(n.track, n.type, n.type == EventFired ? &n.event : nullptr, n.loopCount);
    }
    m_delivering = false;
}

void AnimationState::update(float delta)
{
    delta *= timeScale;
    for (size_t i = 0; i < m_tracks.size(); ++i) {
        const std::shared_ptr<TrackEntry> current = m_tracks[i];
        if (!current)
            continue;
        const float trackDelta = delta * current->timeScale;
        current->time += trackDelta;
        if (current->previous) {
            const float previousDelta = delta * current->previous->timeScale;
            current->previous->time += previousDelta;
            current->mixTime += previousDelta;
        }
        if (const std::shared_ptr<TrackEntry> next = current->next) {
            next->time = current->lastTime - next->delay;
            if (next->time >= 0)
                setCurrent(int(i), next);
        } else if (!current->loop && current->lastTime >= current->endTime) {
            m_tracks[i].reset();
            notify(int(i), End);
        }
    }
    deliver();
}

void AnimationState::apply(Skeleton &skeleton)
{
    for (size_t i = 0; i < m_tracks.size(); ++i) {
        const std::shared_ptr<TrackEntry> current = m_tracks[i];
        if (!current)
            continue;
        m_events.clear();
        float time = current->time;
        const float lastTime = current->lastTime;
        const float endTime = current->endTime;
        const bool loop = current->loop;
        if (!loop && time > endTime)
            time = endTime;

        if (const std::shared_ptr<TrackEntry> previous = current->previous) {
            float previousTime = previous->time;
            if (!previous->loop && previousTime > previous->endTime)
                previousTime = previous->endTime;
            previous->animation->apply(skeleton, previousTime, previousTime, previous->loop, nullptr);
            float alpha = current->mixDuration > 0 ? current->mixTime / current->mixDuration * current->mix : 1;
            if (alpha >= 1) {
                alpha = 1;
                current->previous.reset();
            }
            current->animation->mix(skeleton, lastTime, time, loop, &m_events, alpha);
        } else if (current->mix == 1) {
            current->animation->apply(skeleton, lastTime, time, loop, &m_events);
        } else {
            current->animation->mix(skeleton, lastTime, time, loop, &m_events, current->mix);
        }

        for (const Event &event : m_events)
            notify(int(i), EventFired, &event);

        // A loop ended or the animation reached its end since the last pose.
        if (endTime > 0) {
            const bool completed = loop ? std::fmod(lastTime, endTime) > std::fmod(time, endTime)
                                        : lastTime < endTime && time >= endTime;
            if (completed)
                notify(int(i), Complete, nullptr, int(time / endTime));
        }
        current->lastTime = current->time;
    }
    deliver();
}

void AnimationState::setCurrent(int index, std::shared_ptr<TrackEntry> entry)
{
    std::shared_ptr<TrackEntry> &slot = track(index);
    const std::shared_ptr<TrackEntry> current = slot;
    if (current) {
        std::shared_ptr<TrackEntry> previous = current->previous;
        current->previous.reset();
        notify(index, End);
        entry->mixDuration = m_data->mix(current->animation, entry->animation);
        if (entry->mixDuration > 0) {
            entry->mixTime = 0;
            // Fading out of a fade that is still mostly the old animation:
            // keep fading from that one.
            if (previous && current->mixDuration > 0 && current->mixTime / current->mixDuration < 0.5f)
                entry->previous = previous;
            else
                entry->previous = current;
        }
    }
    slot = entry;
    notify(index, Start);
}

TrackEntry *AnimationState::setAnimation(int trackIndex, const Animation *animation, bool loop)
{
    if (trackIndex < 0 || !animation)
        return nullptr;
    auto entry = std::make_shared<TrackEntry>();
    entry->animation = animation;
    entry->loop = loop;
    entry->endTime = animation->duration();
    // Queued entries of the replaced one are dropped with it.
    if (const std::shared_ptr<TrackEntry> current = track(trackIndex))
        current->next.reset();
    setCurrent(trackIndex, entry);
    deliver();
    return entry.get();
}

TrackEntry *AnimationState::addAnimation(int trackIndex, const Animation *animation, bool loop, float delay)
{
    if (trackIndex < 0 || !animation)
        return nullptr;
    auto entry = std::make_shared<TrackEntry>();
    entry->animation = animation;
    entry->loop = loop;
    entry->endTime = animation->duration();

    std::shared_ptr<TrackEntry> last = track(trackIndex);
    if (last) {
        while (last->next)
            last = last->next;
        last->next = entry;
    }
    if (delay <= 0) {
        if (last)
            delay += last->endTime - m_data->mix(last->animation, animation);
        else
            delay = 0;
    }
    entry->delay = delay;
    if (!last)
        setCurrent(trackIndex, entry);
    deliver();
    return entry.get();
}

void AnimationState::clearTracks()
{
    for (size_t i = 0; i < m_tracks.size(); ++i) {
        if (m_tracks[i])
            notify(int(i), End);
    }
    m_tracks.clear();
    deliver();
}

void AnimationState::clearTrack(int trackIndex)
{
    if (trackIndex < 0 || trackIndex >= int(m_tracks.size()) || !m_tracks[size_t(trackIndex)])
        return;
    m_tracks[size_t(trackIndex)].reset();
    notify(trackIndex, End);
    deliver();
}

} // namespace spine
