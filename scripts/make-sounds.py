#!/usr/bin/env python3
"""Synthesises the program's crop sound, resources/sounds/crop.wav: a short
scissors-like snip (two metallic clicks over a burst of noise), PCM,
2 channels, 44,100 Hz, 16 bit, 10,000 frames: a file of 40,044 bytes.
Deterministic, so running it again gives the same bytes."""
import math
import os
import random
import struct

RATE = 44100
FRAMES = 10000


def snip(t, start, pitch):
    """One blade click: a decaying metallic ring with a noise attack."""
    if t < start:
        return 0.0
    d = t - start
    ring = math.sin(2 * math.pi * pitch * d) * math.exp(-d * 90.0)
    ring += 0.5 * math.sin(2 * math.pi * pitch * 1.93 * d) * math.exp(-d * 140.0)
    return ring


def main():
    rng = random.Random(20221010)
    frames = bytearray()
    for i in range(FRAMES):
        t = i / RATE
        noise = (rng.random() * 2 - 1) * math.exp(-t * 60.0) * 0.35
        closing = (rng.random() * 2 - 1) * math.exp(-abs(t - 0.075) * 400.0) * 0.3
        value = 0.45 * snip(t, 0.0, 3150.0) + 0.55 * snip(t, 0.075, 2650.0) + noise + closing
        fade = min(1.0, (FRAMES - i) / 400.0)  # no click at the end
        sample = max(-32767, min(32767, int(value * fade * 26000)))
        frames += struct.pack("<hh", sample, sample)
    data = bytes(frames)
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE"
    header += b"fmt " + struct.pack("<IHHIIHH", 16, 1, 2, RATE, RATE * 4, 4, 16)
    header += b"data" + struct.pack("<I", len(data))
    out = os.path.join(os.path.dirname(__file__), "..", "resources", "sounds", "crop.wav")
    with open(out, "wb") as f:
        f.write(header + data)


if __name__ == "__main__":
    main()
