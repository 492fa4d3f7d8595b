#!/usr/bin/env bash
# Soak: the real game under random taps, Back and other keys for ZARNO_SOAK_SECONDS
# (120 in the suite; run longer by hand). It must never end, and its resident memory
# at the end may be at most 5 % above what it was after the first minute.
# Usage: bash tests/game/tst_soak.sh <build dir>   (from the repository root)
set -euo pipefail

build="${1:-build}"
game="$build/bin/quillox"
seconds="${ZARNO_SOAK_SECONDS:-120}"
baseline_at="${ZARNO_SOAK_BASELINE:-60}"
[ -x "$game" ] || { echo "FAIL: $game does not exist; build the game first"; exit 1; }
if [ ! -f assets/img/misc/comix.png ]; then
  echo "SKIP: assets/ is absent (generate the game's pictures and sounds first); nothing was tested"
  exit 0
fi
if [ "${ZARNO_SOAK_INNER:-}" != 1 ]; then
  export ZARNO_SOAK_INNER=1
  exec env ZARNO_TEST_SCREEN=1280x800x24 bash "$(dirname "$0")/../../scripts/with-test-env.sh" bash "$0" "$build"
fi

export QT_QPA_PLATFORM=xcb
scratch="$(mktemp -d /tmp/quillox-soak.XXXXXX)"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" HOME="$scratch/home"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$HOME"
"$game" >"$scratch/game.log" 2>&1 &
pid=$!
cleanup() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- last lines of the game's output:"
  tail -n 30 "$scratch/game.log" || true
  exit 1
}
alive() { kill -0 "$pid" 2>/dev/null; }
rss() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status"; }

window=""
for _ in $(seq 300); do
  alive || fail "the game ended during start-up"
  window="$(xdotool search --onlyvisible --name '^Quillox$' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled Quillox appeared"
read -r width height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')

# The quit question is a window of its own: Cancel it, or a stray Return would end the game.
cancel_question() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null || true); do
    [ "$w" = "$window" ] && continue
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    xdotool key --window "$w" --clearmodifiers Escape 2>/dev/null || true
  done
}
keys=(BackSpace BackSpace Escape space Return Up Down Left Right a p Tab)
start=$SECONDS
baseline=""
taps=0
presses=0
while [ $((SECONDS - start)) -lt "$seconds" ]; do
  alive || fail "the game ended after $((SECONDS - start)) s ($taps taps, $presses keys)"
  if [ -z "$baseline" ] && [ $((SECONDS - start)) -ge "$baseline_at" ]; then
    baseline="$(rss)"
    echo "resident memory after $baseline_at s: $baseline kB"
  fi
  if [ $((SECONDS - start)) -ge "${next_report:-0}" ]; then
    echo "$((SECONDS - start)) s: $(rss) kB resident"
    next_report=$((SECONDS - start + 15))
  fi
  if [ $((RANDOM % 5)) -eq 0 ]; then
    key="${keys[RANDOM % ${#keys[@]}]}"
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool key --clearmodifiers "$key" 2>/dev/null || true
    presses=$((presses + 1))
    case "$key" in BackSpace|Escape) sleep 0.3; cancel_question ;; esac
  else
    xdotool mousemove --window "$window" $((RANDOM % width)) $((RANDOM % height)) click 1 2>/dev/null || true
    taps=$((taps + 1))
  fi
  [ $((taps % 25)) -eq 0 ] && cancel_question
  sleep 0.0$((RANDOM % 10))
done
alive || fail "the game ended at the end of the soak"
final="$(rss)"
echo "soak of $seconds s: $taps taps, $presses keys; resident memory $baseline kB after $baseline_at s, $final kB at the end"
[ -n "$baseline" ] || fail "the soak ended before the first minute was over"
[ $((final * 100)) -le $((baseline * 105)) ] || fail "resident memory grew by more than 5 % ($baseline kB -> $final kB)"
echo "PASS"
