#!/usr/bin/env bash
# Builds the whole project with AddressSanitizer and UndefinedBehaviorSanitizer (g++) in
# build-asan and runs every test there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${QARN_ASAN_BUILD_DIR:-build-asan}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
# Line tables (-g1) are all the sanitizers' stack traces need, and compile faster than -g. The
# unity build (batches of each folder's files) halves the compile time, as in test.sh.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DCMAKE_CXX_COMPILER=g++ -DCMAKE_UNITY_BUILD=ON \
  -DQARN_BUILD_BENCH=OFF -DQARN_BUILD_FUZZ=OFF -DQARN_CORE_ONLY=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations until exit on purpose, so leak reports would be noise.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" -j2 --output-on-failure --timeout 600
