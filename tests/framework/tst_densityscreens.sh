#!/usr/bin/env bash
# The plain image name resolves to the density each screen size warrants, and the
# image keeps its logical size on every one (sd below 960 px, hd2 from 1344 px).
set -euo pipefail
build="${1:?build directory}"
for screen in 640x480 1920x1080; do
  echo "screen $screen"
  ZARNO_TEST_SCREEN="${screen}x24" bash "$(dirname "$0")/../../scripts/with-test-env.sh" \
    "$build/bin/tst_multiresolution" interceptedImage imageKeepsLogicalSize sequenceKeepsLogicalSize factorFollowsLoadedFile sequenceFollowsAbsoluteStrip
done
