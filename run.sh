#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release preset and starts Vantrel.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
./scripts/build.sh release
program=build/release/startup/vantrel
if [[ -x $program ]]; then
    exec "$program"
fi
echo "vantrel was not built" >&2; exit 1
