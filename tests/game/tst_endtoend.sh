#!/usr/bin/env bash
# Plays Quillox the way a player does: splash, title, comic page, game, the first
# taps of a run, a land change, back to the title, the quit question (Cancel, then
# OK). Screenshots are compared at known pixels with the pictures the scenes draw,
# so a black, empty or misplaced scene fails.
# Usage: bash tests/game/tst_endtoend.sh <build dir>   (from the repository root)
# Screenshots are kept in <build dir>/endtoend-shots.
set -euo pipefail

build="${1:-build}"
game="$build/bin/quillox"
if [ ! -x "$game" ]; then
  echo "FAIL: $game does not exist; build the game first"
  exit 1
fi
if [ ! -d assets/img ] || [ ! -f assets/img/misc/comix.png ]; then
  echo "SKIP: assets/ is absent (generate the game's pictures and sounds first); nothing was tested"
  exit 0
fi
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is needed"; exit 1; }
done

shots="$(cd "$build" && pwd)/endtoend-shots"
rm -rf "$shots"
mkdir -p "$shots"

if [ "${ZARNO_ENDTOEND_INNER:-}" != 1 ]; then
  # Our own screen, so the window size and the screen density are known.
  export ZARNO_ENDTOEND_INNER=1
  exec env ZARNO_TEST_SCREEN=1280x800x24 bash "$(dirname "$0")/../../scripts/with-test-env.sh" bash "$0" "$build"
fi

export QT_QPA_PLATFORM=xcb
export LIBGL_ALWAYS_SOFTWARE=1
scratch="$(mktemp -d /tmp/quillox-e2e.XXXXXX)"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" HOME="$scratch/home"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$HOME"

"$game" >"$shots/game.log" 2>&1 &
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
  tail -n 20 "$shots/game.log" || true
  exit 1
}

alive() { kill -0 "$pid" 2>/dev/null; }

# The window is 960 x 640 at the screen's top-left corner (no window manager), and
# the game's 1920 x 1280 scenes fill it at half size: window pixel = scene unit / 2.
window=""
for _ in $(seq 300); do
  alive || fail "the game ended during start-up"
  window="$(xdotool search --onlyvisible --name '^Quillox$' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled Quillox appeared"

# A grab on a crawling X server may come out unreadable: take it again.
shot() {
  for _ in 1 2 3 4 5; do
    import -window root "$shots/$1.png" 2>/dev/null && identify "$shots/$1.png" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "no readable screenshot for $1"
}
pixel() { convert "$shots/$1.png" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }

# Expected colour of a picture that fills the window, at a window pixel; `dim` is the
# share of it left visible by an overlay (the wait screen's half-black veil).
expected() { # picture x y [dim]
  local dim="${4:-1}"
  convert "$1" -resize 960x640\! -format "%[fx:int(255*$dim*p{$2,$3}.r)] %[fx:int(255*$dim*p{$2,$3}.g)] %[fx:int(255*$dim*p{$2,$3}.b)]" info:
}

close() { # "r g b" "r g b" tolerance
  local a=($1) b=($2) tol="$3"
  for i in 0 1 2; do
    local d=$(( ${a[$i]} - ${b[$i]} ))
    [ "${d#-}" -le "$tol" ] || return 1
  done
}

# Compares a screenshot with a picture at several points; most must agree (a few
# may fall on an animated detail).
matches() { # shot picture dim need x,y...
  local name="$1" picture="$2" dim="$3" need="$4"
  shift 4
  local good=0 total=0
  for point in "$@"; do
    local x="${point%,*}" y="${point#*,}"
    local got want
    got="$(pixel "$name" "$x" "$y")"
    want="$(expected "$picture" "$x" "$y" "$dim")"
    total=$((total + 1))
    if close "$got" "$want" 40; then good=$((good + 1)); else echo "  $name at $x,$y: got $got, expected $want"; fi
  done
  echo "$name: $good of $total points match $(basename "$picture")"
  [ "$good" -ge "$need" ]
}

# Waits (up to $2 s) for the screen to match a scene.
await() { # seconds name picture dim need points...
  local seconds="$1"
  shift
  local deadline=$((SECONDS + seconds))
  while :; do
    alive || fail "the game ended"
    shot "$1"
    if matches "$@" >"$shots/$1.txt"; then cat "$shots/$1.txt"; return 0; fi
    [ "$SECONDS" -lt "$deadline" ] || { cat "$shots/$1.txt"; return 1; }
    sleep 0.3
  done
}

click() { xdotool mousemove --sync "$1" "$2" click 1; }
key() { xdotool windowfocus --sync "$window" 2>/dev/null || true; xdotool key --clearmodifiers "$1"; }

points_page="100,100 860,100 100,560 860,560 200,420 760,420 480,600"
# The sky of the land layers' back layer, between the hearts and the roulette; the
# other layers are clear there.
points_sky="350,75 420,110 300,130 470,60"

# 1. Splash: white over the whole window once the first frame is drawn.
splash_pixels=""
for _ in $(seq 60); do
  alive || fail "the game ended during start-up"
  shot splash
  splash_pixels="$(pixel splash 480 320) / $(pixel splash 20 20) / $(pixel splash 940 620)"
  [ "$splash_pixels" != "0 0 0 / 0 0 0 / 0 0 0" ] && break
  sleep 0.2
done
echo "splash: $splash_pixels"
[ "$splash_pixels" = "255 255 255 / 255 255 255 / 255 255 255" ] || fail "the splash is not white: $splash_pixels"

# 2. Title screen.
await 120 title assets/img/misc/comix.png 1 6 $points_page || fail "the title screen did not show"

# 3. Comic page.
click 480 320
await 30 comic assets/img/misc/background.png 1 6 $points_page || fail "a tap on the title did not show the comic page"

# 4. Game scene behind the wait screen: the starting land's sky, veiled by half.
click 480 320
await 30 wait assets/img/bkg/bkg-5-0.png 0.5 3 $points_sky || fail "a tap on the comic page did not show the game's wait screen"

# 5. First tap: the veil fades; second tap starts the run.
# The veil fades in 250 ms. On a crawling machine the wait screen may have matched while
# still fading in, before the scene took taps; if nothing happened for long, tap once more.
click 480 320
if ! await 20 play assets/img/bkg/bkg-5-0.png 1 3 $points_sky; then
  echo "the veil stayed; tapping again"
  click 480 320
  await 30 play assets/img/bkg/bkg-5-0.png 1 3 $points_sky || fail "the wait screen did not go away after a tap"
fi
# The sky as it stands once the veil is gone (the match above allows a veil still fading).
sleep 1
shot play
sky="$(pixel play 350 75)"
click 480 320
started="$(date +%s.%N)"

# 6. The portal arrives after about 4.7 s of game time and the land changes: the sky
# changes. A frame advances the game by 0.1 s at most, so on a busy machine drawing
# few frames the game's time runs slow: wait long enough for that.
elapsed() { awk -v now="$(date +%s.%N)" -v start="$started" 'BEGIN { printf "%.2f", now - start }'; }
changed=""
while awk -v t="$(elapsed)" 'BEGIN { exit !(t <= 60) }'; do
  alive || fail "the game ended during the run"
  shot run
  # The time of the screenshot, not of the comparison after it.
  taken="$(elapsed)"
  now="$(pixel run 350 75)"
  if ! close "$now" "$sky" 12; then changed="$(printf %.1f "$taken")"; break; fi
  sleep 0.2
done
[ -n "$changed" ] || fail "no land change within 60 s of the first tap of the run"
# The next land is read in the background and shown once read: never a blank sky.
[ "$now" != "0 0 0" ] || fail "the sky went black at the land change"
echo "land change after about $changed s (sky $sky -> $now)"
cp "$shots/run.png" "$shots/landchange.png"

# 7. Back (Backspace on the desktop) returns to the title screen. Without a window
# manager a key may go nowhere while the focus is still being given: after long
# enough for even a crawling game to have handled it, press once more.
key BackSpace
if ! await 60 back assets/img/misc/comix.png 1 6 $points_page; then
  key BackSpace
  await 30 back assets/img/misc/comix.png 1 6 $points_page || fail "back in the game did not return to the title screen"
fi

# 8. Back on the title asks before quitting: Cancel keeps the game, OK ends it.
ask() {
  key BackSpace
  local box=""
  for _ in $(seq 300); do
    # The box's title may be set only as a UTF-8 name, which --name '.' misses.
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null || true); do
      [ "$w" = "$window" ] && continue
      size="$(xdotool getwindowgeometry "$w" 2>/dev/null | awk '/Geometry/ {print $2}' || true)"
      [ -n "$size" ] || continue
      if [ "${size%x*}" -gt 50 ] && [ "${size%x*}" -lt 1280 ]; then box="$w"; break; fi
    done
    [ -n "$box" ] && break
    sleep 0.1
  done
  if [ -z "$box" ]; then
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      echo "window $w '$(xdotool getwindowname "$w" 2>/dev/null)' $(xdotool getwindowgeometry "$w" 2>/dev/null | awk '/Geometry/ {print $2}')"
    done
    shot "question-missing"
    fail "back on the title screen asked nothing"
  fi
  shot "question-$1"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  xdotool key --window "$box" --clearmodifiers "$1" 2>/dev/null || xdotool key "$1"
}
ask Escape
sleep 1
alive || fail "Cancel on the quit question ended the game"
await 20 cancelled assets/img/misc/comix.png 1 6 $points_page || fail "the title screen is gone after Cancel"
ask Return
for _ in $(seq 100); do alive || break; sleep 0.1; done
alive && fail "OK on the quit question did not end the game"
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "PASS: splash, title, comic, wait screen, run, land change after ${changed} s, back, quit question"
