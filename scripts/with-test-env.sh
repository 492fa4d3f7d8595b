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
  # The sound server may still be writing into the runtime folder as it ends.
  rm -rf "$scratch" 2>/dev/null || { sleep 1; rm -rf "$scratch" 2>/dev/null || true; }
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
  # -displayfd picks a free display number itself (no race with other servers
  # starting at the same moment); -noreset keeps the server up between two
  # tests, when no client is connected (a reset refuses new clients meanwhile).
  exec 5>"$scratch/display"
  Xvfb -displayfd 5 -screen 0 "${ZARNO_TEST_SCREEN:-1280x1024x24}" -nolisten tcp -noreset +extension GLX \
    >"$scratch/xvfb.log" 2>&1 &
  pids+=($!)
  exec 5>&-
  for _ in $(seq 300); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  if [ ! -s "$scratch/display" ]; then
    echo "with-test-env: Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n1 "$scratch/display")"
  # Run nothing before the server takes connections.
  ready=""
  for _ in $(seq 300); do
    if xdpyinfo >/dev/null 2>&1; then ready=1; break; fi
    sleep 0.1
  done
  if [ -z "$ready" ]; then
    echo "with-test-env: the X server on $DISPLAY accepts no connection" >&2
    exit 1
  fi
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
