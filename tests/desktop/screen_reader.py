#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads and drives the program as a screen reader does, through AT-SPI (run
it through on_bus.sh). PROGRAM is a path to start or the PID of a running one.
  screen_reader.py tree PROGRAM     roles and names in the converter window, the
                                    binary fields read and typed, the tabs pressed
  screen_reader.py convert PROGRAM  a conversion, then the table window opened
"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = 0


def check(passed, what, detail=""):
    global failures
    failures += not passed
    print(f"PASS: {what}" if passed else f"FAIL: {what}: {detail}",
          file=sys.stdout if passed else sys.stderr)
    return passed


def poll(predicate, seconds=30):
    """The predicate's first true value, polled every 50 ms, or None."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            value = predicate()
        except Exception:  # the tree is still being built or torn down
            value = None
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def window(pid, title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            app.clear_cache()  # windows come and go: read the tree afresh
            return next(w for w in app if w is not None and w.name == title)


def descendants(node):
    for child in filter(None, node):
        yield child
        yield from descendants(child)


def find(root, role, name, multi_line=None):
    return next(node for node in descendants(root)
                if node.getRole() == role and node.name == name and multi_line in (
                    None, node.getState().contains(pyatspi.STATE_MULTI_LINE)))


def press(node):
    node.queryAction().doAction(0)


def type_into(node, text):  # as a user types: into the field with the focus
    node.queryComponent().grabFocus()
    poll(lambda: node.getState().contains(pyatspi.STATE_FOCUSED))
    node.queryEditableText().setTextContents(text)


def text_of(node):
    return node.queryText().getText(0, -1)


def text_becomes(node, expected, what):
    check(poll(lambda: text_of(node) == expected), what,
          f"{node.name!r} holds {text_of(node)!r}, not {expected!r}")


def inside(node, outer):
    a, b = (n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for n in (node, outer))
    return (b.x <= a.x and a.x + a.width <= b.x + b.width and
            b.y <= a.y and a.y + a.height <= b.y + b.height)


# Every field, button and tab of the converter window, by role and name.
CONTROLS = sorted(
    [("text", name) for name in ("CARACTER", "VALOR ASCII/DECIMAL", "VALOR BINARIO",
                                 "MENSAJE", "MENSAJE EN BINARIO", "VALOR HEXADECIMAL",
                                 "VALOR BINARIO")] +
    [("push button", "Acerca del programa."), ("push button", "Ver conversión de texto."),
     ("push button", "Ver lista de código Ascii (Visual Basic 6.0)."),
     ("check box", "Manual activado."), ("radio button", "Modo 7 bits."),
     ("radio button", "Modo 8 bits."), ("page tab", "ASCII"), ("page tab", "HEXA")])
CONTAINERS = {pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_SCROLL_BAR,
              pyatspi.ROLE_NOTIFICATION}


def text_changes_of(node, action, expected, kind="object:text-changed"):
    """What the screen reader is told of a field while `action` runs: events
    of that kind, as (last word of the type, detail1, detail2), in order."""
    return [change[1:] for change in told_while(lambda source: source == node, action,
                                                 expected, kind)]


def told_while(is_source, action, expected, *kinds):
    """What the screen reader is told while `action` runs by the objects that
    `is_source` picks: events of those kinds, as (the object's name, last word
    of the type, detail1, detail2), in order. Listens until `expected` events
    came and half a second more passed without one (to catch any extra), or
    30 s: a loaded machine tells late."""
    told = []

    def listen(event):
        if is_source(event.source):
            told.append((event.source.name, event.type.split(":")[-1], event.detail1,
                         event.detail2))

    pyatspi.Registry.registerEventListener(listen, *kinds)
    try:
        action()
        deadline = time.monotonic() + 30
        heard, quiet_since = 0, time.monotonic()
        while time.monotonic() < deadline:
            while GLib.MainContext.default().iteration(False):
                pass
            if len(told) != heard:
                heard, quiet_since = len(told), time.monotonic()
            elif heard >= expected and time.monotonic() - quiet_since > 0.5:
                break
            time.sleep(0.05)
    finally:
        pyatspi.Registry.deregisterEventListener(listen, *kinds)
    return told


def check_window(converter):
    """The window is an active frame; inside it only panels, none a window."""
    # The window manager activates it once it is mapped: late on a loaded machine.
    poll(lambda: converter.getState().contains(pyatspi.STATE_ACTIVE))
    state = converter.getState()
    check(converter.getRole() == pyatspi.ROLE_FRAME and state.contains(pyatspi.STATE_ACTIVE),
          "the converter window is an active frame",
          f"{converter.getRoleName()}, active: {state.contains(pyatspi.STATE_ACTIVE)}")
    inner = [node.getRoleName() for node in descendants(converter)
             if node.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW, pyatspi.ROLE_DIALOG)]
    check(not inner, "no container inside it poses as a window", f"inner windows: {inner}")
    # With the value panel in view, the other panels' fields are not showing.
    showing = sorted(node.name for node in descendants(converter)
                     if node.getRole() == pyatspi.ROLE_TEXT
                     and node.getState().contains(pyatspi.STATE_SHOWING))
    check(showing == ["CARACTER", "VALOR ASCII/DECIMAL", "VALOR BINARIO"],
          "only the fields of the panel in view are showing", f"showing: {showing}")


def check_tree(converter):
    check_window(converter)
    met = sorted((node.getRoleName(), node.name) for node in descendants(converter)
                 if node.getRole() not in CONTAINERS)
    check(met == CONTROLS, "every field, button and tab has its role and Spanish name",
          f"missing {sorted(set(CONTROLS) - set(met))}, unexpected {sorted(set(met) - set(CONTROLS))}")

    def field(name, multi_line=None):
        return find(converter, pyatspi.ROLE_TEXT, name, multi_line)

    txtHexa, txtBin, txtC = field("VALOR HEXADECIMAL"), field("VALOR BINARIO", True), field("CARACTER")
    txtMensaje, txtBinario = field("MENSAJE"), field("MENSAJE EN BINARIO")

    def shows(tab_name, node, what):
        tab = find(converter, pyatspi.ROLE_PAGE_TAB, tab_name)
        press(tab)
        check(poll(lambda: inside(node, converter) and
                   tab.getState().contains(pyatspi.STATE_SELECTED)),
              what, f"{node.name!r} is not in view, or the tab is not selected")

    shows("HEXA", txtHexa, "the tab HEXA, pressed, shows its panel")
    type_into(txtBin, "0100000101000010")
    text_becomes(txtHexa, "4142", "digits written into txtBin convert")
    txtBin.queryEditableText().insertText(0, "1111", 4)
    text_becomes(txtHexa, "F4142", "digits inserted into txtBin convert")
    type_into(txtHexa, "41")
    text_becomes(txtBin, "1000001", "txtBin reads back the program's conversion")
    # The program rewrites txtHexa: exactly what it held goes, what it holds comes.
    told = text_changes_of(txtHexa, lambda: type_into(txtBin, "0101"), 2)
    check(told == [("delete", 0, 2), ("insert", 0, 1)],
          "a rewrite of txtHexa tells what it removed and inserted", f"told {told}")
    told = text_changes_of(txtBin, lambda: txtBin.queryText().setSelection(0, 1, 3), 1,
                           "object:text-selection-changed")
    check(len(told) == 1, "a selection made in txtBin is told", f"told {told}")
    told = text_changes_of(txtHexa, lambda: type_into(txtBin, ""), 1)
    check(told == [("delete", 0, 1)], "emptying txtHexa tells of the one character it held",
          f"told {told}")
    type_into(txtBin, "012")
    check(poll(lambda: txtBin.description.startswith("No válido.")),
          "an invalid field says so in its description", f"{txtBin.description!r}")
    # A line break is one character to a screen reader, two codes to the field.
    type_into(txtBin, "0100\n0001")
    txtBin.queryEditableText().insertText(5, "1", 1)
    text = txtBin.queryText()
    check(text_of(txtBin) == "0100\n10001" and text.characterCount == 10 and
          text.getText(5, 7) == "10", "offsets after a line break in txtBin",
          f"{text_of(txtBin)!r}, {text.characterCount} characters")

    shows("ASCII", txtC, "the tab ASCII, pressed, shows the value panel")
    # Manual mode off, every change converts. (Here: on the message panel a
    # modal box says what that costs, and the press would wait for it.)
    manual = find(converter, pyatspi.ROLE_CHECK_BOX, "Manual activado.")
    press(manual)
    check(poll(lambda: not manual.getState().contains(pyatspi.STATE_CHECKED)),
          "manual mode switched off", "still checked")
    press(find(converter, pyatspi.ROLE_PUSH_BUTTON, "Ver conversión de texto."))
    check(poll(lambda: inside(txtMensaje, converter)), "the arrow shows the message panel",
          "txtMensaje is not in view")
    type_into(txtBinario, "0100100001101001")
    text_becomes(txtMensaje, "Hi", "digits written into txtBinario decode")
    type_into(txtMensaje, "Hola")
    text_becomes(txtBinario, "01001000011011110110110001100001",
                 "txtBinario reads back the program's encoding")
    press(find(converter, pyatspi.ROLE_RADIO_BUTTON, "Modo 7 bits."))
    text_becomes(txtBinario, "1001000110111111011001100001",
                 "the option button 7, pressed, re-encodes in 7 bits")
    shows("HEXA", txtHexa, "the tab HEXA, pressed again, shows its panel")
    shows("ASCII", txtMensaje, "the tab ASCII brings back the message panel")
    # A failed decoding leaves its marker in txtMensaje, and the focus clears
    # it. The reader hears of the focus first: told the other way round, Orca
    # moves along with the text change and never says where the focus went.
    type_into(txtBinario, "2")
    text_becomes(txtMensaje, "!(Código no válido)", "an invalid binary message shows the marker")
    told = told_while(lambda source: source == txtMensaje,
                      lambda: press(find(converter, pyatspi.ROLE_PAGE_TAB, "ASCII")), 3,
                      "object:state-changed:focused", "object:text-changed:delete",
                      "object:text-caret-moved")
    kinds = [kind for _, kind, gained, _ in told if kind != "focused" or gained]
    check(kinds[:1] == ["focused"] and "delete" in kinds,
          "the tab ASCII gives txtMensaje the focus, told before the marker goes", f"told {told}")


def check_convert(converter):
    press(find(converter, pyatspi.ROLE_PAGE_TAB, "HEXA"))
    type_into(find(converter, pyatspi.ROLE_TEXT, "VALOR BINARIO", True), "01000001")
    text_becomes(find(converter, pyatspi.ROLE_TEXT, "VALOR HEXADECIMAL"), "41",
                 "digits written into txtBin convert")
    at_sign = find(converter, pyatspi.ROLE_PUSH_BUTTON,
                   "Ver lista de código Ascii (Visual Basic 6.0).")
    # The 255 lines are told as they come. The caret in each column goes back
    # to its start after the first line and stays there, so no caret moves
    # along with every line to flood the reader.
    told = told_while(lambda source: source.name.startswith("Códigos "), lambda: press(at_sign),
                      255, "object:text-changed:insert", "object:text-caret-moved")
    check(poll(lambda: window(pid, "CÓDIGO ASCII")), "the at sign opens the table window",
          "no window named CÓDIGO ASCII")
    lines = [change for change in told if change[1] == "insert"]
    moves = [change for change in told if change[1] == "text-caret-moved"]
    caret_at_last = {name: offset for name, _, offset, _ in moves}
    check(len(lines) == 255 and len(moves) <= 2 * 4 and set(caret_at_last.values()) <= {0},
          "the table fills line by line, its columns' carets staying at their start",
          f"{len(lines)} lines told, caret moves {moves[:8]}")


if __name__ == "__main__":
    checks, target = sys.argv[1:3]
    started = None if target.isdigit() else subprocess.Popen([target], stdout=subprocess.DEVNULL)
    pid = started.pid if started else int(target)
    try:
        converter = poll(lambda: window(pid, "VANTREL"), 30)
        if check(converter, "the converter window is on the accessibility bus",
                 f"no window named VANTREL in process {pid}"):
            {"tree": check_tree, "convert": check_convert}[checks](converter)
    finally:
        if started:
            started.kill()
            started.wait()
    sys.exit(1 if failures else 0)
