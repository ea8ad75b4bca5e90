#!/usr/bin/env python3
"""Reference numbers for the colour maths unit tests.

Computed straight from the algorithms' text, sharing no code with the C++ under test: the gamma
level curve, the white-point sampling, the sRGB colour transform and the packed 3D LUT fill.
Python floats are doubles; single precision is reproduced by rounding through a 32-bit float
(exact for one product or quotient of two floats, since a double holds it before the rounding).

Writes tests/unit/data/colour_math_reference.json; with --check, exits 1 if that file differs.
"""
import json
import math
import pathlib
import struct
import sys

OUT = pathlib.Path(__file__).resolve().parents[2] / "tests/unit/data/colour_math_reference.json"


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def trunc_div(a, b):
    return int(a / b) if a * b >= 0 else -(abs(a) // abs(b))


# --- gamma level curve ---------------------------------------------------------------------------

# The lowest signed level is the one whose result depends on the single-precision rounding.
GAMMA_LEVELS = [0, 1, 3, 4, 5, 6, 10, 20, 34, -1, -7, -1000, -(2**31)]


def gamma_curve(level):
    """Level as a signed 32-bit number; 35 and above (1 - x <= 0) give the identity."""
    x = (level - 5) / 12.0 if level < 5 else (level - 5) / 30.0
    one_minus_x = f32(1.0 - x)
    if one_minus_x <= 0.0:
        return list(range(256))
    e = 1.0 / one_minus_x
    scale = 255.0 / math.pow(255.0, e)
    power = []
    for i in range(256):
        v = f32(math.pow(float(i), e) * scale)
        power.append(int(min(max(v, 0.0), 255.0)))
    t = power[8]
    curve = []
    for i in range(256):
        if i < t:
            c = power[i]
        elif i <= t + 64:
            c = trunc_div(power[i] * (t + 64 - i) + i * (i - t), 64)
        else:
            c = i
        curve.append(min(max(c, 0), 255))
    return curve


# --- white point -----------------------------------------------------------------------------------

WHITE_POINT_TABLE = [
    [1.0168, 0.9984, 0.9660],
    [1.0081, 0.9993, 0.9826],
    [1.0, 1.0, 1.0],
    [0.9916, 1.0011, 1.0142],
    [0.9843, 1.0016, 1.03],
]


def white_point_indices(index):
    """For each channel and level, the source level that the output entry samples."""
    gains = [f32(g) for g in WHITE_POINT_TABLE[index]]
    m = max(gains + [-1000.0])
    normalised = [f32(g / m) for g in gains]
    return [[min(int(f32(float(i) * g)), 255) for i in range(256)] for g in normalised]


# --- sRGB colour transform and 3D LUT ------------------------------------------------------------

MATRICES = [
    [1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0],
    [1.25, -0.2, -0.05, -0.1, 1.2, -0.1, -0.03, -0.22, 1.25],
    [0.93, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.12],
    [0.0, -0.5, 1.5, 0.7, 0.2, 0.1, 0.3333, 0.3333, 0.3334],
]

# Off-grid inputs on both sides of the decode and encode breakpoints, and out of range.
EXTRA_INPUTS = [
    (0.04045, 0.04046, 0.0031308 * 12.92),
    (0.5, 0.5, 0.5),
    (0.2, 0.6, 0.9),
    (1.0, 0.0, 0.25),
    (0.01, 0.99, 0.333),
    (-0.1, 1.2, 0.7),
]

GRID_SUBSET = [0, 1, 2, 4, 8, 12, 15, 16]


def srgb_decode(c):
    return c / 12.92 if c <= 0.04045 else math.pow((c + 0.055) / 1.055, 2.4)


def srgb_encode(v):
    return v * 12.92 if v <= 0.0031308 else 1.055 * math.pow(v, 0.417) - 0.055


def colour_transform(rgb, matrix):
    m = [f32(x) for x in matrix]
    lin = [srgb_decode(c) for c in rgb]
    out = []
    for row in range(3):
        v = m[row * 3] * lin[0] + m[row * 3 + 1] * lin[1] + m[row * 3 + 2] * lin[2]
        v = max(v, 0.0)
        out.append(min(max(srgb_encode(v), 0.0), 1.0))
    return out


def lut_word(r, g, b, matrix):
    codes = [min(int(v * 1023.0), 1023) for v in colour_transform((r / 16, g / 16, b / 16), matrix)]
    return (codes[0] << 20) | (codes[1] << 10) | codes[2]


# --- output ----------------------------------------------------------------------------------------


def reference():
    """The numbers, keyed as the test reads them. Floats are written as the shortest text that
    reads back as the same double (single-precision values are exact doubles)."""
    srgb = []
    for mi, m in enumerate(MATRICES):
        inputs = [(k / 16, k / 16, k / 16) for k in (0, 1, 8, 16)]
        inputs += [(r / 16, g / 16, b / 16) for r, g, b in ((16, 0, 0), (0, 16, 0), (0, 0, 16), (4, 12, 15))]
        inputs += EXTRA_INPUTS
        for rgb in inputs:
            srgb.append([mi, list(rgb), list(colour_transform(rgb, m))])
    points = []
    for r in GRID_SUBSET:
        for g in GRID_SUBSET:
            for b in GRID_SUBSET:
                points.append([(r * 17 + g) * 17 + b, [lut_word(r, g, b, m) for m in MATRICES]])
    return [
        ("generated", "by tools/refdata/colour_math_reference.py from the algorithms' text; do not edit"),
        # Gamma level curves after the join to the straight line; levels as signed numbers.
        ("gammaLevels", GAMMA_LEVELS),
        ("gammaCurves", [gamma_curve(level) for level in GAMMA_LEVELS]),
        # White points 0..4: the source level sampled by each output level, per channel.
        ("whitePointSourceLevel", [white_point_indices(index) for index in range(5)]),
        ("matrices", [[f32(x) for x in m] for m in MATRICES]),
        # [matrix, input, output]
        ("srgbCases", srgb),
        # [word index, packed word per matrix] at grid points whose indices are all in the subset.
        ("lutPoints", points),
    ]


def render():
    rows = ['    "%s": %s' % (key, json.dumps(value, separators=(",", ":"))) for key, value in reference()]
    return "{\n" + ",\n".join(rows) + "\n}\n"


def main():
    text = render()
    if "--check" in sys.argv[1:]:
        if OUT.read_text() != text:
            print("%s is out of date" % OUT)
            return 1
        return 0
    OUT.parent.mkdir(parents=True, exist_ok=True)
    OUT.write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
