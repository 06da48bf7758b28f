#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy, with the checks in .clang-tidy, over the program's own
# sources, using a build's compile commands: scripts/lint.sh BUILD-DIRECTORY
# Quiet when clean; prints every finding and fails otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
findings=$(mktemp)
trap 'rm -f "$findings"' EXIT
git ls-files 'conversion/*.cpp' 'cli/*.cpp' 'widgets/*.cpp' 'textfields/*.cpp' 'binaryfield/*.cpp' \
    'state/*.cpp' 'program/*.cpp' 'startup/*.cpp' 'app/*.cpp' 'converter_window/*.cpp' \
    'ascii_table_window/*.cpp' |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet >"$findings" 2>/dev/null || true
if grep -q 'warning:\|error:' "$findings"; then
    grep -A3 'warning:\|error:' "$findings" >&2
    echo "clang-tidy found the above" >&2
    exit 1
fi
