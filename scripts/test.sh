#!/usr/bin/env bash
# Builds everything and runs the whole test suite under the offscreen Qt platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${QARN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -j2 --output-on-failure --timeout 300
