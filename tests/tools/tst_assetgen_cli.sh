#!/bin/bash
# The asset generator as the build runs it: partial runs, failures that must
# not leave a stamp (so the next build tries again) nor half files, removal of
# densities that no longer ship, and repeatable output.
set -u
build="${1:?build dir}"
gen="$build/bin/quillox-assetgen"
font=/usr/share/fonts/truetype/lato/Lato-Black.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() { # description, command...
    local what="$1"
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}
size() { identify -format '%wx%h' "$1" 2>/dev/null; }

# A partial run writes just the chosen images, in every density that fits, and no stamp.
out="$work/partial"
"$gen" --font "$font" --only img/misc/coin "$out" >/dev/null 2>&1
check "partial run succeeds" test $? -eq 0
check "coin sd 80x80" test "$(size "$out/img/misc/coin.png")" = 80x80
check "coin +hd 160x160" test "$(size "$out/img/misc/+hd/coin.png")" = 160x160
check "coin +hd2 320x320" test "$(size "$out/img/misc/+hd2/coin.png")" = 320x320
check "partial run leaves no stamp" test ! -e "$out/.assetgen-stamp"
check "partial run writes no sounds" test ! -e "$out/sound"

# A density too large for one texture is not written, and one left by an older
# generator is removed so the loader cannot pick it.
mkdir -p "$out/img/heroes/+hd" "$out/img/heroes/+hd2"
echo stale > "$out/img/heroes/+hd/hero-0.png"
echo stale > "$out/img/heroes/+hd2/hero-0.png"
"$gen" --font "$font" --only heroes/hero-0 "$out" >/dev/null 2>&1
check "hero strip sd 5120x265" test "$(size "$out/img/heroes/hero-0.png")" = 5120x265
check "stale +hd hero removed" test ! -e "$out/img/heroes/+hd/hero-0.png"
check "stale +hd2 hero removed" test ! -e "$out/img/heroes/+hd2/hero-0.png"

# Output is the same from run to run (fixed seeds, no dependence on thread order).
"$gen" --font "$font" --only img/misc/sign "$work/a" >/dev/null 2>&1
"$gen" --font "$font" --only img/misc/sign "$work/b" >/dev/null 2>&1
check "repeatable output" diff -r "$work/a" "$work/b"

# A failing encoder fails the run: no stamp, no half-written music, the rest written.
out="$work/nolame"
mkdir -p "$out" && echo old > "$out/.assetgen-stamp"
"$gen" --font "$font" --lame "$work/no-such-encoder" --no-images "$out" >"$work/log" 2>&1
check "missing encoder fails the run" test $? -ne 0
check "missing encoder is reported" grep -q "MP3 encoding" "$work/log"
check "failed run removes the stamp" test ! -e "$out/.assetgen-stamp"
check "no partial music left" test -z "$(ls "$out/music")"
check "sounds still written" test -s "$out/sound/click.wav"
check "font installed" cmp -s "$font" "$out/font/ariblk.ttf"

# A font that cannot be loaded and an output folder that cannot be created fail cleanly.
"$gen" --font "$work/log" --only img/misc/coin "$work/badfont" >"$work/log2" 2>&1
check "unloadable font fails the run" test $? -eq 1
check "unloadable font is reported" grep -q "cannot load font" "$work/log2"
echo blocker > "$work/file"
"$gen" --font "$font" --only img/misc/coin "$work/file" >"$work/log3" 2>&1
check "unwritable output fails without crashing" test $? -eq 1

echo "$passed passed, $failed failed"
test "$failed" -eq 0
