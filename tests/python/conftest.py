"""Shared pieces of the module's tests: the programs to compare with, the shipped examples
and a generated drifting series."""

import math
import os
import random
import subprocess
import sys
from pathlib import Path

import pytest

EXAMPLES = Path(os.environ.get("XRDPICK_EXAMPLES", Path(__file__).parents[2] / "examples"))
BUILD = Path(__file__).parents[2] / "build"
# The regions of examples/quartz.*: single peaks, an overlapping pair, a weak one.
QUARTZ_PLAN = [(20.3, 21.4, [20.86]), (26.0, 27.3, [26.64]), (36.0, 37.1, [36.54]),
               (49.5, 50.8, [50.14]), (59.4, 60.6, [59.96], -0.06)]


def program(name):
    path = os.environ.get(name.upper(), BUILD / name)
    if not Path(path).exists():
        pytest.skip(f"{name} is not built")
    return str(path)


def run(name, *args, cwd=None):
    """Runs a program; its standard output, standard error and exit status."""
    done = subprocess.run([program(name), *map(str, args)], capture_output=True, text=True,
                          cwd=cwd)
    return done.stdout, done.stderr, done.returncode


def plan_file(regions, path):
    lines = []
    for region in regions:
        low, high, positions = region[:3]
        wor = f" wor={region[3]!r}" if len(region) > 3 else ""
        lines.append(" ".join(repr(v) for v in (low, high, *positions)) + wor)
    path.write_text("\n".join(lines) + "\n")
    return path


def drifting_pattern(k, rng):
    """Pattern k of a heating run: two peaks drifting to lower angles and broadening,
    counting noise from a seeded generator."""
    peaks = [(33.0 - 0.011 * k, 900.0, 0.10 + 0.002 * k), (35.3 - 0.009 * k, 400.0, 0.12)]
    lines = []
    for i in range(501):
        tth = 30.0 + 0.02 * i
        counts = 120.0 - 0.5 * (tth - 30.0)
        for position, area, fwhm in peaks:
            x = (tth - position) / fwhm
            gauss = math.sqrt(4 * math.log(2) / math.pi) / fwhm * math.exp(-4 * math.log(2) * x * x)
            lorentz = 2 / (math.pi * fwhm) / (1 + 4 * x * x)
            counts += area * (0.4 * lorentz + 0.6 * gauss)
        observed = max(0, round(counts + rng.gauss(0.0, math.sqrt(counts))))
        lines.append(f"{tth:8.3f} {observed:7d} {math.sqrt(max(observed, 1)):8.2f}")
    return "\n".join(lines) + "\n"


DRIFT_PLAN = [(32.0, 34.0, [33.0]), (34.4, 36.2, [35.3])]


@pytest.fixture(scope="session")
def drifting_series(tmp_path_factory):
    folder = tmp_path_factory.mktemp("drift")
    rng = random.Random(20240526)
    paths = []
    for k in range(12):
        path = folder / f"run_{k:02d}.xy"
        path.write_text(drifting_pattern(k, rng))
        paths.append(str(path))
    return paths


@pytest.fixture(scope="session")
def instrument_files(tmp_path_factory):
    """The import tests' diffractometer and text files (tests/import/make_samples.py)."""
    folder = tmp_path_factory.mktemp("instrument")
    subprocess.run([sys.executable, str(Path(__file__).parents[1] / "import" / "make_samples.py"),
                    str(folder)], check=True)
    return folder
