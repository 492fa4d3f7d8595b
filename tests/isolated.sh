#!/bin/sh
# Runs one test with data, config and cache folders of its own below the run's
# (scripts/with-test-env.sh), so that tests running side by side never share a
# settings database: two processes creating one database at the same moment may
# read its version before the other has written it.
# Usage: tests/isolated.sh <test name> <command> [arguments...]
name="$1"
shift
for var in XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME; do
  eval "base=\${$var:-}"
  if [ -n "$base" ]; then
    mkdir -p "$base/$name"
    export "$var=$base/$name"
  fi
done
exec "$@"
