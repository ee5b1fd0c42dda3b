#!/usr/bin/env python3
"""Reads the shipped example pattern, suggests its peaks, fits them (neighbours whose
windows overlap together, as one region) and plots the fits with matplotlib when it is installed; without matplotlib it prints the
table. Usage: python3 examples/fit_quartz.py [PATTERN]"""

import sys
from pathlib import Path

import xrdpick

path = sys.argv[1] if len(sys.argv) > 1 else Path(__file__).with_name("quartz.xy")
pattern = xrdpick.read(path)
found = xrdpick.suggest(pattern)
peaks = found["peaks"]
regions = []
for tth, fwhm in sorted(zip(peaks["tth"], peaks["fwhm"])):
    low, high = tth - 4 * fwhm, tth + 4 * fwhm
    if regions and low < regions[-1][1] and len(regions[-1][2]) < 9:
        regions[-1] = (regions[-1][0], high, regions[-1][2] + [tth])
    else:
        regions.append((low, high, [tth]))
table = xrdpick.fit_series([pattern], regions)

try:
    import matplotlib.pyplot as plt
except ImportError:
    print(table.tsv, end="")
    sys.exit(0)

figure, axes = plt.subplots(1, len(regions), figsize=(3 * len(regions), 3), squeeze=False)
for axis, (low, high, positions) in zip(axes[0], regions):
    result = xrdpick.fit(pattern, low, high, positions)
    inside = (pattern.tth >= result.tth[0]) & (pattern.tth <= result.tth[-1])
    axis.plot(pattern.tth[inside], pattern.counts[inside], ".", label="observed")
    axis.plot(result.tth, result.calc, "-", label="calculated")
    axis.set_title(f"{result.peaks[0].tth:.3f}°: {result.status}")
    axis.set_xlabel("2θ (degrees)")
axes[0][0].set_ylabel("counts")
axes[0][0].legend()
figure.tight_layout()
plt.show()
