#!/usr/bin/python3
"""Synthesizes the wave files installed with Zorvane into the directory given as argument.

Every sound is made here from plain tones (bells, beeps, short melodies), so the build needs
no sound files from elsewhere. Output: 16-bit mono PCM at 22050 Hz, the same bytes on every run.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
NOTES = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def freq(name):
    """Frequency of a note such as "A4", "F#5", "Bb3" (equal temperament, A4 = 440 Hz)."""
    step = NOTES[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        step, rest = step + 1, rest[1:]
    elif rest.startswith("b"):
        step, rest = step - 1, rest[1:]
    return 440.0 * 2 ** ((step + 12 * (int(rest) - 4)) / 12)


def tone(f, seconds, voice="soft", volume=0.5):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        if voice == "bell":  # struck bell: inharmonic partials, long decay
            env = math.exp(-3.0 * t) * min(1.0, (seconds - t) * 50)
            s = (math.sin(2 * math.pi * f * t) + 0.5 * math.sin(2 * math.pi * f * 2.76 * t)
                 + 0.25 * math.sin(2 * math.pi * f * 5.4 * t) * math.exp(-6 * t))
            s /= 1.75
        elif voice == "beep":  # electronic beep: square-ish with soft edges
            env = min(1.0, t * 200, (seconds - t) * 200)
            s = math.tanh(4 * math.sin(2 * math.pi * f * t)) * 0.6
        elif voice == "horn":  # two detuned reeds
            env = min(1.0, t * 40, (seconds - t) * 40)
            s = 0.5 * (math.tanh(3 * math.sin(2 * math.pi * f * t))
                       + math.tanh(3 * math.sin(2 * math.pi * f * 1.26 * t))) * 0.6
        else:  # soft: sine with a little overtone, plucked decay
            env = min(1.0, t * 100, (seconds - t) * 100) * math.exp(-2.5 * t)
            s = math.sin(2 * math.pi * f * t) + 0.3 * math.sin(4 * math.pi * f * t)
            s /= 1.3
        out.append(s * env * volume)
    return out


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def melody(notes, voice="soft", gap=0.0):
    """notes: list of (note name or None for a rest, seconds)."""
    out = []
    for name, seconds in notes:
        out += silence(seconds) if name is None else tone(freq(name), seconds, voice)
        out += silence(gap)
    return out


# The four changes of a quarter-hour chime on four bells.
CHANGES = [
    ["G#4", "F#4", "E4", "B3"],
    ["E4", "G#4", "F#4", "B3"],
    ["E4", "F#4", "G#4", "E4"],
    ["G#4", "E4", "F#4", "B3"],
]


def chime(quarters):
    out = []
    for change in CHANGES[:quarters]:
        out += melody([(n, 0.5) for n in change[:-1]] + [(change[-1], 0.9)], "bell")
    return out


def arpeggio(names, seconds=0.14, voice="soft"):
    return melody([(n, seconds) for n in names[:-1]] + [(names[-1], seconds * 3)], voice)


SOUNDS = {
    "Start.wav": arpeggio(["C5", "E5", "G5", "C6"]),
    "Gelesen.wav": arpeggio(["G5", "C6"], 0.12),
    "Geloescht.wav": arpeggio(["C5", "G4", "C4"], 0.12),
    "Netzwerk.wav": melody([("A5", 0.12), (None, 0.08), ("A5", 0.12)], "beep"),
    "Viertel1.wav": chime(1),
    "Viertel2.wav": chime(2),
    "Viertel3.wav": chime(3),
    "Viertel4.wav": chime(4),
    "NeuerTag.wav": arpeggio(["G4", "C5", "E5", "G5", "E5", "G5", "C6"], 0.11),
    "Termin.wav": melody([("E5", 0.2), ("C5", 0.4)], "bell"),
    "Privat.wav": arpeggio(["F5", "A5", "C6"]),
    "Telefon.wav": melody([("E6", 0.05), ("C6", 0.05)] * 8, "beep"),
    "BesuchA.wav": arpeggio(["D5", "F#5", "A5"]),
    "BesuchI.wav": arpeggio(["A4", "C#5", "E5"]),
    "Sitzung.wav": melody([("C5", 0.3), ("C5", 0.3), ("G5", 0.6)], "bell"),
    "InfoTerm.wav": melody([("B5", 0.15), ("E6", 0.45)], "bell"),
    "Messe.wav": arpeggio(["G4", "B4", "D5", "G5"]),
    "SehrWich.wav": melody([("A5", 0.15), (None, 0.05)] * 6, "beep"),
    "Wichtig.wav": melody([("A5", 0.2), (None, 0.1)] * 3, "beep"),
    "Urlaub.wav": arpeggio(["C5", "E5", "G5", "A5", "G5"], 0.16),
    "HBIRTHD1.wav": melody([("G4", 0.25), ("G4", 0.25), ("A4", 0.5), ("G4", 0.5), ("C5", 0.5),
                            ("B4", 0.9)]),
    "PrgStart.wav": arpeggio(["C6", "G5"], 0.1),
    "DateiVer.wav": arpeggio(["E5", "A5", "E6"], 0.1),
    "CARHORN.WAV": melody([("D4", 0.35), (None, 0.12), ("D4", 0.6)], "horn"),
}


def write(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_sounds.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, samples in SOUNDS.items():
        write(os.path.join(out, name), samples)


if __name__ == "__main__":
    main()
