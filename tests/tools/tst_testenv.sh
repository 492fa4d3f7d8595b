#!/usr/bin/env bash
# The test environment's X server takes connections before the first command
# runs, has the asked screen size, and stays the same server between two
# clients (a server that resets itself when its last client leaves refuses
# the next one for a moment, and forgets everything set on it).
set -euo pipefail
env_script="$(dirname "$0")/../../scripts/with-test-env.sh"
out="$(ZARNO_TEST_SCREEN=640x480x24 bash "$env_script" bash -c '
  xdpyinfo | grep -o "dimensions: *[0-9x]*"
  xprop -root -f ZARNO_MARK 8s -set ZARNO_MARK kept
  sleep 0.5
  for _ in 1 2 3; do xprop -root ZARNO_MARK; sleep 0.2; done
')"
echo "$out"
grep -q "dimensions: *640x480" <<<"$out" || { echo "FAIL: the screen is not 640x480"; exit 1; }
[ "$(grep -c 'ZARNO_MARK(STRING) = "kept"' <<<"$out")" -eq 3 ] ||
  { echo "FAIL: the X server reset itself between two clients"; exit 1; }
echo "PASS"
