#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project needs, only those that are missing.
# Quiet when nothing is missing; apt's output shows only when it fails. Used by
# run.sh, test.sh, bench.sh, fuzz.sh, scripts/leaks.sh and scripts/package.sh.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang libclang-rt-14-dev            # fuzz targets and their sanitizer runtime
    clang-format                        # the format check in CI
    clang-tidy                          # the linter in CI
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins
    libxcb1-dev                          # what the windows ask an X11 window manager
    qt6-base-private-dev                 # input handed on, and queued by tests, as the window system does
    qt6-translations-l10n                # Qt's standard texts in Spanish
    xvfb xauth xdotool x11-xkb-utils x11-utils xclip openbox imagemagick  # real-display tests
    qt6-gtk-platformtheme                # a dark desktop theme for them (GTK's Adwaita:dark)
    qt6-wayland weston xwayland          # a Wayland session for them, with and without XWayland
    at-spi2-core dbus-daemon dbus-bin python3-pyatspi  # what a screen reader reads, for them
    orca                                 # the screen reader itself, for them
    libgtest-dev libgmock-dev libbenchmark-dev
    valgrind                            # scripts/leaks.sh
    time                                # GNU time: bench/cli_bench.sh's peak memory
    fontconfig
    fonts-crosextra-carlito             # Carlito, for Calibri
    fonts-liberation2                   # Liberation Sans, for Arial
    fonts-dejavu-core                   # DejaVu Serif, a table font the tests pick
    fonts-unifont                       # Unifont: the pictures of the control codes
    desktop-file-utils                  # desktop entry check
    dpkg-dev debhelper lintian autopkgtest  # scripts/package.sh: the Debian package
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
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { "${sudo[@]}" apt-get update -qq &&
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "installing the packages failed" >&2
    exit 1
fi
