#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAN_BUILD_TESTS=OFF
cmake --build build/release --target zan cleartool-sim
exec build/release/bin/zan "$@"
