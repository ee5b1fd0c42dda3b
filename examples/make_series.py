#!/usr/bin/env python3
"""Writes an in-situ heating series for examples/series.ipynb: ten patterns of a cubic
phase measured from 300 K to 570 K, whose four peaks move to lower angles as the lattice
expands and broaden a little, over a sloping background with counting noise from a fixed
seed, so that every run writes the same files.

Usage: python3 examples/make_series.py DIR   (writes DIR/heat_300K.xy ... DIR/heat_570K.xy)
"""

import math
import random
import sys
from pathlib import Path

TEMPERATURES = range(300, 600, 30)  # K
WAVELENGTH = 1.5406  # Å, Cu Kα1; one line (a monochromated beam)
A_300K, EXPANSION = 4.0500, 2.3e-5  # cubic cell edge (Å) and its expansion per K
REFLECTIONS = ((1, 1, 1, 1500.0), (2, 0, 0, 700.0), (2, 2, 0, 420.0), (3, 1, 1, 450.0))  # h, k, l, intensity
ETA = 0.5


def cell_edge(kelvin):
    return A_300K * (1 + EXPANSION * (kelvin - 300))


def position(h, k, l, kelvin):
    d = cell_edge(kelvin) / math.sqrt(h * h + k * k + l * l)
    return 2 * math.degrees(math.asin(WAVELENGTH / (2 * d)))


def profile(x, fwhm):
    """A pseudo-Voigt of unit area at offset x (degrees)."""
    u = x / fwhm
    gauss = math.sqrt(4 * math.log(2) / math.pi) / fwhm * math.exp(-4 * math.log(2) * u * u)
    lorentz = 2 / (math.pi * fwhm) / (1 + 4 * u * u)
    return ETA * lorentz + (1 - ETA) * gauss


def pattern_lines(kelvin, rng):
    lines = [f"# in-situ heating, {kelvin} K, Cu Kalpha1 {WAVELENGTH} A", "# 2theta counts esd"]
    fwhm = 0.09 + 0.0002 * (kelvin - 300)
    for i in range(3301):  # 36 to 82.2 degrees
        tth = 36.0 + 0.014 * i
        counts = 180.0 - 1.2 * (tth - 36.0)
        for h, k, l, area in REFLECTIONS:
            counts += area * profile(tth - position(h, k, l, kelvin), fwhm)
        observed = max(0, round(counts + rng.gauss(0.0, math.sqrt(counts))))
        lines.append(f"{tth:.3f} {observed} {math.sqrt(max(observed, 1)):.2f}")
    return lines


def write(folder):
    """Writes the series into folder; returns the paths and the temperatures, in order."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(300570)
    paths = []
    for kelvin in TEMPERATURES:
        path = folder / f"heat_{kelvin}K.xy"
        path.write_text("\n".join(pattern_lines(kelvin, rng)) + "\n")
        paths.append(str(path))
    return paths, list(TEMPERATURES)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for written in write(sys.argv[1])[0]:
        print(written)
