#ifndef BENCHROW_H
#define BENCHROW_H

#include <cstdio>

// One machine-readable result line beside a benchmark's own table, collected by
// scripts/run-bench.sh over repeated runs: the measure, our figure and the figure
// of the floor or peer it is compared with (same unit, lower is better).
inline void benchRow(const char *measure, double ours, double floor, const char *unit)
{
    std::printf("BENCH|%s|%.6g|%.6g|%s\n", measure, ours, floor, unit);
    std::fflush(stdout);
}

#endif
