#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Orca, the screen reader Debian ships, drives the program as a blind user
does: keys only, on the real display (run it through on_display.sh and
on_bus.sh), in Spanish. What Orca says is read from its debug log, its speech
going to a null speech module that writes it down.
  orca_suite.py PATH/TO/vantrel
"""

import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))

# Keys pressed (xdotool's names), then what Orca must say after them, and
# what it must not. Each step starts where the one before ended.
STEPS = [
    ("", ["CARACTER texto."], [" CARACTER "], "txtC, focused at start, is named"),
    ("a Return", ["notificación VALOR ASCII/DECIMAL: 97. VALOR BINARIO: 01100001."], [],
     "Enter's result, in fields the user is not in, is heard"),
    ("Tab", ["VALOR ASCII/DECIMAL texto.", "97 seleccionado."], [" VALOR ASCII/DECIMAL "],
     "Tab reaches 97 in txtA, named once"),
    ("Tab", ["VALOR BINARIO texto.", "01100001 seleccionado."], [],
     "Tab reaches 01100001 in txtB"),
    ("Tab", ["Ver conversión de texto. botón de pulsación."], [" Ver conversión de texto. "],
     "Tab reaches the arrow, a button named once"),
    ("shift+Tab shift+Tab ctrl+a 3 0 0 Return", ["VALOR ASCII/DECIMAL: no válido."], [],
     "300 in txtA is heard to be invalid"),
    ("ctrl+2", ["MENSAJE texto."], [], "Ctrl+2 lands in txtMensaje"),
    ("H o l a Return", ["notificación MENSAJE EN BINARIO: 01001000011011110110110001100001."],
     [], "the message's binary code is heard"),
    ("Tab", ["MENSAJE EN BINARIO texto."], [], "Tab reaches txtBinario"),
    ("ctrl+a x Return", ["MENSAJE: !(Código no válido).", "MENSAJE EN BINARIO: no válido."],
     [], "an invalid binary message: the marker and the invalid state are heard"),
    ("ctrl+3", ["VALOR HEXADECIMAL texto."], [], "Ctrl+3 lands in txtHexa"),
    ("Tab", ["VALOR BINARIO texto."], [], "Tab reaches txtBin, and stays in the HEXA panel"),
    ("1 0 1 0 1 1 1 1 0 0 0 0", ["notificación VALOR HEXADECIMAL: AF0."], [],
     "the hexadecimal form is heard as the digits are typed"),
    ("shift+Tab", ["VALOR HEXADECIMAL texto.", "AF0."], [], "AF0 is read in txtHexa"),
    # As a user does, listening first: a selection made before Orca took in
    # the focus is one it never hears change.
    ("Tab", ["VALOR BINARIO texto."], [], "Tab goes back to txtBin"),
    ("shift+Left", ["0", "seleccionado"], [], "Shift+Left in txtBin reads the selection"),
    ("ctrl+1", ["MENSAJE texto."], [], "Ctrl+1 brings back the message panel"),
    ("F1", ["Vantrel diálogo", "Tarnwick Vantrel: Versión 2.5."], [], "F1: the about box is read"),
    # Orca's "Where am I" (keypad Enter) says where the focus is.
    ("Return KP_Enter", ["MENSAJE"], [], "the about box closed, the focus is back"),
    ("Tab Tab Tab space", ["CÓDIGO ASCII marco.", "Códigos 001 a 031"], [],
     "the at sign opens the table, its first column named by its codes"),
    ("ctrl+Home Down", ["002"], [], "Down in a column reads the next line"),
    ("Tab", ["Códigos 032 a 127"], [], "Tab reaches the second column, named by its codes"),
    ("Tab Tab Tab Home ctrl+Right End", ["Fuente: texto.", "Arial"], [],
     "the font field, named by its label; a word move at the end of its text"),
    ("ctrl+a N o p e Return", ["Esta fuente no existe en el equipo."], [],
     "a missing font: the message box is read"),
    ("Return", ["Fuente: texto."], [], "the box closed, the focus is back in the font field"),
]

SETTINGS = {
    "general": {
        "speechServerFactory": "vantrel_null_speech",
        "speechFactoryModules": ["vantrel_null_speech"],
        "enableSpeech": True, "enableBraille": False, "enableSound": False, "firstStart": False,
    },
    "keybindings": {}, "pronunciations": {},
    "profiles": {"default": {"profile": ["Default", "default"]}},
}


def spoken(transcript):
    """Every utterance so far, oldest first."""
    try:
        with open(transcript, encoding="utf-8", errors="replace") as lines:
            return [line.rstrip("\n") for line in lines]
    except FileNotFoundError:
        return []


def said(phrase, heard):
    return any(phrase in utterance for utterance in heard)


def wait_for_speech(log, since, phrases, seconds=30):
    """The utterances after `since` once all phrases are among them, or on time-out."""
    deadline = time.monotonic() + seconds
    while True:
        heard = spoken(log)[since:]
        if all(said(phrase, heard) for phrase in phrases) or time.monotonic() > deadline:
            return heard
        time.sleep(0.1)


def main(program):
    failures = 0
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "user-settings.conf"), "w", encoding="utf-8") as conf:
        json.dump(SETTINGS, conf)
    log = os.path.join(work, "orca.log")
    transcript = os.path.join(work, "transcript")
    env = dict(os.environ, LANGUAGE="es", PYTHONPATH=os.path.join(HERE, "orca"),
               VANTREL_ORCA_TRANSCRIPT=transcript)
    orca = subprocess.Popen(["/usr/bin/python3", "/usr/bin/orca", "-u", work, "--debug-file", log],
                            env=env, stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "orca.err"), "w"))
    started = None
    try:
        if "Lector de pantalla activado." not in wait_for_speech(transcript, 0, ["Lector de pantalla activado."], 60):
            print(f"FAIL: Orca never started; see {work}", file=sys.stderr)
            return 1
        mark = len(spoken(transcript))
        started = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for_speech(transcript, mark, ["VANTREL marco."], 60)
        for keys, expected, never, what in STEPS:
            if keys:  # the first step hears the start
                mark = len(spoken(transcript))
                subprocess.run(["xdotool", "key", "--delay", "150"] + keys.split(), check=True)
            heard = wait_for_speech(transcript, mark, expected)
            missing = [phrase for phrase in expected if not said(phrase, heard)]
            extra = [phrase for phrase in never if phrase in heard]
            if missing or extra:
                failures += 1
                print(f"FAIL: {what}: after {keys or 'the start'!r} Orca said {heard}",
                      file=sys.stderr)
            else:
                print(f"PASS: {what}")
    finally:
        for process in (started, orca):
            if process:
                process.kill()
                process.wait()
    if failures:
        print(f"{failures} checks failed; what Orca said: {transcript}; its log: {log}",
              file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
