#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the debug and the sanitizer (asan) presets and runs every test on both.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
for preset in debug asan; do
    echo "== $preset"
    ./scripts/build.sh "$preset"
    ctest --preset "$preset" --timeout 600
done
