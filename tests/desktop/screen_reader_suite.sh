#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program with Qt's bridge to the accessibility bus on, on a session
# bus of its own, and reads it as a screen reader does (screen_reader.py).
# Run it through on_display.sh.
#   screen_reader_suite.sh PATH/TO/vantrel
set -euo pipefail
if [[ -z ${VANTREL_ON_BUS:-} ]]; then
    export VANTREL_ON_BUS=1
    # The bus daemons log every service they start: keep only the rest.
    exec dbus-run-session -- "$0" "$@" > >(grep -v '^SpiRegistry') 2> >(grep -v '^dbus-daemon' >&2)
fi
program=$1
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
log=$(mktemp)
# Qt joins the accessibility bus only if it is already running.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
"$program" >"$log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; rm -f "$log"' EXIT
"$(dirname "$0")/screen_reader.py" "$pid" tree || { cat "$log" >&2; exit 1; }
