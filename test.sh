#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the debug and the sanitizer (asan) presets and runs every test on
# both; the real-display suite (label "desktop") runs on the debug build,
# since it drives the program at a typist's pace that the sanitizers slow
# the program below. Tests run side by side, as many as there are cores;
# the real-display suites run alone (CTest's RUN_SERIAL), since a screen
# reader and a window manager on a busy machine answer late.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
echo "== debug"
./scripts/build.sh debug
ctest --preset debug --timeout 600 --parallel "$(nproc)"
echo "== asan"
./scripts/build.sh asan
ctest --preset asan --timeout 600 --label-exclude desktop --parallel "$(nproc)"
