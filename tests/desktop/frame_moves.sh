# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the real-display suites: the places the X server reports for a
# window's frame (the window manager's window around it, title bar
# included), read from a log of `xev -root -event substructure`.

# The frame around a client window: its parent, when a window manager framed it.
frame_of() {
    xwininfo -id "$1" -tree | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p'
}

# "left top width height" of each ConfigureNotify the log holds for the frame
# of a client window, oldest first, a repeat of the same place left out.
frame_places() { # CLIENT LOG
    local frame
    frame=$(frame_of "$1") || return 1
    [[ -n $frame ]] || return 1
    awk -v frame="$frame," '/^ConfigureNotify/ { getline
        if ($4 == frame) { split($5, at, /[(,)]/); sub(",", "", $7); sub(",", "", $9)
            print at[2], at[3], $7, $9 } }' "$2" | uniq
}

# The frame's tops: frame_tops CLIENT LOG
frame_tops() { frame_places "$1" "$2" | awk '$3 > 1 && $4 > 1 { print $2 }' | uniq; }

# True when the tops, oldest first, show the table's rise as a user sees it:
# from where the frame was first shown, up in steps of 4 px (60 twips; a busy
# window manager may apply two steps as one) to 24 px above it, then down
# 8 px (120 twips): the frame ends 16 px above where it first appeared.
rose_as_designed() { # TOPS (one a line)
    awk 'NR == 1 { first = $1; last = $1; next }
         !dropped && $1 < last && (last - $1) % 4 == 0 { last = $1; next }
         !dropped && last == first - 24 && $1 == last + 8 { dropped = 1; last = $1; next }
         { bad = 1 }
         END { exit !(dropped && !bad && last == first - 16) }' <<<"$1"
}

# True when a rectangle "left top width height" is centred on a screen of
# WIDTH x HEIGHT, to the pixel that halving an odd size leaves.
centred_on() { # "LEFT TOP WIDTH HEIGHT" WIDTH HEIGHT
    local left top width height
    read -r left top width height <<<"$1"
    local dx=$((2 * left + width - $2)) dy=$((2 * top + height - $3))
    ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2))
}
