#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 60), each
# growing its corpus under fuzz/corpus/<target>; then, for as long again, the
# randomized whole-program test on the sanitizer build with fresh seeds.
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
./scripts/setup.sh
./scripts/build.sh fuzz >/dev/null
mkdir -p fuzz/artifacts
for target in build/fuzz/fuzz/fuzz_*; do
    [[ -f $target && -x $target ]] || continue
    name=$(basename "$target")
    mkdir -p "fuzz/corpus/$name"
    echo "== $name, ${seconds}s"
    log=fuzz/artifacts/$name.log
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="fuzz/artifacts/$name-" "fuzz/corpus/$name" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "$name found a fault; the input is in fuzz/artifacts/"
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "$log"
done

./scripts/build.sh asan >/dev/null
export QT_QPA_PLATFORM=offscreen
deadline=$((SECONDS + seconds))
runs=0
while ((SECONDS < deadline)); do
    seed=$((RANDOM * 32768 + RANDOM + 1))
    echo "== random user, seed $seed"
    if ! VANTREL_RANDOM_SEED=$seed VANTREL_RANDOM_ACTIONS=${VANTREL_RANDOM_ACTIONS:-3000} \
        build/asan/tests/vantrel_random_user_tests >fuzz/artifacts/random-user.log 2>&1; then
        grep -E 'FAIL|Loc|ERROR|SUMMARY' fuzz/artifacts/random-user.log | head -n 20
        echo "the random user found a fault with seed $seed"
        exit 1
    fi
    runs=$((runs + 1))
done
echo "random user: $runs runs clean"
