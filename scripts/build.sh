#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds one preset: scripts/build.sh PRESET
# Quiet on success. The whole output goes to build/PRESET.log; on failure the
# compiler's errors (from the first failed step) or CMake's are printed.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
log=build/$preset.log
mkdir -p build
if ! { cmake --preset "$preset" && cmake --build --preset "$preset"; } >"$log" 2>&1; then
    if grep -q '^FAILED: ' "$log"; then
        sed -n '/^FAILED: /,$p' "$log" | head -n 60 >&2
    else
        tail -n 60 "$log" >&2
    fi
    echo "build of the $preset preset failed; the whole output is in $log" >&2
    exit 1
fi
