#!/usr/bin/env python3
"""Synthesises the program's two sounds into resources/sounds/, PCM,
2 channels, 44,100 Hz, 16 bit; deterministic, so running it again gives the
same bytes:
- crop.wav: a short scissors-like snip (two metallic clicks over a burst of
  noise), 10,000 frames, a file of 40,044 bytes;
- shutter.wav: a camera shutter (the blades opening and closing: two dry
  clicks 0.1 s apart), 12,687 frames with an 18-byte format chunk, a file of
  50,794 bytes."""
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


def wave_file(frames, extended_format=False):
    """A RIFF/WAVE file of stereo 16-bit frames; the extended format chunk
    carries the 2-byte cbSize field (0)."""
    data = bytes(frames)
    fmt = struct.pack("<HHIIHH", 1, 2, RATE, RATE * 4, 4, 16)
    if extended_format:
        fmt += struct.pack("<H", 0)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def shutter_frames():
    rng = random.Random(20230905)
    count = 12687
    frames = bytearray()
    for i in range(count):
        t = i / RATE
        value = 0.0
        for start, pitch, level in ((0.004, 1900.0, 0.9), (0.104, 1500.0, 1.0)):
            if t >= start:
                d = t - start
                value += level * (rng.random() * 2 - 1) * math.exp(-d * 260.0)
                value += level * 0.6 * math.sin(2 * math.pi * pitch * d) * math.exp(-d * 120.0)
        fade = min(1.0, (count - i) / 400.0)
        sample = max(-32767, min(32767, int(value * fade * 15000)))
        frames += struct.pack("<hh", sample, sample)
    return frames


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
    folder = os.path.join(os.path.dirname(__file__), "..", "resources", "sounds")
    with open(os.path.join(folder, "crop.wav"), "wb") as f:
        f.write(wave_file(frames))
    with open(os.path.join(folder, "shutter.wav"), "wb") as f:
        f.write(wave_file(shutter_frames(), extended_format=True))


if __name__ == "__main__":
    main()
