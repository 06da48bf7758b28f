#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads and drives the running program as a screen reader does, through
AT-SPI, the accessibility bus of Linux desktops.

  screen_reader.py PID tree      names and roles of the converter window, its
                                 binary fields' text read and typed, its tabs
  screen_reader.py PID convert   a conversion, then the table window opened

Prints a PASS or FAIL line a check; exits 1 when any failed.
"""

import sys
import time

import pyatspi

failures = 0


def check(passed, what, detail=""):
    global failures
    if passed:
        print(f"PASS: {what}")
    else:
        failures += 1
        print(f"FAIL: {what}: {detail}", file=sys.stderr)
    return passed


def poll(predicate, seconds=10):
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


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            # Windows come and go: read the tree afresh, not from the cache.
            app.clear_cache()
            return app
    return None


def window(pid, title):
    app = application(pid)
    return next((w for w in app if w is not None and w.name == title), None) if app else None


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def find(root, role, name, multi_line=None):
    for node in descendants(root):
        if node.getRole() == role and node.name == name and (
            multi_line is None
            or node.getState().contains(pyatspi.STATE_MULTI_LINE) == multi_line
        ):
            return node
    raise LookupError(f"no {role} named {name!r}")


def press(node):
    node.queryAction().doAction(0)


def type_into(node, text):
    node.queryComponent().grabFocus()
    poll(lambda: node.getState().contains(pyatspi.STATE_FOCUSED))
    node.queryEditableText().setTextContents(text)


def text_of(node):
    return node.queryText().getText(0, -1)


def text_becomes(node, expected, what):
    got = poll(lambda: text_of(node) == expected and expected, 5)
    return check(got, what, f"{node.name!r} holds {text_of(node)!r}, not {expected!r}")


def inside(node, outer):
    a = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    b = outer.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (b.x <= a.x and a.x + a.width <= b.x + b.width and
            b.y <= a.y and a.y + a.height <= b.y + b.height)


# What a screen reader names in the converter window: every field, button and
# tab, by role and Spanish name.
CONTROLS = sorted([
    ("text", "CARACTER"), ("text", "VALOR ASCII/DECIMAL"), ("text", "VALOR BINARIO"),
    ("text", "MENSAJE"), ("text", "MENSAJE EN BINARIO"),
    ("text", "VALOR HEXADECIMAL"), ("text", "VALOR BINARIO"),
    ("push button", "Acerca del programa."),
    ("push button", "Ver lista de código Ascii (Visual Basic 6.0)."),
    ("push button", "Ver conversión de texto."),
    ("check box", "Manual activado."),
    ("radio button", "Modo 7 bits."), ("radio button", "Modo 8 bits."),
    ("page tab", "ASCII"), ("page tab", "HEXA"),
])
CONTAINERS = {pyatspi.ROLE_FILLER, pyatspi.ROLE_FRAME, pyatspi.ROLE_PANEL,
              pyatspi.ROLE_SCROLL_BAR}


def check_tree(pid, converter):
    met = sorted((node.getRoleName(), node.name) for node in descendants(converter)
                 if node.getRole() not in CONTAINERS
                 and node.getState().contains(pyatspi.STATE_VISIBLE))
    check(met == CONTROLS, "every field, button and tab has its role and Spanish name",
          f"missing {sorted(set(CONTROLS) - set(met))}, unexpected {sorted(set(met) - set(CONTROLS))}"
          if set(met) != set(CONTROLS) else f"met {met}")

    tab = {name: find(converter, pyatspi.ROLE_PAGE_TAB, name) for name in ("ASCII", "HEXA")}
    field = lambda name, multi_line=None: find(converter, pyatspi.ROLE_TEXT, name, multi_line)
    txtHexa, txtBin = field("VALOR HEXADECIMAL"), field("VALOR BINARIO", True)
    txtC, txtMensaje = field("CARACTER"), field("MENSAJE")
    txtBinario = field("MENSAJE EN BINARIO")

    def shows(tab_name, node, what):
        press(tab[tab_name])
        check(poll(lambda: inside(node, converter) and
                   tab[tab_name].getState().contains(pyatspi.STATE_SELECTED)),
              what, f"{node.name!r} is not in view, or the tab is not selected")

    shows("HEXA", txtHexa, "the tab HEXA, pressed, shows its panel")
    # Typed as a user types: into the field that has the focus.
    type_into(txtBin, "0100000101000010")
    text_becomes(txtHexa, "4142", "digits written into txtBin convert")
    txtBin.queryEditableText().insertText(0, "1111", 4)
    text_becomes(txtHexa, "F4142", "digits inserted into txtBin convert")
    check(text_of(txtBin) == "11110100000101000010" and
          txtBin.queryText().characterCount == 20,
          "txtBin reads back what was typed", repr(text_of(txtBin)))
    type_into(txtHexa, "41")
    text_becomes(txtBin, "1000001", "txtBin reads back the program's conversion")
    # A line break is one character to a screen reader, two codes to the field.
    type_into(txtBin, "0100\n0001")
    txtBin.queryEditableText().insertText(5, "1", 1)
    text = txtBin.queryText()
    check(text_of(txtBin) == "0100\n10001" and text.characterCount == 10 and
          text.getText(5, 7) == "10", "offsets after a line break in txtBin",
          f"{text_of(txtBin)!r}, {text.characterCount} characters")

    shows("ASCII", txtC, "the tab ASCII, pressed, shows the value panel")
    manual = find(converter, pyatspi.ROLE_CHECK_BOX, "Manual activado.")
    # Off, every change converts, not only Enter. (Here, not on the message
    # panel, where a message box says what that costs.)
    press(manual)
    check(poll(lambda: not manual.getState().contains(pyatspi.STATE_CHECKED)),
          "manual mode switched off", "still checked")
    press(find(converter, pyatspi.ROLE_PUSH_BUTTON, "Ver conversión de texto."))
    check(poll(lambda: inside(txtMensaje, converter)), "the arrow shows the message panel",
          "txtMensaje is not in view")
    type_into(txtBinario, "0100100001101001")
    text_becomes(txtMensaje, "Hi", "digits written into txtBinario decode")
    txtBinario.queryEditableText().insertText(16, "01000001", 8)
    text_becomes(txtMensaje, "HiA", "digits inserted into txtBinario decode")
    type_into(txtMensaje, "Hola")
    text_becomes(txtBinario, "01001000011011110110110001100001",
                 "txtBinario reads back the program's encoding")
    press(find(converter, pyatspi.ROLE_RADIO_BUTTON, "Modo 7 bits."))
    text_becomes(txtBinario, "1001000110111111011001100001",
                 "the option button 7, pressed, re-encodes in 7 bits")
    shows("HEXA", txtHexa, "the tab HEXA, pressed again, shows its panel")
    shows("ASCII", txtMensaje, "the tab ASCII, pressed, brings back the message panel")


def check_convert(pid, converter):
    press(find(converter, pyatspi.ROLE_PAGE_TAB, "HEXA"))
    type_into(find(converter, pyatspi.ROLE_TEXT, "VALOR BINARIO", True), "01000001")
    text_becomes(find(converter, pyatspi.ROLE_TEXT, "VALOR HEXADECIMAL"), "41",
                 "digits written into txtBin convert")
    press(find(converter, pyatspi.ROLE_PUSH_BUTTON,
               "Ver lista de código Ascii (Visual Basic 6.0)."))
    check(poll(lambda: window(pid, "CÓDIGO ASCII")), "the at sign opens the table window",
          "no window named CÓDIGO ASCII")


def main():
    pid, checks = int(sys.argv[1]), sys.argv[2]
    converter = poll(lambda: window(pid, "VANTREL"), 30)
    if not check(converter, "the converter window is on the accessibility bus",
                 f"no window named VANTREL in process {pid}"):
        return 1
    {"tree": check_tree, "convert": check_convert}[checks](pid, converter)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
