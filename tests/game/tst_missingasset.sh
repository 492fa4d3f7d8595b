#!/usr/bin/env bash
# A game whose asset folder lacks some files (a picture of the starting land, the
# tentacle, the font, the music, a sound) still starts, plays a run and only warns.
# Usage: bash tests/game/tst_missingasset.sh <build dir>   (from the repository root)
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
game="$build/bin/quillox"
[ -x "$game" ] || { echo "FAIL: $game does not exist; build the game first"; exit 1; }
if [ ! -f assets/img/misc/comix.png ]; then
  echo "SKIP: assets/ is absent (generate the game's pictures and sounds first); nothing was tested"
  exit 0
fi

if [ "${ZARNO_MISSINGASSET_INNER:-}" != 1 ]; then
  export ZARNO_MISSINGASSET_INNER=1
  exec env ZARNO_TEST_SCREEN=1280x800x24 bash "$(dirname "$0")/../../scripts/with-test-env.sh" bash "$0" "$build"
fi

scratch="$(mktemp -d /tmp/quillox-missing.XXXXXX)"
shots="$build/missingasset-shots"
rm -rf "$shots"
mkdir -p "$shots"
# The game finds assets/ beside its working directory: a copy made of links, with holes.
cp -rs "$(pwd)/assets" "$scratch/assets"
find "$scratch/assets" \( -name tantacle.png -o -name 'bkg-5-2.png' -o -name ariblk.ttf \
  -o -name background.mp3 -o -name click.wav \) -delete
missing="$(find "$scratch/assets" -name tantacle.png | wc -l)"
[ "$missing" -eq 0 ] || { echo "FAIL: could not remove the files"; exit 1; }

export QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch/home"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$HOME"
(cd "$scratch" && exec "$game") >"$shots/game.log" 2>&1 &
pid=$!
cleanup() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -rf "$scratch"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; tail -n 20 "$shots/game.log"; exit 1; }
alive() { kill -0 "$pid" 2>/dev/null; }
# A grab on a crawling X server may come out unreadable: take it again.
shot() {
  for _ in 1 2 3 4 5; do
    import -window root "$shots/$1.png" 2>/dev/null && identify "$shots/$1.png" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "no readable screenshot for $1"
}
pixel() { convert "$shots/$1.png" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }

# Waits until the centre of the window shows something other than the white splash.
for _ in $(seq 600); do
  alive || fail "the game ended during start-up"
  if xdotool search --onlyvisible --name '^Quillox$' >/dev/null 2>&1; then
    shot start
    case "$(pixel start 480 320)" in "255 255 255"|"0 0 0") ;; *) break ;; esac
  fi
  sleep 0.2
done

for step in comic game wait run; do
  xdotool mousemove --sync 480 320 click 1
  sleep 3
  alive || fail "the game ended after the tap for the $step step"
done
# A busy machine may take long to draw the run's first frames: wait for them.
sky="0 0 0"
for _ in $(seq 60); do
  sleep 1
  alive || fail "the game ended during the run"
  shot run
  sky="$(pixel run 350 75)"
  [ "$sky" != "0 0 0" ] && break
done
[ "$sky" != "0 0 0" ] || fail "the game scene is black"
grep -q "tantacle.png" "$shots/game.log" || fail "no warning names the missing tentacle picture"
echo "the run went on without the missing files; warnings:"
grep -i "cannot open\|tantacle\|click.wav\|background.mp3\|ariblk" "$shots/game.log" | sort -u | head -n 8
echo "PASS"
