#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
# Quiet when nothing is missing. Used by run.sh, test.sh, bench.sh and fuzz.sh.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang libclang-rt-14-dev            # fuzz targets and their sanitizer runtime
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-crosextra-carlito fonts-liberation2 fontconfig
    desktop-file-utils dpkg-dev          # desktop entry check, Debian package
    appstream man-db groff-base          # metainfo and manual page checks
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
