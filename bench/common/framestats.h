#ifndef FRAMESTATS_H
#define FRAMESTATS_H

#include <QVector>

#include <algorithm>

// Intervals between presented frames, from the times (in nanoseconds) at which a
// window swapped them; the ones before `firstFrame` (warm-up) are left out.
struct FrameStats
{
    int frames = 0;
    double meanMs = 0;
    double medianMs = 0;
};

inline FrameStats frameStats(const QVector<qint64> &swaps, int firstFrame)
{
    QVector<double> intervals;
    for (int i = std::max(firstFrame, 1); i < swaps.size(); ++i)
        intervals.append((swaps.at(i) - swaps.at(i - 1)) / 1e6);
    FrameStats stats;
    stats.frames = intervals.size();
    if (intervals.isEmpty())
        return stats;
    double sum = 0;
    for (double v : intervals)
        sum += v;
    stats.meanMs = sum / intervals.size();
    std::sort(intervals.begin(), intervals.end());
    stats.medianMs = intervals.at(intervals.size() / 2);
    return stats;
}

#endif
