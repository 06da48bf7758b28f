#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Leak checks: LeakSanitizer over the core tests (asan build), then valgrind's
# memcheck over every window test (debug build), with suppressions limited to
# Qt's and fontconfig's own reads and one-time allocations. The memcheck runs
# go side by side, as many as there are cores. The command line's tests are
# left to the asan build's own run: memcheck would check only the test, not
# the vantrel-convert it starts, which LeakSanitizer checks as it exits.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh asan
./scripts/build.sh debug
export QT_QPA_PLATFORM=offscreen

echo "== LeakSanitizer: core tests"
ASAN_OPTIONS=detect_leaks=1 build/asan/tests/vantrel_core_tests --gtest_brief=1

# memcheck TEST: runs it under memcheck, says "clean" or "FOUND" with its log,
# and fails on any error or definite leak.
memcheck() {
    local test=$1 log
    log=build/debug/$(basename "$test").memcheck.log
    if valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
        --errors-for-leak-kinds=definite --error-exitcode=99 \
        --suppressions=tests/valgrind.supp --num-callers=40 "$test" >"$log" 2>&1; then
        echo "clean: $(basename "$test") ($(grep -o 'definitely lost: [0-9,]* bytes' "$log"))"
    else
        echo "FOUND: $(basename "$test"), see $log"
        return 1
    fi
}
export -f memcheck

export VANTREL_RANDOM_ACTIONS=${VANTREL_RANDOM_ACTIONS:-100}
echo "== memcheck: window tests"
for test in build/debug/tests/vantrel_*_tests; do
    case $(basename "$test") in
    vantrel_core_tests | vantrel_cli_tests) ;;
    *) printf '%s\0' "$test" ;;
    esac
done | xargs -0 -P "$(nproc)" -I{} bash -c 'memcheck "$1"' _ {}
