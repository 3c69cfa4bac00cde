#!/usr/bin/env bash
# Builds everything and runs the whole test suite under the offscreen Qt platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${QARN_BUILD_DIR:-build}
# Line tables only (-g1): enough for stack traces and perf, and a sixth less compile time.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -j2 --output-on-failure --timeout 300
