#!/usr/bin/env python3
"""Writes the shipped example patterns of xrdpick from one known model.

The counts follow a straight background plus asymmetric pseudo-Voigt peaks, with noise from
a fixed seed, so every run reproduces every byte and a fit on the files has a known answer
(examples/truth.txt). The processed files are written exactly as xrdpick's own writers
would write the same pattern; the raw scan set is what a diffractometer would have
recorded before dead-time correction and monitor normalisation.

Run from anywhere: python3 examples/make_examples.py
"""

import math
import random
import struct
from pathlib import Path

EXAMPLES = Path(__file__).resolve().parent

# The model. Angles are two-theta in degrees; intensities are integrated (cts x degree).
ETA = 0.4
WOR = 0.06
BKG0, BKG1 = 250.0, -1.0  # background = BKG0 + BKG1 * tth
FWHM0, FWHM1 = 0.080, 0.0010  # fwhm = FWHM0 + FWHM1 * tth
PEAKS = (  # position, integrated intensity
    (20.86, 780.0),
    (26.64, 3400.0),
    (36.54, 160.0),
    (39.47, 150.0),
    (42.45, 60.0),
    (50.14, 320.0),
    (59.96, 200.0),
    (67.74, 140.0),
    (68.14, 90.0),
    (68.31, 260.0),
)

# The raw scans: detector dead time, the monitor count the reader normalises to, the
# counting time of one step.
TAU = 3.0e-6
MONITOR = 1_000_000
TIME_MS = 1000
SCAN_TTHMIN, SCAN_TTHSTEP = 20.0, 0.02

SEED = 12345
DEGREE = 57.2957795
SQRT_PI = math.sqrt(math.pi)
SQRT_LN2 = math.sqrt(math.log(2.0))

# Simpson intervals of the asymmetry convolution: many where the peak itself lies under the
# asymmetry window, few in the far tails, where the integrand is smooth.
NEAR_INTERVALS = 800
FAR_INTERVALS = 64
NEAR_HALF_WIDTHS = 15.0


def fwhm_at(tth):
    return FWHM0 + FWHM1 * tth


def asymmetry_length(position):
    """A in degrees two-theta, the same expression as the fit model uses."""
    return (
        DEGREE
        * WOR**2
        * math.cos((position - 10.0) / DEGREE)
        / (math.sin(position / DEGREE) * 2.0 * math.cos(0.174532925239284))
    )


def lorentzian(t, h):
    return (h / math.pi) / (t * t + h * h)


def gaussian(t, h):
    r = h / SQRT_LN2
    return math.exp(-((t / r) ** 2)) / (SQRT_PI * r)


def asymmetric_components(d, h, a):
    """Lorentzian and Gaussian of half width h, convolved with w(u) = 1/sqrt(a*u) - 1/a on
    0 < u <= a, at d = position - tth (the tail runs towards lower two-theta).

    With u = s*s the weight w(u) du becomes (2/sqrt(a) - 2s/a) ds, which has no singularity,
    so plain Simpson integration over 0 <= s <= sqrt(a) converges fast."""
    near = -NEAR_HALF_WIDTHS * h < d < a + NEAR_HALF_WIDTHS * h
    n = NEAR_INTERVALS if near else FAR_INTERVALS
    root_a = math.sqrt(a)
    ds = root_a / n
    lorentz_sum = gauss_sum = 0.0
    for i in range(n + 1):
        s = i * ds
        weight = 2.0 / root_a - 2.0 * s / a
        simpson = 1 if i in (0, n) else (4 if i % 2 else 2)
        lorentz_sum += simpson * weight * lorentzian(d - s * s, h)
        gauss_sum += simpson * weight * gaussian(d - s * s, h)
    return lorentz_sum * ds / 3.0, gauss_sum * ds / 3.0


def peak_profile(position, tth):
    """Unit-area asymmetric pseudo-Voigt of one peak at tth."""
    h = 0.5 * fwhm_at(position)
    lorentz, gauss = asymmetric_components(position - tth, h, asymmetry_length(position))
    return ETA * lorentz + (1.0 - ETA) * gauss


def model_counts(tth):
    peaks = sum(intensity * peak_profile(position, tth) for position, intensity in PEAKS)
    return BKG0 + BKG1 * tth + peaks


def peak_height(position, intensity):
    """Net maximum of one peak, searched on a 0.0005 degree grid below its position (the
    asymmetry moves the maximum to lower angles)."""
    steps = int(asymmetry_length(position) / 0.0005) + 20
    return max(intensity * peak_profile(position, position - 0.0005 * k) for k in range(steps))


def float32(value):
    """The value as the pattern store holds it (single precision)."""
    return struct.unpack("f", struct.pack("f", value))[0]


def noisy_count(rng, mean):
    """One detector count: Gaussian noise of Poisson size, rounded to a whole count."""
    return max(0, round(rng.gauss(mean, math.sqrt(mean))))


class Pattern:
    """An equally spaced pattern as xrdpick's store holds it: tthmin, tthstep, tthmax in
    double, cts and sig in single precision."""

    def __init__(self, tthmin, tthstep, npoints, rng):
        self.tthmin = tthmin
        self.tthstep = tthstep
        self.ilast = npoints - 1
        self.tthmax = tthmin + self.ilast * tthstep
        self.cts = []
        self.sig = []
        for i in range(npoints):
            count = noisy_count(rng, model_counts(self.tth(i)))
            # sig carries the one decimal of the .xy column, so every format holds the
            # same value and a conversion by xrdpick reproduces the other files.
            self.cts.append(float32(count))
            self.sig.append(float32(round(math.sqrt(max(count, 1)), 1)))

    def tth(self, i):
        return self.tthmin + i * self.tthstep

    def count(self, i):
        return math.trunc(self.cts[i] + 0.5)


def write_text(name, text):
    (EXAMPLES / name).write_bytes(text.encode("ascii"))


def xy_text(pattern):
    return "".join(
        "%8.3f %7d %8.1f\n" % (pattern.tth(i), pattern.count(i), pattern.sig[i])
        for i in range(pattern.ilast + 1)
    )


def grouped_lines(pattern, group, line_of_group):
    """Lines of `group` points each; the last group holds what remains."""
    starts = range(0, pattern.ilast + 1, group)
    return [line_of_group(range(s, min(s + group, pattern.ilast + 1))) for s in starts]


def wyr_text(pattern):
    header = "%8.3f%8.3f%8.3f\n" % (pattern.tthmin, pattern.tthstep, pattern.tthmax)
    lines = grouped_lines(pattern, 8, lambda ids: "".join("%7d" % pattern.count(i) for i in ids))
    return header + "\n".join(lines)  # no line end after the last group


def dat_text(pattern):
    header = "%8.3f %8.3f %8.3f\n" % (
        pattern.tthmin,
        pattern.tthstep,
        pattern.tthmax - pattern.tthstep,
    )
    pairs = grouped_lines(
        pattern,
        10,
        lambda ids: "".join("%8.1f" % pattern.cts[i] for i in ids)
        + "\n"
        + "".join("%8.2f" % pattern.sig[i] for i in ids),
    )
    return header + "\n".join(pairs)  # no line end after the last weights line


def gda_text(pattern, title):
    npoints = pattern.ilast + 1
    bank = "BANK  1 %8d%8d CONST %10.2f%10.2f 0 0 ESD                     \n" % (
        npoints,
        pattern.ilast // 5 + 1,
        pattern.tthmin * 100.0,
        pattern.tthstep * 100.0,
    )
    records = grouped_lines(
        pattern,
        5,
        lambda ids: "".join("%8.1f%8.1f" % (pattern.cts[i], pattern.sig[i]) for i in ids),
    )
    return "%-80s\n" % title + bank + "\n".join(records)  # no line end after the last record


class Scan:
    """One raw scan file: its grid, its column line and how a record is printed."""

    def __init__(self, name, first_step, last_step, columns, record_format):
        self.name = name
        self.first_step = first_step  # grid steps from SCAN_TTHMIN
        self.last_step = last_step
        self.columns = columns
        self.record_format = record_format

    def tth(self, step):
        return SCAN_TTHMIN + SCAN_TTHSTEP * step


def raw_reading(rng, tth):
    """Monitor and observed counts of one step. The true counts scale with the monitor; the
    detector then loses r * tau / t of them, so that the correction f = 1 - r*tau/t brings
    r back: r = true * f  gives  r = true / (1 + true * tau / t)."""
    monitor = MONITOR + round(rng.gauss(0.0, 2000.0))
    true_counts = noisy_count(rng, model_counts(tth) * monitor / MONITOR)
    time_s = TIME_MS / 1000.0
    observed = round(true_counts / (1.0 + true_counts * TAU / time_s))
    return monitor, observed


def scan_text(scan, number, total, rng):
    first, last = scan.tth(scan.first_step), scan.tth(scan.last_step)
    header = [
        "SUPER raw scan",
        "Diffractometer: xrdpick synthetic source, scintillation counter",
        "Sample: synthetic quartz-like powder",
        "Slits: W/R %.3f" % WOR,
        "Scan %d of %d" % (number, total),
        "Start %.3f  End %.3f  Step %.3f deg" % (first, last, SCAN_TTHSTEP),
        "Counting: %d ms per step, monitor about %d" % (TIME_MS, MONITOR),
        "Counts are not corrected for dead time (%.1e s)" % TAU,
        "Written by examples/make_examples.py",
        "-" * 60,
        "Scan %d of %d: tth %.3f to %.3f, step %.3f, %d ms per step"
        % (number, total, first, last, SCAN_TTHSTEP, TIME_MS),
        "Sample: synthetic quartz-like powder (examples/truth.txt)",
        "-" * 60,
        " ".join(scan.columns),
    ]
    records = []
    for step in range(scan.first_step, scan.last_step + 1):
        tth = scan.tth(step)
        monitor, counts = raw_reading(rng, tth)
        records.append(scan.record_format(tth=tth, cts=counts, mon=monitor, tim=TIME_MS))
    return "\n".join(header + records) + "\n"


SCANS = (
    Scan(
        "scan.001",
        0,
        250,
        ("tth", "cts", "mon", "tim"),
        lambda tth, cts, mon, tim: "%7.3f %7d %8d %5d" % (tth, cts, mon, tim),
    ),
    # A repeat of part of the first range: the reader sums both readings of each angle.
    Scan(
        "scan.002",
        100,
        250,
        ("monitor", "tth2", "time", "cts_det"),
        lambda tth, cts, mon, tim: "%8d %7.3f %6.1f %7d" % (mon, tth, tim, cts),
    ),
    # Continues the first range; upper-case names and four columns the reader ignores.
    Scan(
        "scan.003",
        251,
        500,
        ("TTH", "temp", "MON", "omega", "CTS_total", "TIM_ms", "chi", "phi"),
        lambda tth, cts, mon, tim: "%7.3f %5.1f %8d %7.3f %7d %5d %5.2f %5.2f"
        % (tth, 25.0, mon, tth / 2.0, cts, tim, 0.0, 0.0),
    ),
)


def truth_text():
    lines = [
        "# Model behind examples/quartz.*, examples/small.xy and examples/scan.00[1-3]",
        "# cts(tth) = bkg0 + bkg1*tth + sum of intensity*(eta*L + (1-eta)*G) over the peaks,",
        "# L and G of one FWHM convolved with the W/R asymmetry; fwhm = fwhm0 + fwhm1*position.",
        "# intensity: integrated, cts x degree; height: net maximum, cts; asym: length A, degree.",
        "eta %.2f" % ETA,
        "wor %.3f" % WOR,
        "bkg0 %.1f" % BKG0,
        "bkg1 %.1f" % BKG1,
        "fwhm0 %.4f" % FWHM0,
        "fwhm1 %.4f" % FWHM1,
        "tau %.1e" % TAU,
        "seed %d" % SEED,
        "# position intensity fwhm height asym",
    ]
    for position, intensity in PEAKS:
        lines.append(
            "peak %8.3f %8.1f %7.4f %8.1f %7.4f"
            % (
                position,
                intensity,
                fwhm_at(position),
                peak_height(position, intensity),
                asymmetry_length(position),
            )
        )
    return "\n".join(lines) + "\n"


def main():
    rng = random.Random(SEED)
    quartz = Pattern(10.0, 0.02, 3501, rng)
    write_text("quartz.xy", xy_text(quartz))
    write_text("quartz.wyr", wyr_text(quartz))
    write_text("quartz.dat", dat_text(quartz))
    title = "xrdpick example: synthetic quartz-like pattern, model in truth.txt"
    write_text("quartz.gda", gda_text(quartz, title))
    write_text("small.xy", xy_text(Pattern(20.0, 0.03, 301, rng)))
    for number, scan in enumerate(SCANS, start=1):
        write_text(scan.name, scan_text(scan, number, len(SCANS), rng))
    write_text("truth.txt", truth_text())


if __name__ == "__main__":
    main()
