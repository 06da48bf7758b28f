#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every test of the debug and sanitizer builds several times while busy
# loops keep every core loaded, as on a machine that builds other things
# meanwhile, the tests side by side as ./test.sh runs them: a test whose
# outcome hangs on timing fails here.
#   scripts/loaded_tests.sh [RUNS]   (3 by default)
# Prints each run's failures, and fails if any run failed.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
./scripts/setup.sh
./scripts/build.sh debug
./scripts/build.sh asan
export QT_QPA_PLATFORM=offscreen

load=()
for _ in $(seq "$(nproc)"); do
    yes >/dev/null &
    load+=($!)
done
trap 'kill "${load[@]}" 2>/dev/null || true' EXIT

failed=()
for ((run = 1; run <= runs; run++)); do
    for preset in debug asan; do
        echo "== loaded run $run of $runs: $preset"
        exclude=()
        [[ $preset == asan ]] && exclude=(--label-exclude desktop)
        log=build/$preset/loaded-run-$run.log
        if ! ctest --preset "$preset" --timeout 1200 --parallel "$(nproc)" "${exclude[@]}" >"$log" 2>&1; then
            grep -E '^\s*[0-9]+ - .*\((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception)' "$log" >&2 || tail -n 40 "$log" >&2
            failed+=("run $run, $preset (see $log)")
        fi
    done
done
if ((${#failed[@]} > 0)); then
    printf 'failed under load: %s\n' "${failed[@]}" >&2
    exit 1
fi
echo "every test passed $runs times under load"
