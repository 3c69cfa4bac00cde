#!/usr/bin/env bash
# Builds the Debian package qarn_VERSION_ARCH.deb in the current folder with Debian's hardening
# flags, and checks it with lintian when lintian is installed.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${QARN_PACKAGE_BUILD_DIR:-build-package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
# A unity build: half the processor time (see scripts/test.sh).
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="$CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_UNITY_BUILD=ON -DQARN_BUILD_TESTS=OFF \
  -DQARN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/qarn_*.deb)
cp "$deb" "$here/"
echo "Built $here/$(basename "$deb")"
if command -v lintian >/dev/null; then
  lintian --info "$here/$(basename "$deb")"
fi
