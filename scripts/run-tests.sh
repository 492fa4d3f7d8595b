#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
bash scripts/with-test-env.sh ctest --test-dir build --output-on-failure -j2 "$@"
