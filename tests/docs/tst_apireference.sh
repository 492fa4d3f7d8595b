#!/usr/bin/env bash
# The API reference builds without a qdoc warning and documents every public QML
# member; the checker behind it notices a member that lost its entry.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
bash scripts/build-docs.sh
for page in index qml-zarno-gamewindow qml-zarno-system qml-zarno-settings; do
  test -s "build/docs/html/$page.html" || { echo "missing page $page.html"; exit 1; }
done

# A copy of the sources with one gap of each kind must fail the checker, naming it.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp -r scripts docs qml app scheduling components sprites particles physics spine platform "$scratch/"
python3 - "$scratch" <<'PY'
import re, sys
def plant(path, pattern, repl):
    text = open(path).read()
    new, count = re.subn(pattern, repl, text, count=1, flags=re.S)
    if not count:
        sys.exit("could not plant a gap in " + path)
    open(path, "w").write(new)
root = sys.argv[1]
# the comment before a framework property, and the entry of a native one
plant(root + "/qml/Zarno/core/Settings.qml", r"/\*!(?:(?!\*/).)*\*/(\s*property bool soundEnabled)", r"\1")
plant(root + "/platform/system.cpp", r"System::appVersionCode\b", "System::appVersionCodeGone")
PY
if python3 "$scratch/scripts/check-docs.py" >"$scratch/report" 2>&1; then
  echo "the checker passed sources with undocumented members"; exit 1
fi
grep -q "Settings: undocumented property 'soundEnabled'" "$scratch/report"
grep -q "System: undocumented property 'appVersionCode'" "$scratch/report"
echo "API reference complete"
