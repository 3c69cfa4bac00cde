#!/usr/bin/env bash
# Fuzzes the path-set loader for SECONDS (default 60): builds the libFuzzer target with clang in
# build-fuzz, seeds a corpus there from examples/ and tests/data/, and fails on any crash.
# Everything it writes (corpus, crash inputs) stays in the build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${QARN_FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQARN_CORE_ONLY=ON -DQARN_BUILD_FUZZ=ON -DQARN_BUILD_TESTS=OFF -DQARN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target load_fuzzer
corpus="$build/corpus"
artifacts="$build/artifacts"
mkdir -p "$corpus" "$artifacts"
for seed in examples/*.pathset tests/data/*; do
  if [ -f "$seed" ]; then cp -f "$seed" "$corpus/"; fi
done
# Inputs may grow past the file buffer's 60001 bytes, so the size checks are reached too.
if ! "$build/fuzz/load_fuzzer" -max_total_time="$seconds" -max_len=60100 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus"; then
  echo "fuzz.sh: the fuzzer found a failure; inputs are in $artifacts" >&2
  exit 1
fi
