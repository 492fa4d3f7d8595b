#!/usr/bin/env bash
# Runs a command with what the tests need: an X server (Xvfb, Mesa), a PulseAudio
# daemon with a null sink, and a scratch XDG_DATA_HOME so runs never share a
# settings database. Everything started here is stopped on exit.
set -euo pipefail
scratch="$(mktemp -d /tmp/zarno-test.XXXXXX)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "${PULSE_STARTED:-}" ] && pulseaudio --kill 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

export XDG_DATA_HOME="$scratch/data"
export XDG_CONFIG_HOME="$scratch/config"
export XDG_CACHE_HOME="$scratch/cache"
export XDG_RUNTIME_DIR="$scratch/runtime"
export HOME="${ZARNO_TEST_HOME:-$scratch/home}"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

if [ -z "${ZARNO_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
  exec 5>"$scratch/display"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp +extension GLX >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$scratch/display")"
fi
export QT_QPA_PLATFORM=xcb
export LIBGL_ALWAYS_SOFTWARE=1

if command -v pulseaudio >/dev/null; then
  if pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit --system=no \
       -n --load="module-null-sink sink_name=zarno_null" --load="module-native-protocol-unix" \
       >/dev/null 2>&1; then
    PULSE_STARTED=1
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
  else
    echo "with-test-env: PulseAudio did not start; audio tests will report no device" >&2
  fi
fi

"$@"
