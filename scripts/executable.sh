#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the path of a program built by a preset, as CMake recorded it:
#   scripts/executable.sh PRESET PROGRAM
# Fails, saying so, when the preset's build does not make that program.
set -euo pipefail
cd "$(dirname "$0")/.."
record=build/$1/executables/$2
if [[ ! -r $record ]]; then
    echo "build/$1 does not build $2 (no $record)" >&2
    exit 1
fi
path=$(<"$record")
if [[ ! -x $path ]]; then
    echo "$2 was not built: $path is missing" >&2
    exit 1
fi
echo "$path"
