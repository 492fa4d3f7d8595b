#!/usr/bin/env bash
# The physics scene example ships what its generator writes: running the
# generator again gives the same scene file and pictures.
set -euo pipefail
example="$(cd "$(dirname "$0")/../../examples/physicsscene" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
python3 "$example/make-scene.py" "$scratch"
for file in scene.json crate.png ball.png blade.png plank.png ground.png; do
  cmp "$scratch/$file" "$example/$file" || { echo "FAIL $file differs from the generator's output"; exit 1; }
done
python3 -c 'import json,sys; s=json.load(open(sys.argv[1])); assert len(s["body"]) == 11 and len(s["joint"]) == 2' "$example/scene.json"
echo "ok   generated files match"
