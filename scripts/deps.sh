#!/usr/bin/env bash
# Installs the Debian packages the build and tests need; does nothing when all are present.
set -euo pipefail
# librsvg2-bin draws the PNG icons at build time; desktop-file-utils, appstream, man-db and
# groff-base check the installed files in the install test; dpkg-dev and file make the package.
packages=(cmake ninja-build g++ clang libclang-rt-14-dev qt6-base-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core xauth xvfb
          dbus at-spi2-core python3-pyatspi orca speech-dispatcher espeak-ng openbox
          librsvg2-bin desktop-file-utils appstream man-db groff-base dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
