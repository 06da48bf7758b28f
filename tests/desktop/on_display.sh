#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a real X server: Xvfb with a window manager (openbox) and
# a Spanish keyboard layout, as a user's desktop would have them.
#   on_display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [[ -z ${VANTREL_ON_DISPLAY:-} ]]; then
    export VANTREL_ON_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
setxkbmap es
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill $manager 2>/dev/null || true' EXIT
# The manager is up once it owns the screen's window-manager selection. On
# a loaded machine that takes seconds; without it every check about frames
# and activation would fail, so it is waited for, a minute at most.
manager_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in $(seq 1200); do
    manager_up && break
    sleep 0.05
done
manager_up || { echo "the window manager (openbox) never started" >&2; exit 1; }
"$@"
