#!/usr/bin/env bash
# Builds the editor and starts it; arguments go to the editor (a file to open, --map IMAGE, ...).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${QARN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target qarn
exec "$build/src/window/qarn" "$@"
