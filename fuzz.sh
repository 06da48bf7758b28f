#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ./fuzz.sh [seconds]  runs every fuzz target for that long (default 60), then,
#                      for as long again, the randomized whole-program test on
#                      the sanitizer build with fresh seeds.
# ./fuzz.sh --merge    minimizes the tracked corpora together with what the
#                      runs found into fuzz/corpus/<target>.
#
# A run reads fuzz/corpus/<target> but writes new inputs only to the scratch
# corpus build/fuzz-corpus/<target>, so the tracked files never change.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh fuzz
mkdir -p fuzz/artifacts

targets=()
for target in build/fuzz/fuzz/fuzz_*; do
    [[ -f $target && -x $target ]] && targets+=("$target")
done

# Runs one libFuzzer command with its output in LOG; on failure shows the
# tail of LOG and the message, and stops.
run_logged() {
    local log=$1 failure=$2
    shift 2
    if ! "$@" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "$failure"
        exit 1
    fi
}

if [[ ${1:-} == --merge ]]; then
    for target in "${targets[@]}"; do
        name=$(basename "$target")
        tracked=fuzz/corpus/$name
        merged=build/fuzz-corpus/$name.merged
        rm -rf "$merged"
        mkdir -p "$merged" "build/fuzz-corpus/$name" "$tracked"
        run_logged "fuzz/artifacts/$name.merge.log" "merging the $name corpus failed" \
            "$target" -merge=1 "$merged" "$tracked" "build/fuzz-corpus/$name"
        rm -rf "$tracked" "build/fuzz-corpus/$name" # the scratch inputs are merged in
        mv "$merged" "$tracked"
        echo "$name: $(find "$tracked" -type f | wc -l) inputs in $tracked"
    done
    exit 0
fi

seconds=${1:-60}
for target in "${targets[@]}"; do
    name=$(basename "$target")
    mkdir -p "build/fuzz-corpus/$name" "fuzz/corpus/$name"
    echo "== $name, ${seconds}s"
    log=fuzz/artifacts/$name.log
    run_logged "$log" "$name found a fault; the input is in fuzz/artifacts/" \
        "$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="fuzz/artifacts/$name-" "build/fuzz-corpus/$name" "fuzz/corpus/$name"
    grep -E '^(Done|stat::number_of_executed_units)' "$log"
done

./scripts/build.sh asan
export QT_QPA_PLATFORM=offscreen
deadline=$((SECONDS + seconds))
runs=0
while ((SECONDS < deadline)); do
    seed=$((RANDOM * 32768 + RANDOM + 1))
    echo "== random user, seed $seed"
    log=fuzz/artifacts/random-user.log
    if ! VANTREL_RANDOM_SEED=$seed VANTREL_RANDOM_ACTIONS=${VANTREL_RANDOM_ACTIONS:-3000} \
        build/asan/tests/vantrel_random_user_tests >"$log" 2>&1; then
        tail -n 80 "$log"
        echo "the random user found a fault with seed $seed; the whole output is in $log"
        exit 1
    fi
    runs=$((runs + 1))
done
echo "random user: $runs runs clean"
