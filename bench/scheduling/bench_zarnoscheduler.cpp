// Cost of the scheduler's frame pass per registered element, beside the floor of
// a plain loop of virtual tick() calls over the same objects. Also counts heap
// allocations made during the passes: the common case must make none.
// The floor is a loop of virtual calls: the compiler must not turn it into
// guarded direct calls to the one type it sees here, which the scheduler (in
// another translation unit) can never do.
#pragma GCC optimize("no-devirtualize-speculatively")

#include "../common/benchrow.h"
#include "scheduling/ischedulable.h"
#include "scheduling/zarnoscheduler.h"

#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

static std::atomic<long> g_allocations{0};

void *operator new(std::size_t size)
{
    ++g_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

namespace {
struct Element : ISchedulable
{
    double position = 0;
    void tick(double seconds) override { position += seconds; }
};

double sink = 0;

template<typename Pass>
double nanosecondsPerElementFrame(int count, int frames, Pass pass)
{
    pass(); // warm-up
    QElapsedTimer timer;
    timer.start();
    for (int f = 0; f < frames; ++f)
        pass();
    return double(timer.nsecsElapsed()) / (double(frames) * count);
}
}

int main()
{
    std::printf("%10s %14s %14s %8s %12s\n", "elements", "scheduler ns", "plain ns", "ratio", "allocations");
    for (int count : {10, 1000, 100000}) {
        const int frames = count >= 100000 ? 140 : (count >= 1000 ? 7000 : 210000);
        std::vector<std::unique_ptr<Element>> elements;
        std::vector<ISchedulable *> plain;
        ZarnoScheduler scheduler;
        for (int i = 0; i < count; ++i) {
            elements.push_back(std::make_unique<Element>());
            plain.push_back(elements.back().get());
            scheduler.addSchedulable(elements.back().get(), 1.0 / 60);
        }

        // Short rounds of each, alternating, keeping each one's best: on a shared
        // machine the quietest round is the closest to the true cost.
        double scheduled = 1e300, floor = 1e300;
        long allocations = 0;
        for (int round = 0; round < 7; ++round) {
            const long before = g_allocations.load();
            scheduled = std::min(scheduled, nanosecondsPerElementFrame(count, frames / 7, [&] { scheduler.advance(0.016); }));
            allocations += g_allocations.load() - before;
            floor = std::min(floor, nanosecondsPerElementFrame(count, frames / 7, [&] {
                for (ISchedulable *e : plain)
                    e->tick(0.016);
            }));
        }
        for (auto &e : elements)
            sink += e->position;
        std::printf("%10d %14.2f %14.2f %8.2f %12ld\n", count, scheduled, floor, scheduled / floor, allocations);
        char measure[64];
        std::snprintf(measure, sizeof measure, "frame pass, %d elements (vs plain loop)", count);
        benchRow(measure, scheduled, floor, "ns/element");
    }
    std::printf("(checksum %g)\n", sink);
    return 0;
}
