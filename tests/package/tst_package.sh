#!/usr/bin/env bash
# The engine as a CMake package. Installed from this build into a scratch prefix, it
# builds a small game of its own (tests/package/data/minigame) whose documents and
# assets are bundled into its executable; the game runs from an empty folder and
# reports its configuration and the density variant of its image. As a subproject,
# the same game configures with every engine path inside the engine's own folders.
set -euo pipefail
build="$(cd "${1:?build directory}" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
game="$source_dir/tests/package/data/minigame"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
cmake -S "$game" -B "$scratch/installed" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$scratch/prefix" >"$scratch/configure.log" || { cat "$scratch/configure.log"; exit 1; }
cmake --build "$scratch/installed" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; exit 1; }

mkdir "$scratch/run" && cd "$scratch/run"
timeout 30 "$scratch/installed/minigame" >"$scratch/run.log" 2>&1 || { cat "$scratch/run.log"; exit 1; }
cat "$scratch/run.log"
# Title from the bundled config.json, the image ready (status 1) in its hd variant (8 px).
grep -q "minigame|Mini Game|1|8$" "$scratch/run.log"
# Its documents were compiled into it ahead of time.
test -f "$scratch/installed/minigame_qml_qmlcache/minigame_qml_qmlcache_loader.cpp"
echo "installed package: ok"

cmake -S "$game" -B "$scratch/sub" -G Ninja -DZARNO_SOURCE_DIR="$source_dir" >"$scratch/sub.log" 2>&1 \
  || { cat "$scratch/sub.log"; exit 1; }
grep -q "minigame" "$scratch/sub/build.ninja"
# The engine's generated files stay in its own build folder, and the including project
# gets none of the engine's own game, tools or tests.
test -f "$scratch/sub/zarno/zarno_framework.qrc"
grep -q "$source_dir/qml/Zarno/qmldir" "$scratch/sub/zarno/zarno_framework.qrc"
if grep -qE "build quillox|build tst_|build quillox-assetgen" "$scratch/sub/build.ninja"; then
  echo "the subproject build holds the engine's own game, tools or tests"; exit 1
fi
# Within a subproject CMAKE_SOURCE_DIR is the including project's: engine lists never use it.
if command -v git >/dev/null && git -C "$source_dir" rev-parse >/dev/null 2>&1; then
  if (cd "$source_dir" && git ls-files -z '*CMakeLists.txt' '*.cmake' '*.cmake.in' | xargs -0 grep -nE '\$\{CMAKE_(SOURCE|BINARY)_DIR\}'); then
    echo "engine CMake files above name the including project's folders"; exit 1
  fi
fi
echo "subproject: ok"
