# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced: start_window_manager LOG starts openbox on $DISPLAY in the
# background, its output in LOG, its process id in $manager, and returns
# once it manages the screen: once it owns the window-manager selection. On
# a loaded machine that takes seconds; without it every check about frames
# and activation would fail, so it is waited for, two minutes at most, and
# a manager that never comes up fails the run with what it said.
start_window_manager() {
    local log=$1 deadline=$((SECONDS + 120))
    openbox >"$log" 2>&1 &
    manager=$!
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        if ! kill -0 "$manager" 2>/dev/null || ((SECONDS >= deadline)); then
            echo "the window manager (openbox) never started; it said:" >&2
            cat "$log" >&2
            return 1
        fi
        sleep 0.05
    done
}
