#!/usr/bin/env bash
# Settings written by one process are read back by the next one.
set -euo pipefail
build="${1:?build directory}"
runner="$build/bin/zarno-qmltest"
here="$(cd "$(dirname "$0")" && pwd)"
data_home="$(mktemp -d /tmp/zarno-settings-restart.XXXXXX)"
trap 'rm -rf "$data_home"' EXIT
export XDG_DATA_HOME="$data_home"

"$runner" -input "$here/data/SettingsFirstRun.qml"
"$runner" -input "$here/data/SettingsSecondRun.qml"

# Both runs used the one database below the scratch folder.
count=$(find "$data_home" -name '*.sqlite' | wc -l)
if [ "$count" -lt 1 ]; then
  echo "no settings database was written below $data_home" >&2
  exit 1
fi
echo "settings survived the restart ($count database file(s))"
