#!/usr/bin/env python3
"""Runs every benchmark several times and prints one table.

Each benchmark prints, beside its own table, lines "BENCH|measure|ours|floor|unit"
(bench/common/benchrow.h; QML benchmarks log them). Rounds are interleaved (every
benchmark once, then again) so a change in the machine's load touches all of them
alike; the ratio is taken within each run, then summarised over the runs.
"""
import glob
import os
import re
import statistics
import subprocess
import sys
import time

ROW = re.compile(r"BENCH\|([^|]+)\|([^|]+)\|([^|]+)\|(\S+)")
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Another build's programs (say, one kept from before a change) can be measured
# against the same sources: ZARNO_BENCH_BIN=/elsewhere/bin scripts/run-bench.py
BIN = os.environ.get("ZARNO_BENCH_BIN", os.path.join(ROOT, "build", "bin"))
# QML benchmarks of the game measure it at the size it is tuned for.
QML_SCREEN = "960x640x24"


def benchmarks(pattern):
    found = []
    for path in sorted(glob.glob(os.path.join(BIN, "bench_*"))):
        if os.access(path, os.X_OK):
            found.append((os.path.basename(path), [path], {}))
    qmltest = os.path.join(BIN, "zarno-qmltest")
    for path in sorted(glob.glob(os.path.join(ROOT, "bench", "*", "bench_*.qml"))):
        name = os.path.splitext(os.path.basename(path))[0]
        found.append((name, [qmltest, "-input", path], {"ZARNO_TEST_SCREEN": QML_SCREEN}))
    return [b for b in found if re.search(pattern, b[0])]


def run(command, extra_env, timeout):
    env = dict(os.environ, **extra_env)
    wrapped = ["bash", os.path.join(ROOT, "scripts", "with-test-env.sh")] + command
    try:
        done = subprocess.run(wrapped, cwd=ROOT, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, universal_newlines=True)
        return done.stdout
    except subprocess.TimeoutExpired as e:
        return e.stdout or ""


def spread(values):
    return (min(values), max(values)) if values else (0.0, 0.0)


def main():
    repeats = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    pattern = sys.argv[2] if len(sys.argv) > 2 else "."
    todo = benchmarks(pattern)
    if not todo:
        print("no benchmark matches %r (build first)" % pattern, file=sys.stderr)
        return 1
    results = {}  # (benchmark, measure) -> list of (ours, floor, unit)
    order = []
    for r in range(repeats):
        for name, command, env in todo:
            started = time.time()
            out = run(command, env, 900)
            rows = 0
            for line in out.splitlines():
                m = ROW.search(line)
                if not m:
                    continue
                key = (name, m.group(1))
                if key not in results:
                    results[key] = []
                    order.append(key)
                results[key].append((float(m.group(2)), float(m.group(3)), m.group(4)))
                rows += 1
            print("round %d/%d %-28s %3d rows %6.1f s" % (r + 1, repeats, name, rows, time.time() - started),
                  file=sys.stderr, flush=True)
            if rows == 0:
                print(out[-2000:], file=sys.stderr)

    with open("/proc/loadavg") as f:
        load = f.read().split()[:3]
    print("\n%d runs each; median over runs, spread = lowest..highest; ratio = ours / floor within each run"
          % repeats)
    print("load average at the end: %s (%d cores)\n" % (" ".join(load), os.cpu_count() or 0))
    header = ("benchmark", "measure", "unit", "ours", "floor", "ratio", "ratio spread", "n")
    lines = []
    for key in order:
        samples = results[key]
        ours = [s[0] for s in samples]
        floors = [s[1] for s in samples]
        ratios = [s[0] / s[1] for s in samples if s[1] > 0]
        lo, hi = spread(ratios)
        lines.append((key[0], key[1], samples[0][2], "%.4g" % statistics.median(ours),
                      "%.4g" % statistics.median(floors), "%.2f" % (statistics.median(ratios) if ratios else 0),
                      "%.2f..%.2f" % (lo, hi), str(len(samples))))
    widths = [max(len(str(row[i])) for row in [header] + lines) for i in range(len(header))]
    for row in [header] + lines:
        print("  ".join(str(c).ljust(w) if i < 3 else str(c).rjust(w) for i, (c, w) in enumerate(zip(row, widths))))
    return 0


if __name__ == "__main__":
    sys.exit(main())
