#!/usr/bin/env python3
"""check-cues.py FOLDER NAME...: each cue is 16-bit PCM, under a second, quiet, distinct."""
import array
import sys
import wave

folder, names = sys.argv[1], sys.argv[2:]
seen = {}
for name in names:
    with wave.open(f"{folder}/{name}") as w:  # raises on anything but PCM
        assert w.getsampwidth() == 2, f"{name}: {8 * w.getsampwidth()} bits"
        seconds = w.getnframes() / w.getframerate()
        assert 0 < seconds < 1, f"{name}: {seconds:.3f} s"
        samples = array.array("h", w.readframes(w.getnframes()))
    peak = max(abs(s) for s in samples)
    assert 1000 < peak < 16384, f"{name}: peak {peak}"
    assert samples.tobytes() not in seen, f"{name} sounds like {seen.get(samples.tobytes())}"
    seen[samples.tobytes()] = name
print(f"{len(names)} cues checked")
