#!/usr/bin/env python3
"""Writes the program's click and alarm sounds (assets/a.wav, b.wav, alarm.wav): 16-bit mono PCM at 22050 Hz."""
import math
import struct
import wave
from pathlib import Path

RATE = 22050
ASSETS = Path(__file__).resolve().parent.parent / "assets"


def tone(freqs, seconds, volume=0.5, attack=0.003, release=0.02):
    """Sum of sine tones with a short fade in and out so the clicks do not crackle."""
    count = int(RATE * seconds)
    samples = []
    for i in range(count):
        t = i / RATE
        envelope = min(1.0, t / attack, (seconds - t) / release)
        value = sum(math.sin(2 * math.pi * f * t) for f in freqs) / len(freqs)
        samples.append(int(max(-1.0, min(1.0, value * envelope * volume)) * 32767))
    return samples


def silence(seconds):
    return [0] * int(RATE * seconds)


def write(name, samples):
    with wave.open(str(ASSETS / name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    write("b.wav", tone([1200, 1800], 0.04, volume=0.4))
    write("a.wav", tone([2400], 0.025, volume=0.3))
    write("alarm.wav", tone([880, 1320], 0.15) + silence(0.05) + tone([660, 990], 0.15))
