#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a session bus of its own, with the accessibility bus up
# and Qt's bridge to it on, as a desktop with a screen reader has them.
#   on_bus.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [[ -z ${VANTREL_ON_BUS:-} ]]; then
    export VANTREL_ON_BUS=1
    # A runtime folder of its own: the accessibility bus puts its socket
    # there, and a run beside this one must not find, or remove, it.
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
    # The bus daemons log every service they start: keep only the rest.
    status=0
    dbus-run-session -- "$0" "$@" > >(grep -v '^SpiRegistry') 2> >(grep -v '^dbus-daemon' >&2) ||
        status=$?
    exit $status
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
# Qt joins the accessibility bus only if it is already running.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
exec "$@"
