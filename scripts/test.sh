#!/usr/bin/env bash
# Installs what is missing, builds the test build (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs the whole test suite. Window tests run on the offscreen platform; the smoke test
# starts its own X server (Xvfb). A run of the whole suite (no ctest arguments) then builds and
# checks the Debian package (scripts/package-test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset test # sanitizers, tests, warnings as errors
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/test && ctest --output-on-failure -j2 "$@")
if [ $# -eq 0 ]; then
  scripts/package-test.sh
fi
