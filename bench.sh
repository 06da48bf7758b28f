#!/usr/bin/env bash
# Builds the release preset and runs every benchmark. Extra arguments go to
# each benchmark executable (e.g. --benchmark_filter=BinText).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh release >/dev/null
export QT_QPA_PLATFORM=offscreen
for bench in build/release/bench/vantrel_*_bench; do
    echo "== $(basename "$bench")"
    "$bench" "$@"
done
