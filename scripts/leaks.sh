#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Leak checks: LeakSanitizer over the core tests (asan build), then valgrind's
# memcheck over every window test (debug build), with suppressions limited to
# Qt's and fontconfig's own reads and one-time allocations.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh asan
./scripts/build.sh debug
export QT_QPA_PLATFORM=offscreen

echo "== LeakSanitizer: core tests"
ASAN_OPTIONS=detect_leaks=1 build/asan/tests/vantrel_core_tests --gtest_brief=1

export VANTREL_RANDOM_ACTIONS=${VANTREL_RANDOM_ACTIONS:-100}
status=0
for test in build/debug/tests/vantrel_*_tests; do
    [[ $(basename "$test") == vantrel_core_tests ]] && continue
    log=build/debug/$(basename "$test").memcheck.log
    if valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
        --errors-for-leak-kinds=definite --error-exitcode=99 \
        --suppressions=tests/valgrind.supp --num-callers=40 "$test" >"$log" 2>&1; then
        echo "clean: $(basename "$test") ($(grep -o 'definitely lost: [0-9,]* bytes' "$log"))"
    else
        echo "FOUND: $(basename "$test"), see $log"
        status=1
    fi
done
exit $status
