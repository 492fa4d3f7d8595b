#!/usr/bin/env bash
# The game's and the framework's documents are compiled into the executable: started
# from an empty folder (everything served from the resources) with an empty disk
# cache, the game reaches its title screen without compiling any of them, so the
# engine's disk cache gets no entry for them. The start-up trace must report the title.
# Usage: bash tests/app/tst_compiledqml.sh <build dir>   (from the repository root, with a display)
set -euo pipefail

build="$(cd "${1:-build}" && pwd)"
game="$build/bin/quillox"
[ -x "$game" ] || { echo "FAIL: $game does not exist; build the game first"; exit 1; }
source_dir="$(pwd)"
scratch="$(mktemp -d /tmp/quillox-compiled.XXXXXX)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
mkdir "$scratch/run" "$scratch/cache"

cd "$scratch/run"
XDG_CACHE_HOME="$scratch/cache" ZARNO_STARTUP_TRACE=splash "$game" >"$scratch/log" 2>&1 &
pid=$!
for _ in $(seq 300); do grep -q "first frame without splash" "$scratch/log" && break; sleep 0.1; done
grep -q "first frame without splash" "$scratch/log" || { cat "$scratch/log"; echo "FAIL: no title screen"; exit 1; }
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
grep "zarno-startup:" "$scratch/log"

# The engine names a cache entry after the hash of the document's location.
entries="$(ls "$scratch/cache"/*/qmlcache 2>/dev/null || true)"
compiled_here=0
cd "$source_dir"
while read -r document; do
  hash="$(printf '%s' ":/$document" | sha1sum | cut -c1-40)"
  if grep -q "^$hash" <<<"$entries"; then
    echo "compiled at start-up instead of ahead of time: $document"
    compiled_here=$((compiled_here + 1))
  fi
done < <(find qml -name '*.qml' -o -name '*.js' | sort)
[ "$compiled_here" -eq 0 ] || { echo "FAIL: $compiled_here documents were compiled at start-up"; exit 1; }
echo "PASS: every document came compiled from the executable"
