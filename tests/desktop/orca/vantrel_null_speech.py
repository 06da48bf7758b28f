# SPDX-License-Identifier: GPL-3.0-or-later
"""A speech server for Orca that says nothing and writes down what it was
asked to say instead: one utterance a line, flushed at once, in the file
that VANTREL_ORCA_TRANSCRIPT names. (With speech-dispatcher and no sound
card, Orca locks up on the first key; its debug log is written in blocks.)"""

import os

from orca import speechserver


def _write_down(text):
    path = os.environ.get("VANTREL_ORCA_TRANSCRIPT")
    if path and text and text.strip():
        with open(path, "a", encoding="utf-8") as transcript:
            transcript.write(text.strip().replace("\n", " ") + "\n")


class SpeechServer(speechserver.SpeechServer):
    @staticmethod
    def getFactoryName():
        return "Null"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        return SpeechServer()

    def getInfo(self):
        return ["Null", "null"]

    def getVoiceFamilies(self):
        return []

    def speak(self, text=None, acss=None, interrupt=True):
        _write_down(text)

    def speakCharacter(self, character, acss=None):
        _write_down(character)

    def sayAll(self, utteranceIterator, progressCallback):
        for context, _ in utteranceIterator:
            _write_down(context.utterance)
