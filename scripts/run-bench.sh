#!/usr/bin/env bash
# Builds the benchmarks and prints one table of every measure: our figure, the
# floor or peer figure from the same run, and their ratio, as median and spread
# over repeated runs. Usage: scripts/run-bench.sh [repeats, default 3] [name pattern]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || bash scripts/build.sh
targets=$(cd bench && ls */bench_*.cpp | sed 's|.*/||; s|\.cpp$||')
cmake --build build -j2 --target zarno-qmltest quillox $targets >/dev/null
exec python3 scripts/run-bench.py "$@"
