#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built program on a real X server (run it through on_display.sh)
# as a user does: a Spanish keyboard with dead keys, mouse clicks on every tab
# and button, another window taking the focus, a minimised window, and the
# desktop's dark theme. Fields are read through the clipboard.
#   desktop_suite.sh PATH/TO/vantrel [SCREENSHOT-DIRECTORY]
set -Eeuo pipefail
program=$1
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
source "$(dirname "$0")/frame_moves.sh"

# Every place the window manager gives a top-level frame, as the X server
# reports it.
moves=$shots/moves.log
stdbuf -oL xev -root -event substructure >"$moves" 2>&1 &
xev_pid=$!

failures=0
fail() {
    failures=$((failures + 1))
    last_check="FAIL: $*"
    echo "FAIL: $* (screen in $shots/failure-$failures.png)" >&2
    import -window root "$shots/failure-$failures.png" 2>/dev/null || true
}
pass() {
    last_check="PASS: $*"
    echo "PASS: $*"
}

# A command that fails outside a check stops the suite (set -e); say which
# one, and after which check, instead of ending without a word. The ERR trap
# only records: it also runs in the subshells of command substitutions, whose
# failures are no concern of the suite.
last_check="(none yet)"
stopped_at=
finished=
# Called by the ERR trap: the failed command, where it ran, and the lines of
# the calls that led there, innermost first.
note_stop() {
    stopped_at="'$2' (exit $1) at line $3 in ${FUNCNAME[1]:-the suite}"
    local calls=("${BASH_LINENO[@]:1}")
    ((${#calls[@]} <= 1)) || stopped_at+=", called from line ${calls[*]:0:${#calls[@]}-1}"
}
trap 'note_stop $? "$BASH_COMMAND" $LINENO' ERR
trap 'if [[ -z $finished ]]; then
    echo "STOPPED before the end: ${stopped_at:-an exit}; last check: $last_check" >&2
fi
[[ -z ${pid:-} ]] || kill "$pid" 2>/dev/null || true
kill "$xev_pid" 2>/dev/null || true' EXIT

# Polls until the command succeeds, every 50 ms, the way QTRY_ waits:
# poll TRIES COMMAND...
poll() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    return 1
}
wait_for() { poll 600 "$@"; } # up to 30 s: a loaded machine is slow, a fault never passes

window_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
# Activates a window and waits until it is the active one. A request that
# reaches a busy window manager may be dropped, and xdotool's --sync can then
# wait long and fail, so the request is sent again until it takes.
activate() {
    local attempt
    for attempt in 1 2 3 4 5; do
        xdotool windowactivate "$1" >/dev/null 2>&1 || true
        poll 40 window_active "$1" && return 0
    done
    return 1
}

# The visible window with exactly that title (xdotool's own search ignores case).
window_named() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$"); do
        [[ $(xdotool getwindowname "$id") == "$1" ]] && { echo "$id"; return 0; }
    done
    return 1
}

pid=
start_program() {
    env "$@" "$program" >/dev/null 2>&1 &
    pid=$!
    wait_for window_named VANTREL || { fail "the converter window never showed"; exit 1; }
    converter=$(window_named VANTREL)
}
stop_program() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# Element centres in the converter window's pixels (15 twips a pixel), as
# they lie with the value panel in view. The button column slides left with
# the message panel; the binary/hexadecimal fields slide up into view.
declare -A at=(
    [cmdBoton0]="96 48" [cmdBoton1]="96 136"
    [cmd1]="484 20" [cmd2]="484 48" [cmd3]="484 76"
    [chkManual]="484 108" [Option1]="484 136" [Option2]="484 164"
    [txtC]="256 49" [txtA]="392 49" [txtB]="332 137"
    [txtMensaje]="364 48" [txtBinario]="364 136"
    [txtHexa]="348 48" [txtBin]="348 136"
)
panel=value
position() {
    local x y
    read -r x y <<<"${at[$1]}"
    if [[ $panel == message && $1 =~ ^(cmd[123]|chkManual|Option[12])$ ]]; then
        x=$((x - 272))
    fi
    echo "$x $y"
}
click() { xdotool mousemove --window "$converter" $(position "$1") click 1; }

window_picture() { import -window "$converter" -depth 8 rgb:- 2>/dev/null | md5sum; }
# The same picture a quarter of a second apart: a slide moves the panels
# every few milliseconds.
window_still() {
    local first
    first=$(window_picture)
    sleep 0.25
    [[ $(window_picture) == "$first" ]]
}
window_changed() { [[ $(window_picture) != "$1" ]]; }
# Clicks a tab or the arrow and waits until the panels rest again. A busy
# program takes the click late, so the window must change first: before it
# moves, it looks as still as after. A click lost on its way is sent again.
switch_panel() {
    local before
    before=$(window_picture)
    for _ in 1 2; do
        click "$1"
        if wait_for window_changed "$before"; then
            panel=$2
            wait_for window_still || fail "the panels never came to rest after $1"
            return 0
        fi
    done
    panel=$2
    fail "$1 never moved the panels"
}

# Keys at a typist's pace: xdotool's default of 12 ms between keys is faster
# than any hand, and than the input method's round trip.
keys() { xdotool key --delay 80 "$@"; }

clipboard_is() { [[ $(xclip -o -selection clipboard 2>/dev/null) == "$1" ]]; }
# A field shows that it has the focus by its colour, active or invalid, seen
# just inside its top-left corner (clear of any selection).
declare -A corner=(
    [txtC]="203 11" [txtA]="323 11" [txtB]="203 99"
    [txtMensaje]="235 11" [txtBinario]="235 99"
    [txtHexa]="203 11" [txtBin]="203 99"
)
field_focused() {
    local colour
    colour=$(pixel "$converter" ${corner[$1]})
    [[ $colour == "0,160,240" || $colour == "255,128,128" ]]
}
focus_field() {
    click "$1"
    wait_for field_focused "$1" || fail "$1 never took the focus"
}

# Fake input sent at xdotool's pace is now and then lost on its way through
# the window manager right after a click; a fault in the program is not
# intermittent. So a copy, or a typed check, is tried up to three times.
clipboard_filled() { ! clipboard_is sentinel; }

# The whole text of the field that has the focus, copied without a click,
# waiting up to TRIES polls (10 s by default): focused_copy [TRIES].
focused_copy() {
    local attempt
    for attempt in 1 2 3; do
        # xclip stays behind to serve the selection: keep it off the output.
        printf sentinel | xclip -selection clipboard >/dev/null 2>&1
        keys ctrl+a ctrl+c
        if poll "${1:-200}" clipboard_filled; then
            xclip -o -selection clipboard
            return 0
        fi
    done
    echo "(nothing copied)"
}

# The whole text of a field, through the clipboard.
copy_of() {
    focus_field "$1"
    focused_copy
}

expect_field() {
    local field=$1 expected=$2 check=$3 copy
    copy=$(copy_of "$field")
    if [[ $copy == "$expected" ]]; then
        pass "$check"
    else
        fail "$check: $field holds '$copy', not '$expected'"
    fi
}

# Types keys into a field, then reads a field: typed_check CHECK FIELD KEYS
# READ-FIELD EXPECTED.
typed_check() {
    local check=$1 field=$2 typed=$3 read=$4 expected=$5 attempt copy
    for attempt in 1 2 3; do
        focus_field "$field"
        keys $typed
        copy=$(copy_of "$read")
        if [[ $copy == "$expected" ]]; then
            pass "$check"
            return 0
        fi
    done
    fail "$check: $read holds '$copy', not '$expected'"
}

no_window_named() { ! window_named "$1"; }
table_shown() { ! xprop -id "$table" _NET_WM_STATE | grep -q HIDDEN && window_named 'CÓDIGO ASCII'; }

pixel() { # window x y -> "r,g,b"
    import -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 2p | grep -o 'srgb([0-9,]*' | cut -c6-
}
pixel_is() { [[ $(pixel "$1" "$2" "$3") == "$4" ]]; }

# The frame a window is shown in, "left top width height": the window
# manager's window around it, or the window itself where it has none.
read -r screen_width screen_height < <(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { print w, $2 }')
shown_frame() {
    local frame
    frame=$(frame_of "$1")
    xwininfo -id "$frame" 2>/dev/null | grep -q 'Map State: IsViewable' || frame=$1
    xwininfo -id "$frame" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { print x, y, w, $2 }'
}
expect_centred() { # CHECK "LEFT TOP WIDTH HEIGHT"
    if centred_on "$2" "$screen_width" "$screen_height"; then
        pass "$1"
    else
        fail "$1: the frame is at $2 (left top width height) on a ${screen_width}x$screen_height screen"
    fi
}

# --- The start-up window is a centred splash screen, not "Form1" -----------
"$program" >/dev/null 2>&1 &
pid=$!
if wait_for window_named Vantrel; then
    splash=$(window_named Vantrel)
    if xprop -id "$splash" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_SPLASH; then
        pass "the start-up window is a splash screen"
    else
        fail "the start-up window's type: $(xprop -id "$splash" _NET_WM_WINDOW_TYPE)"
    fi
    expect_centred "the start-up window opens centred" "$(shown_frame "$splash")"
else
    fail "no start-up window named Vantrel"
fi
stop_program

# --- Windows open centred, frame and title bar; the table rises -------------
start_program
expect_centred "the converter window opens centred, title bar included" "$(shown_frame "$converter")"
click cmd2
if wait_for window_named 'CÓDIGO ASCII'; then
    table=$(window_named 'CÓDIGO ASCII')
    table_rose() { rose_as_designed "$(frame_tops "$table" "$moves")"; }
    if wait_for table_rose; then
        pass "the table window's frame rises 24 px in steps of 4 and drops 8"
    else
        fail "the table window's frame went through the tops $(frame_tops "$table" "$moves" | tr '\n' ' ')"
    fi
    expect_centred "the table window first shows centred, title bar included" \
        "$(frame_places "$table" "$moves" | awk '$3 > 1 && $4 > 1' | head -n 1)"
else
    fail "the at sign opens no table window"
fi
click cmd3
if wait_for window_named Vantrel; then
    expect_centred "the about box opens centred over the converter window" "$(shown_frame "$(window_named Vantrel)")"
    keys Return
    wait_for no_window_named Vantrel || fail "the about box did not close"
else
    fail "the question mark opens no about box"
fi
stop_program

# --- Spanish layout and dead keys in every field that takes letters --------
start_program
typed_check "´ then a in txtC gives á (225)" txtC "dead_acute a Return" txtA 225
typed_check "ñ in txtC gives 241" txtC "ntilde Return" txtA 241
switch_panel cmd1 message
typed_check "dead keys in txtMensaje" txtMensaje \
    "ctrl+a BackSpace dead_acute a dead_diaeresis u ntilde Return" txtMensaje "áüñ"
expect_field txtBinario "111000011111110011110001" "the typed message encodes"
switch_panel cmdBoton1 hex
typed_check "dead keys in txtHexa" txtHexa "ctrl+a BackSpace dead_acute e" txtHexa "é"
typed_check "Shift+Enter and dead keys in txtBin" txtBin \
    "ctrl+a BackSpace 1 0 shift+Return dead_acute o" txtBin "10
ó"

# --- Every tab and button --------------------------------------------------
switch_panel cmdBoton0 message
expect_field txtMensaje "áüñ" "ASCII tab brings the message panel back"
click Option1
expect_field txtBinario "110000111111001110001" "7 re-encodes in 7 bits"
focus_field txtMensaje # Option2 converts on the side last worked in
click Option2
expect_field txtBinario "111000011111110011110001" "8 re-encodes in 8 bits"
switch_panel cmd1 value
expect_field txtA 241 "the arrow slides back to the value panel"
click cmd3
if wait_for window_named Vantrel; then
    pass "the question mark opens the about box"
    keys Return
    wait_for no_window_named Vantrel ||
        fail "the about box did not close"
else
    fail "no about box"
fi
click chkManual
typed_check "M switches manual mode off: typing converts at once" txtC b txtA 98
click chkManual

# --- Activation is not a focus move -----------------------------------------
typed_check "manual mode: 300 waits for Enter" txtA "ctrl+a 3 0 0" txtA 300
click cmd2
wait_for window_named 'CÓDIGO ASCII' || fail "the at sign opens no table window"
table=$(window_named 'CÓDIGO ASCII' || true)
activate "$converter" || fail "the converter window never became active again"
if wait_for pixel_is "$converter" ${corner[txtA]} "0,160,240"; then
    pass "re-activating the window leaves txtA's colour as it was"
else
    fail "re-activating the window turned txtA $(pixel "$converter" ${corner[txtA]})"
fi
keys Escape

# --- The minimised table comes back -----------------------------------------
table_minimised() { xprop -id "$table" _NET_WM_STATE | grep -q HIDDEN; }
if [[ -z $table ]]; then
    fail "no table window to minimise"
elif ! { xdotool windowminimize "$table" && wait_for table_minimised; }; then
    fail "the table window never minimised: $(xprop -id "$table" _NET_WM_STATE)"
fi
click cmd2
if [[ -n $table ]] && wait_for table_shown; then
    pass "the at sign restores the minimised table"
else
    fail "the table stays minimised: $(xprop -id "$table" _NET_WM_STATE)"
fi
stop_program

# --- No edit is lost ---------------------------------------------------------
# A text put on the clipboard (or the primary selection) as another program would.
offer() { printf '%s' "$2" | xclip -selection "$1" >/dev/null 2>&1; }

# Drags the selection at the start of one field's first line and drops it on
# another field, at a hand's pace: on the middle of it, or past the end of its
# first line. The fields may lie in two windows (two programs).
#   drag_selection FIELD WINDOW TARGET-FIELD TARGET-WINDOW middle|end
drag_selection() {
    local from_x from_y to_x to_y step
    read -r from_x from_y <<<"${corner[$1]}"
    from_x=$((from_x + 8)) from_y=$((from_y + 8))
    if [[ $5 == middle ]]; then
        read -r to_x to_y <<<"$(position "$3")"
    else
        read -r to_x to_y <<<"${corner[$3]}"
        to_x=$((to_x + 200)) to_y=$((to_y + 8))
    fi
    xdotool mousemove --window "$2" "$from_x" "$from_y" mousedown 1
    for step in 4 8 16 24; do
        xdotool mousemove --window "$2" $((from_x + step)) $((from_y + step / 4))
        sleep 0.05
    done
    for step in 40 20 10 0; do
        xdotool mousemove --window "$4" $((to_x - step)) "$to_y"
        sleep 0.05
    done
    xdotool mouseup 1
}
start_program
panel=value
offer primary "Hola"
focus_field txtC
xdotool mousemove --window "$converter" $(position txtC) click 2
keys Return
expect_field txtA 72 "a middle click types only the first character into txtC"

switch_panel cmdBoton1 hex
focus_field txtHexa
keys ctrl+a BackSpace # empties txtBin too
offer clipboard "0100 0001"
focus_field txtBin
keys ctrl+v
typed_check "Enter in an empty txtHexa leaves the invalid txtBin" txtHexa Return txtBin "0100 0001"

offer clipboard "0100000101000010"
focus_field txtBin
keys ctrl+a ctrl+v ctrl+a
drag_selection txtBin "$converter" txtHexa "$converter" middle
expect_field txtHexa "41420100000101000010" "a drop from txtBin lands in txtHexa"
expect_field txtBin \
    "1000001010000100000000100000000000000000000000100000001000000000000000000010000" \
    "and txtBin holds its conversion"

# Keys typed while 20,000,000 digits are pasted come after them.
head -c 20000000 /dev/zero | tr '\0' 1 | xclip -selection clipboard >/dev/null 2>&1
focus_field txtBin
keys ctrl+a BackSpace
xdotool key --delay 30 ctrl+v x y z
tail_of_txtBin() {
    focus_field txtBin
    focused_copy 600 | tail -c 4 | tr -d '\n'
}
if [[ $(tail_of_txtBin) == 1xyz ]]; then
    pass "keys typed during a large paste follow it"
else
    fail "keys typed during a large paste: txtBin ends '$(tail_of_txtBin)'"
fi
stop_program

# --- Drags between a panel's fields copy, both ways -------------------------
# Each leaves both fields holding a text and its conversion (manual mode: the
# text, until Enter), and the source field as it was.
start_program
switch_panel cmdBoton1 hex
typed_check "0101 typed in txtBin" txtBin "ctrl+a BackSpace 0 1 0 1" txtHexa 5
typed_check "41 typed in txtHexa" txtHexa "ctrl+a 4 1" txtBin 1000001
focus_field txtHexa
keys ctrl+a
drag_selection txtHexa "$converter" txtBin "$converter" end
expect_field txtBin 100000141 "a drag from txtHexa lands in txtBin"
expect_field txtHexa 41 "and txtHexa keeps what was dragged"
switch_panel cmdBoton0 value
switch_panel cmd1 message
typed_check "Hi typed in txtMensaje" txtMensaje "ctrl+a BackSpace H i Return" txtBinario 0100100001101001
focus_field txtMensaje
keys ctrl+a
drag_selection txtMensaje "$converter" txtBinario "$converter" end
expect_field txtBinario 0100100001101001Hi "a drag from txtMensaje lands in txtBinario"
expect_field txtMensaje Hi "and txtMensaje keeps what was dragged"
typed_check "01000001 typed in txtBinario" txtBinario "ctrl+a BackSpace 0 1 0 0 0 0 0 1 Return" txtMensaje A
focus_field txtBinario
keys ctrl+a
drag_selection txtBinario "$converter" txtMensaje "$converter" end
expect_field txtMensaje A01000001 "a drag from txtBinario lands in txtMensaje"
expect_field txtBinario 01000001 "and txtBinario keeps what was dragged"

# --- A drop from another program that a field cuts to fit is a copy ---------
# A second Vantrel, moved clear of the first, is the other program.
stop_program
start_program
first=$converter first_pid=$pid
other_vantrel() {
    local id
    for id in $(xdotool search --onlyvisible --name '^VANTREL$'); do
        [[ $id != "$first" && $(xdotool getwindowname "$id") == VANTREL ]] && { echo "$id"; return 0; }
    done
    return 1
}
"$program" >/dev/null 2>&1 &
second_pid=$!
wait_for other_vantrel || fail "the second program's window never showed"
second=$(other_vantrel || echo root)
xdotool windowmove --sync "$second" 0 0 || true
converter=$second panel=value
switch_panel cmd1 message
typed_check "Hola typed in the other program" txtMensaje "ctrl+a BackSpace H o l a" txtMensaje Hola
focus_field txtMensaje
keys ctrl+a
converter=$first panel=value
activate "$first" || true
drag_selection txtMensaje "$second" txtC "$first" middle
expect_field txtC H "Hola dropped on txtC types its first character"
converter=$second panel=message
expect_field txtMensaje Hola "and the other program keeps Hola"

switch_panel cmdBoton1 hex
offer clipboard "$(printf 'F%.0s' $(seq 600))"
focus_field txtBin
keys ctrl+a ctrl+v ctrl+a
converter=$first
switch_panel cmdBoton1 hex
drag_selection txtBin "$second" txtHexa "$first" middle
expect_field txtHexa "$(printf 'F%.0s' $(seq 500))" "600 Fs dropped on txtHexa keep the first 500"
converter=$second
expect_field txtBin "$(printf 'F%.0s' $(seq 600))" "and the other program keeps all 600"
kill "$second_pid" 2>/dev/null || true
wait "$second_pid" 2>/dev/null || true
converter=$first pid=$first_pid
stop_program

# --- Keys reach the panels ----------------------------------------------------
# Presses a panel's key, waits until the panels moved and rest again, then
# reads the field that the key gave the focus: key_check CHECK KEY PANEL
# [TEXT]. Without a TEXT (an empty field copies nothing) the caller types.
key_check() {
    local check=$1 key=$2 expected=${4:-} before copy
    before=$(window_picture)
    keys "$key"
    panel=$3
    wait_for window_changed "$before" || fail "$check: nothing moved"
    wait_for window_still || fail "$check: the panels never came to rest"
    [[ -n $expected ]] || return 0
    copy=$(focused_copy)
    if [[ $copy == "$expected" ]]; then
        pass "$check"
    else
        fail "$check: the focused field holds '$copy', not '$expected'"
    fi
}
start_program
panel=value
focus_field txtC
key_check "Ctrl+3 shows the HEXA panel" ctrl+3 hex
keys 4 1
if [[ $(focused_copy) == 41 ]]; then
    pass "Ctrl+3 gives txtHexa the focus"
else
    fail "Ctrl+3: the keys typed next did not reach txtHexa"
fi
expect_field txtBin 1000001 "and txtBin holds the conversion"
key_check "Ctrl+1 brings back the value panel, focus in txtC" ctrl+1 value A
key_check "Ctrl+2 slides to the message panel" ctrl+2 message
keys H i Return
if [[ $(focused_copy) == Hi ]]; then
    pass "Ctrl+2 gives txtMensaje the focus"
else
    fail "Ctrl+2: the keys typed next did not reach txtMensaje"
fi
expect_field txtBinario 0100100001101001 "and txtBinario holds the encoding"
focus_field txtBinario
key_check "Ctrl+3 in txtBinario shows the HEXA panel" ctrl+3 hex 41
key_check "Ctrl+1 in txtHexa returns to the message panel" ctrl+1 message Hi
key_check "Ctrl+2 in txtMensaje slides back to the value panel" ctrl+2 value A
keys F1
if wait_for window_named Vantrel; then
    pass "F1 opens the about box"
    keys Return
    wait_for no_window_named Vantrel || fail "the about box did not close"
else
    fail "F1 opens no about box"
fi
stop_program

# --- Fixed-size windows ask for no maximise --------------------------------
# The window manager is told through WM_NORMAL_HINTS (minimum = maximum) and
# the Motif hints (no maximise function or button); it then leaves
# maximising out of the actions it allows. (Openbox 3.6 still draws a
# maximise button whenever the minimise button stands between it and the
# title, but that button does nothing.)
allows_no_maximise() { # CHECK WINDOW
    local check=$1 window=$2 actions hints motif min max
    actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
    hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    motif=$(xprop -id "$window" _MOTIF_WM_HINTS | grep -o '=.*' | tr -d '= ')
    min=$(grep -o 'minimum size: [0-9]* by [0-9]*' <<<"$hints" | cut -d: -f2)
    max=$(grep -o 'maximum size: [0-9]* by [0-9]*' <<<"$hints" | cut -d: -f2)
    local functions decorations
    IFS=, read -r _ functions decorations _ <<<"$motif"
    functions=${functions:-0} decorations=${decorations:-0}
    if [[ $actions == *_NET_WM_ACTION_MAXIMIZE* || $actions != *_NET_WM_ACTION_MINIMIZE* ||
          $actions != *_NET_WM_ACTION_CLOSE* || -z $min || $min != "$max" ||
          $((functions & 0x10)) -ne 0 || $((decorations & 0x40)) -ne 0 ]]; then
        fail "$check: allowed $actions; size hints$min to$max; Motif hints $motif"
    else
        pass "$check"
    fi
}
start_program
panel=value
allows_no_maximise "the converter window can be minimised and closed, not maximised" "$converter"
click cmd2
if wait_for window_named 'CÓDIGO ASCII'; then
    allows_no_maximise "the table window can be minimised and closed, not maximised" \
        "$(window_named 'CÓDIGO ASCII')"
else
    fail "the at sign opens no table window"
fi
stop_program

# --- Same pixels under the desktop's dark theme ------------------------------
screenshots() { # prefix, then the environment to start with
    local prefix=$1
    shift
    start_program "$@"
    panel=value
    # The focus on a button: no blinking caret in the picture.
    focus_field txtB
    keys Tab
    wait_for window_still || fail "$prefix: the converter window never came to rest"
    import -window "$converter" "$shots/$prefix-converter.png"
    click cmd2
    wait_for window_named 'CÓDIGO ASCII' || fail "$prefix: the at sign opens no table window"
    local table
    table=$(window_named 'CÓDIGO ASCII' || echo root)
    # Full once the last line is in: wait for two identical pictures.
    local before=
    for _ in $(seq 100); do
        import -window "$table" "$shots/$prefix-table.png"
        local now
        now=$(md5sum <"$shots/$prefix-table.png")
        [[ $now == "$before" ]] && break
        before=$now
    done
    activate "$converter" || fail "$prefix: the converter window never became active again"
    click cmd3
    wait_for window_named Vantrel || fail "$prefix: the question mark opens no about box"
    import -window "$(window_named Vantrel || echo root)" "$shots/$prefix-about.png"
    keys Return
    stop_program
}
screenshots light
screenshots dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
for window in converter table about; do
    difference=$(compare -metric AE "$shots/light-$window.png" "$shots/dark-$window.png" null: 2>&1 || true)
    if [[ $difference == 0 ]]; then
        pass "the $window window looks the same under a dark theme"
    else
        fail "the $window window differs under a dark theme in $difference pixels (see $shots)"
    fi
done

finished=1
((failures == 0)) || { echo "$failures checks failed; screenshots in $shots" >&2; exit 1; }
