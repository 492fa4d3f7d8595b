#!/usr/bin/env bash
# kill -9 at random moments while the settings database, a level store and a file written
# through fileUtils are written over and over: after every kill the store holds the last
# value written or the one being written, whole, never anything else.
# ZARNO_KILL_TRIALS kill trials per store (5 in the suite; the long run uses 100 and more).
set -euo pipefail
build="${1:-build}"
writer="$build/bin/zarno-killwriter"
trials="${ZARNO_KILL_TRIALS:-5}"
work="$(mktemp -d /tmp/zarno-kill.XXXXXX)"
trap 'rm -rf "$work"' EXIT
failed=0
for store in settings levels file; do
  dir="$work/$store"
  mkdir -p "$dir"
  next=1
  corrupt=0
  for trial in $(seq "$trials"); do
    out="$dir/written"
    : >"$out"
    "$writer" "$store" "$dir" write "$next" >"$out" 2>"$dir/log" &
    pid=$!
    # Kill only once writing has begun: the first value is through, the next under way.
    for _ in $(seq 600); do
      [ -s "$out" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    sleep "0.$(printf '%03d' $((RANDOM % 500)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    last="$(grep -E '^[0-9]+$' "$out" | tail -n1 || true)"
    if [ -z "$last" ]; then
      echo "$store trial $trial: the writer wrote nothing"; cat "$dir/log"
      failed=1
      break
    fi
    if ! result="$("$writer" "$store" "$dir" check "$last" 2>>"$dir/log")"; then
      echo "$store trial $trial (last written $last): $result"
      corrupt=$((corrupt + 1))
    fi
    next=$((last + 2))
  done
  echo "$store: $trials kill -9 trials, $corrupt corrupt, last value $last"
  [ "$corrupt" -eq 0 ] || failed=1
done
exit "$failed"
