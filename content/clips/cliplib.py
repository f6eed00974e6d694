"""What the three clip generators share: short numbers, easing, and writing the frames."""

import os
import sys


def n(v):
    """A number written short."""
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def clamp(v, a=0.0, b=1.0):
    return a if v < a else b if v > b else v


def ramp(f, f0, f1):
    """0 before frame f0, 1 after f1, eased in between."""
    if f1 <= f0:
        return 1.0 if f >= f0 else 0.0
    t = clamp((f - f0) / float(f1 - f0))
    return t * t * (3 - 2 * t)


def lerp(a, b, t):
    return a + (b - a) * t


def write_frames(name, frames, frame, argv):
    """python3 NAME.py OUTDIR: writes OUTDIR/f000.svg ... one per frame."""
    if len(argv) != 2:
        sys.stderr.write("usage: python3 %s.py OUTDIR\n" % name)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for f in range(frames):
        with open(os.path.join(out, "f%03d.svg" % f), "w") as fh:
            fh.write(frame(f))
    return 0
