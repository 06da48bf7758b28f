#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release preset and runs every benchmark: the conversion core
# (Google Benchmark; extra arguments go to it, e.g. --benchmark_filter=BinText),
# the panels' keystroke and animation latency, and start-up.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh release
export QT_QPA_PLATFORM=offscreen
echo "== conversion core"
build/release/bench/vantrel_core_bench "$@"
echo "== panels"
build/release/bench/vantrel_panels_bench
build/release/bench/vantrel_binary_field_bench
echo "== start-up"
build/release/bench/vantrel_startup_bench
bench/cli_bench.sh build/release/cli/vantrel-convert
