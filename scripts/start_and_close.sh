#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# On a display with a window manager (tests/desktop/on_display.sh): starts a
# command that opens Vantrel, waits up to two minutes for the converter
# window "VANTREL" to show, closes it as a user does (Alt+F4), and fails
# unless the program then ends with status 0.
#   scripts/start_and_close.sh COMMAND [ARGUMENTS...]
set -euo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" >"$log" 2>&1 &
started=$!

# xdotool's name search ignores case, and the start-up window is "Vantrel".
converter() {
    local id
    for id in $(xdotool search --onlyvisible --name '^VANTREL$' 2>/dev/null); do
        [[ $(xdotool getwindowname "$id") == VANTREL ]] && { echo "$id"; return 0; }
    done
    return 1
}
for _ in $(seq 1200); do
    converter >/dev/null && break
    kill -0 "$started" 2>/dev/null || break
    sleep 0.1
done
if ! window=$(converter); then
    cat "$log" >&2
    echo "the converter window never showed: $*" >&2
    kill "$started" 2>/dev/null || true
    exit 1
fi
xdotool windowactivate --sync "$window" key alt+F4
for _ in $(seq 300); do
    kill -0 "$started" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$started" 2>/dev/null; then
    kill "$started"
    echo "the program did not end when its window was closed: $*" >&2
    exit 1
fi
if ! wait "$started"; then
    cat "$log" >&2
    echo "the program ended with a failure: $*" >&2
    exit 1
fi
