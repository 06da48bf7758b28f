#!/usr/bin/env bash
# Configures and builds one preset: scripts/build.sh PRESET
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset "$1" >/dev/null
cmake --build --preset "$1"
