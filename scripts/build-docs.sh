#!/usr/bin/env bash
# Builds the QML API reference into build/docs/html with qdoc and fails when a
# public QML member of the Zarno module is undocumented or qdoc has a warning.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
rm -rf build/docs/html
mkdir -p build/docs
log=build/docs/qdoc.log
/usr/lib/qt5/bin/qdoc docs/zarno.qdocconf >"$log" 2>&1 || { cat "$log"; exit 1; }
status=0
if grep -q "(qdoc) warning" "$log"; then
  grep "(qdoc) warning" "$log" | sed "s|$PWD/||"
  status=1
fi
python3 scripts/check-docs.py || status=1
[ "$status" -eq 0 ] && echo "API reference: build/docs/html/index.html"
exit "$status"
