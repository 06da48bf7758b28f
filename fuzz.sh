#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 60), each
# growing its corpus under fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")"
seconds=${1:-60}
./scripts/setup.sh
./scripts/build.sh fuzz >/dev/null
mkdir -p fuzz/artifacts
for target in build/fuzz/fuzz/fuzz_*; do
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
