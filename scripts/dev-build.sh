#!/usr/bin/env bash
# Developer build: one shared sanitizer build in build/dev, serialised by a lock so that
# several people (or agents) building at once do not trample each other.
# Usage: scripts/dev-build.sh [targets...]
set -euo pipefail
cd "$(dirname "$0")/.."
exec 9>/tmp/zan-dev-build.lock
flock 9
if [ ! -f build/dev/build.ninja ]; then
  cmake --preset dev >/dev/null
fi
if [ $# -eq 0 ]; then
  cmake --build build/dev -- -j2
else
  cmake --build build/dev -- -j2 "$@"
fi
