#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a real X server: Xvfb with a window manager (openbox) and
# a Spanish keyboard layout, as a user's desktop would have them.
#   on_display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
if [[ -z ${VANTREL_ON_DISPLAY:-} ]]; then
    export VANTREL_ON_DISPLAY=1
    # -noreset: by default the server resets when its last client leaves,
    # which throws away the keyboard layout set below.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
manager_log=$(mktemp) manager=
trap 'kill $manager 2>/dev/null || true; rm -f "$manager_log"' EXIT
. "$(dirname "$0")/window_manager.sh"
start_window_manager "$manager_log"
# A Spanish keyboard, set while the window manager keeps a client connected.
# Keys that the layout lacks, xdotool types by binding them to a spare key
# for a moment: a busy program reads them after it let go, as no key at all.
setxkbmap es
[[ $(setxkbmap -query) == *"layout:     es"* ]] || { echo "the Spanish layout did not take" >&2; exit 1; }
"$@"
