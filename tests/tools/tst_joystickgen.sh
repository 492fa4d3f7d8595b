#!/bin/bash
# The thumb-stick pictures in the framework's resources are what their generator
# draws, and the generator refuses a bad command line without writing anything.
set -u
build="${1:?build dir}"
gen="$build/bin/zarno-joystickgen"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$gen" "$work/out" || fail "generator run"
for name in joystick_background joystick_thumb; do
    # Compare pixels, not bytes, so a different zlib does not matter.
    if [ "$(convert "$work/out/$name.png" rgba:- | md5sum)" != "$(convert "qml/Zarno/input/$name.png" rgba:- | md5sum)" ]; then
        fail "$name.png differs from its generator's output: run $gen qml/Zarno/input"
    fi
done
[ "$(identify -format '%wx%h' "$work/out/joystick_background.png")" = 256x256 ] || fail "pad size"
[ "$(identify -format '%wx%h' "$work/out/joystick_thumb.png")" = 128x128 ] || fail "thumb size"

"$gen" >/dev/null 2>&1 && fail "no output folder accepted"
touch "$work/file"
"$gen" "$work/file/sub" >/dev/null 2>&1 && fail "unusable output folder accepted"
exit $failed
