#!/usr/bin/env python3
"""cues_heard.py RECORDING.raw CUE.wav... : which cues a recording of the sink holds.

The recording is the null sink's monitor as 16-bit mono little-endian samples at the
cues' rate, so each cue that played comes back sample for sample. Prints one line per
cue heard, in order: its file name, where it starts (ms into the recording) and how
many of its milliseconds were heard before something else (silence or another cue)
took over, with "whole" when every sample came back."""
import sys
import wave

Probe = 24 # samples
from array import array


def samples(raw: bytes) -> array:
    a = array("h")
    a.frombytes(raw[: len(raw) // 2 * 2])
    if sys.byteorder != "little":
        a.byteswap()
    return a


def main() -> int:
    rec = samples(open(sys.argv[1], "rb").read())
    cues = []
    for path in sys.argv[2:]:
        with wave.open(path) as w:
            rate = w.getframerate()
            cue = samples(w.readframes(w.getnframes()))
        cues.append((path.rsplit("/", 1)[-1], cue, 0))
    # Every window of Probe samples of each cue, so that a cue whose first samples were
    # lost (the sink waking up) is still found.
    index = {}
    for name, cue, _ in cues:
        for k in range(len(cue) - Probe):
            index.setdefault(tuple(cue[k : k + Probe]), (name, cue, k))
    i, n = 0, len(rec)
    while i + Probe <= n:
        found = index.get(tuple(rec[i : i + Probe])) if rec[i] != 0 else None
        if found is None:
            i += 1
            continue
        name, cue, k = found
        heard = 0
        while k + heard < len(cue) and i + heard < n and rec[i + heard] == cue[k + heard]:
            heard += 1
        whole = k + heard == len(cue)
        print(f"{name} at {(i - k) * 1000 / rate:.1f} ms heard {(k + heard) * 1000 / rate:.1f} ms"
              + (" whole" if whole else ""))
        i += heard
    return 0


if __name__ == "__main__":
    sys.exit(main())
