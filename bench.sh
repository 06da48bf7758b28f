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
built() { scripts/executable.sh release "$1"; }
echo "== conversion core"
"$(built vantrel_core_bench)" "$@"
echo "== panels"
"$(built vantrel_panels_bench)"
"$(built vantrel_binary_model_bench)"
"$(built vantrel_binary_field_bench)"
echo "== start-up"
"$(built vantrel_startup_bench)"
bench/cli_bench.sh "$(built vantrel-convert)"
