#!/usr/bin/env bash
# Every example runs with the launcher, started from an unrelated working directory:
# its main document loads and the game is still running two seconds later.
set -euo pipefail
build="$(cd "${1:?build directory}" && pwd)"
examples="$(cd "$(dirname "$0")/../../examples" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
failed=0
for main in "$examples"/*/Main.qml; do
  name="$(basename "$(dirname "$main")")"
  log="$scratch/$name.log"
  "$build/bin/zarno" --no-reload "$(dirname "$main")" >"$log" 2>&1 &
  pid=$!
  for _ in $(seq 150); do
    grep -q "^zarno: loaded" "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 2
  if grep -q "^zarno: loaded" "$log" && kill -0 "$pid" 2>/dev/null; then
    echo "ok   $name"
  else
    echo "FAIL $name"; sed 's/^/     /' "$log"; failed=1
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
exit "$failed"
