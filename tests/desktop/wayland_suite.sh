#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program in a Wayland session (weston, headless), driven through the
# accessibility bus (run it through on_bus.sh). With an X server at hand it
# runs on X, where the table window rises; with none it runs on Wayland,
# converts and opens the table. The X server is Xwayland managed by openbox,
# whose windows go where they ask, as under GNOME's or KDE's Xwayland:
# weston's own X window manager (--xwayland) ignores where they ask to go.
#   wayland_suite.sh PATH/TO/vantrel
set -euo pipefail
program=$1
here=$(dirname "$0")
source "$here/frame_moves.sh"
session=$(mktemp -d)
unset QT_QPA_PLATFORM DISPLAY
export LANG=C.UTF-8 XDG_RUNTIME_DIR=$session XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-vantrel

failures=0
fail() {
    failures=$((failures + 1))
    echo "FAIL: $*" >&2
}
pass() { echo "PASS: $*"; }

# Polls until the command succeeds, every 50 ms, for up to 10 s.
wait_for() {
    for _ in $(seq 200); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}

started=()
stop_all() {
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill "${started[i]}" 2>/dev/null || true
        wait "${started[i]}" 2>/dev/null || true
    done
    started=()
}
trap 'stop_all; rm -rf "$session"' EXIT

weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    >"$session/weston.log" 2>&1 &
started+=($!)
wait_for test -S "$session/$WAYLAND_DISPLAY" || { cat "$session/weston.log" >&2; exit 1; }

# The window system a process chose: the Qt platform plugin it loaded.
platform_of() {
    if grep -q '/libqxcb\.so' "/proc/$1/maps"; then
        echo xcb
    elif grep -q '/libqwayland-[a-z-]*\.so' "/proc/$1/maps"; then
        echo wayland
    else
        return 1
    fi
}
pid=
start_program() { # [VARIABLE=VALUE]...
    env "$@" "$program" >"$session/program.log" 2>&1 &
    pid=$!
    started+=("$pid")
    wait_for platform_of "$pid" || { cat "$session/program.log" >&2; fail "no platform plugin loaded"; }
}
stop_program() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
expect_platform() { # CHECK PLATFORM
    local chose
    chose=$(platform_of "$pid" || echo none)
    [[ $chose == "$2" ]] && pass "$1" || fail "$1: the program chose $chose"
}

# --- An X server at hand --------------------------------------------------
Xwayland -noreset -displayfd 3 3>"$session/display" >"$session/xwayland.log" 2>&1 &
started+=($!)
wait_for test -s "$session/display" || { cat "$session/xwayland.log" >&2; exit 1; }
export DISPLAY=:$(cat "$session/display")
. "$here/window_manager.sh"
start_window_manager "$session/openbox.log" || { started+=("$manager"); exit 1; }
started+=("$manager")

# Every move the window manager makes of a top-level frame, as the X server reports it.
stdbuf -oL xev -root -event substructure >"$session/moves" 2>&1 &
started+=($!)
start_program
expect_platform "with Xwayland at hand, the program runs on X" xcb
"$here/screen_reader.py" convert "$pid" || fail "on X in a Wayland session: see above"
# The table's frame, as the X server placed it: from where it first showed,
# six steps of 4 px up (60 twips each), then 8 px down.
table_rose() {
    local table
    table=$(xdotool search --name '^CÓDIGO ASCII$' | head -n 1) || return 1
    rose_as_designed "$(frame_tops "$table" "$session/moves")"
}
wait_for table_rose && pass "the table window rises 360 twips and drops 120" ||
    fail "the table window's frame went through the tops $(frame_tops \
        "$(xdotool search --name '^CÓDIGO ASCII$' | head -n 1)" "$session/moves" | tr '\n' ' ')"
stop_program
start_program QT_QPA_PLATFORM=wayland
expect_platform "QT_QPA_PLATFORM still chooses" wayland
stop_program

# --- Weston's own X window manager -------------------------------------------
# It frames every window it is not told to leave bare, a splash screen too:
# the start-up window must come without a title bar. A title bar makes the
# frame taller than it is wider than the window; a bare window's frame (its
# shadow) adds the same on every side.
weston --backend=headless-backend.so --socket=wayland-xwm --idle-time=0 --xwayland \
    >"$session/weston-xwm.log" 2>&1 &
started+=($!)
xwm_display() { grep -o 'listening on display :[0-9]*' "$session/weston-xwm.log" | grep -o ':[0-9]*'; }
wait_for xwm_display || { cat "$session/weston-xwm.log" >&2; exit 1; }
export DISPLAY=$(xwm_display)
start_program
size_of() { xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { print w, $2 }'; }
splash_bare() {
    local splash client outer
    splash=$(xdotool search --name '^Vantrel$' | tail -n 1) || return 1
    client=$(size_of "$splash")
    outer=$(size_of "$(frame_of "$splash")")
    echo "window $client, frame $outer"
    awk -v client="$client" -v outer="$outer" 'BEGIN { split(client, c, " "); split(outer, o, " ")
        exit !(o[1] - c[1] == o[2] - c[2]) }'
}
if wait_for splash_bare; then
    pass "under weston's window manager the start-up window has no title bar"
else
    fail "under weston's window manager the start-up window is framed: $(splash_bare)"
fi
stop_program

# --- No X server ----------------------------------------------------------
unset DISPLAY
start_program
expect_platform "with no X server, the program runs on Wayland" wayland
"$here/screen_reader.py" convert "$pid" || fail "on Wayland: see above"
stop_program

((failures == 0)) || { echo "$failures checks failed" >&2; exit 1; }
