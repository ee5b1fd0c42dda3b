#!/usr/bin/env python3
"""Writes diffractometer and text pattern files for the import tests and benchmark.

Every file holds the same model scan: a background of 100 counts and a peak of 900 counts
at 2theta = 12 degrees, from 10 degrees in steps of 0.02, with integer counts. The
binary layouts are those of the manufacturers' manuals (Bruker DIFFRAC-plus RAW version 3,
"RAW1.01", and DIFFRAC.SUITE RAW version 4, "RAW4.00"); the text formats follow the files
the instruments write (PANalytical XRDML, Bruker UXD). Besides the good files it writes the
bad ones the tests name (cut short, step 0, no counts, mixed columns, NaN, too long), and
rounded.uxd: a UXD export as a diffractometer writes it, angle-intensity pairs from 3 to 100
degrees with the angles rounded to 0.01 and the exact step in a six-decimal _STEPSIZE.

Usage: make_samples.py OUTDIR [POINTS [STEP]]   (the model scan: 201 points, step 0.02)
"""

import math
import pathlib
import struct
import sys

START, STEP = 10.0, 0.02
PEAK, WIDTH = 12.0, 0.08
ALPHA1, ALPHA2 = 1.5406, 1.54439


def counts(points, step=None):
    step = STEP if step is None else step
    return [float(round(100 + 900 * math.exp(-(((START + i * step) - PEAK) / WIDTH) ** 2)))
            for i in range(points)]


def angle(i, step=None):
    return START + i * (STEP if step is None else step)


def xrdml(values, tag="intensities", step=None, unit="counts", time=1.0):
    end = START + (len(values) - 1) * (STEP if step is None else step)
    data = " ".join("%g" % v for v in values)
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<xrdMeasurements xmlns="http://www.xrdml.com/XRDMeasurement/1.5" status="Completed">
  <sample type="To be analyzed"><id>quartz</id></sample>
  <xrdMeasurement measurementType="Scan" status="Completed">
    <usedWavelength intended="K-Alpha 1">
      <kAlpha1 unit="Angstrom">{ALPHA1}</kAlpha1>
      <kAlpha2 unit="Angstrom">{ALPHA2}</kAlpha2>
      <ratioKAlpha2KAlpha1>0.5</ratioKAlpha2KAlpha1>
    </usedWavelength>
    <scan appendNumber="0" mode="Continuous" scanAxis="Gonio" status="Completed">
      <dataPoints>
        <positions axis="2Theta" unit="deg">
          <startPosition>{START:.4f}</startPosition>
          <endPosition>{end:.4f}</endPosition>
        </positions>
        <positions axis="Omega" unit="deg">
          <startPosition>{START / 2:.4f}</startPosition>
          <endPosition>{end / 2:.4f}</endPosition>
        </positions>
        <commonCountingTime unit="seconds">{time}</commonCountingTime>
        <{tag} unit="{unit}">{data}</{tag}>
      </dataPoints>
    </scan>
  </xrdMeasurement>
</xrdMeasurements>
"""


def two_tubes(values):
    """An XRDML file of two measurements, the second with a Co tube."""
    text = xrdml(values)
    first = text.index("  <xrdMeasurement ")
    end = text.index("</xrdMeasurements>")
    cobalt = (text[first:end].replace(str(ALPHA1), "1.78900").replace(str(ALPHA2), "1.79290")
              .replace("<ratioKAlpha2KAlpha1>0.5<", "<ratioKAlpha2KAlpha1>0.49<"))
    return text[:end] + cobalt + text[end:]


def uxd(values, keyword="_COUNTS", steptime=1.0):
    lines = ["; Bruker UXD written for the import tests", "_FILEVERSION=1",
             "_SAMPLE='quartz'", f"_WL1={ALPHA1:.6f}", f"_WL2={ALPHA2:.6f}", "_ANODE='Cu'",
             "; Data for range 1", "_DRIVE='COUPLED'", f"_STEPTIME={steptime:.6f}",
             f"_STEPSIZE={STEP:.6f}", "_STEPMODE='C'", f"_START={START:.6f}", keyword]
    for k in range(0, len(values), 8):
        lines.append("".join("%10.6g" % v for v in values[k:k + 8]))
    return "\n".join(lines) + "\n"


def rounded_uxd():
    """A UXD file as a diffractometer exports it: angle-intensity pairs with the angles
    rounded to 0.01 degrees, and the exact step in _STEPSIZE, from 3 to 100 degrees."""
    step = 0.015592
    points = int((100.0 - 3.0) / step) + 1
    lines = ["; Bruker UXD exported by the diffractometer software", "_FILEVERSION=1",
             "_SAMPLE='quartz'", f"_WL1={ALPHA1:.6f}", f"_WL2={ALPHA2:.6f}", "_ANODE='Cu'",
             "; (Data for Range number 1)", "_DRIVE='COUPLED'", "_STEPTIME=1.000000",
             f"_STEPSIZE={step:.6f}", "_STEPMODE='C'", "_START=3.000000", "_2THETACOUNTS"]
    for i in range(points):
        tth = 3.0 + i * step
        lines.append("%10.2f %9d" % (tth, round(100 + 900 * math.exp(-((tth - 26.64) / 0.08) ** 2))))
    return "\n".join(lines) + "\n"


def raw_v3(ranges, step=None):
    """DIFFRAC-plus RAW V3: a 712-byte file header, then per range a 304-byte header and the
    counts as 4-byte floats, all little-endian."""
    head = bytearray(712)
    head[0:7] = b"RAW1.01"
    struct.pack_into("<II", head, 8, 1, len(ranges))  # file status done, range count
    head[16:26] = b"12/07/26  "
    head[26:36] = b"17:30:00  "
    head[326:332] = b"quartz"
    head[608:610] = b"Cu"
    struct.pack_into("<ddddd", head, 616, ALPHA1, ALPHA1, ALPHA2, 1.39222, 0.5)
    out = bytes(head)
    step = STEP if step is None else step
    for start, values in ranges:
        rng = bytearray(304)
        struct.pack_into("<IIdd", rng, 0, 304, len(values), start / 2, start)
        struct.pack_into("<d", rng, 176, step)
        struct.pack_into("<f", rng, 192, 1.0)
        struct.pack_into("<d", rng, 240, ALPHA1)
        out += bytes(rng) + struct.pack("<%df" % len(values), *values)
    return out


def raw_v4(values):
    """DIFFRAC.SUITE RAW V4: a 61-byte header, a hardware configuration segment (type 30)
    with the wavelengths, then a range: its 160-byte header and the counts as floats."""
    head = bytearray(61)
    head[0:7] = b"RAW4.00"
    head[12:22] = b"2026-12-07"
    hardware = bytearray(120)
    struct.pack_into("<II", hardware, 0, 30, 120)
    struct.pack_into("<ddddd", hardware, 72, ALPHA1, ALPHA1, ALPHA2, 1.39222, 0.5)
    hardware[116:118] = b"Cu"
    rng = bytearray(160)
    struct.pack_into("<I", rng, 0, 0)
    rng[32:46] = b"Locked Coupled"
    struct.pack_into("<ddIf", rng, 72, START, STEP, len(values), 1.0)
    struct.pack_into("<II", rng, 136, 4, 0)
    return bytes(head) + bytes(hardware) + bytes(rng) + struct.pack("<%df" % len(values), *values)


def two_columns(values, header="# quartz, Cu K-alpha\n# 2theta counts\n", step=None):
    return header + "".join("%.3f %d\n" % (angle(i, step), v) for i, v in enumerate(values))


def three_columns(values):
    return ("/* written for the import tests\n   three columns */\n! 2theta counts esd\n" +
            "".join("%.3f %d %.2f\n" % (angle(i), v, math.sqrt(v) * 1.5)
                    for i, v in enumerate(values)))


def csv(values):
    return "2theta,counts\n" + "".join("%.3f,%d\n" % (angle(i), v) for i, v in enumerate(values))


def write(out, name, content):
    path = out / name
    if isinstance(content, str):
        path.write_text(content)
    else:
        path.write_bytes(content)


def main():
    out = pathlib.Path(sys.argv[1])
    global STEP
    points = int(sys.argv[2]) if len(sys.argv) > 2 else 201
    STEP = float(sys.argv[3]) if len(sys.argv) > 3 else STEP
    values = counts(points, STEP)
    second = [v + 50 for v in values]
    good = {
        "quartz.xrdml": xrdml(values),
        "counts.xrdml": xrdml(values, "counts"),
        "tubes.xrdml": two_tubes(values),
        "quartz.uxd": uxd(values),
        "rate.uxd": uxd([v / 4 for v in values], "_CPS", 4.0),
        "rate.xrdml": xrdml([v / 4 for v in values], "counts", unit="cps", time=4.0),
        "quartz.raw": raw_v3([(START, values), (START + 50, second)]),
        "v4.raw": raw_v4(values),
        "rounded.uxd": rounded_uxd(),
        "quartz.csv": csv(values),
        "two.xy": two_columns(values),
        "three.xy": three_columns(values),
    }
    bad = {
        "cut.raw": raw_v3([(START, values)])[:712 + 304 + 40],
        "step0.raw": raw_v3([(START, values)], step=0.0),
        "nocounts.xrdml": xrdml(values).replace('<intensities unit="counts">', "<!-- ")
                                       .replace("</intensities>", " -->"),
        "mixed.xy": two_columns(values[:10]) + "10.3 5 2\n",
        "nan.xy": two_columns(values[:10]) + "10.2 nan\n",
        "dspacing.xy": "# d I\n" + "".join("%.4f %d\n" % (5 - 0.01 * i, 10) for i in range(5)),
        "long.xy": two_columns(counts(19002, 0.005), step=0.005),
        "long.xrdml": xrdml(counts(25000, 0.004), step=0.004),
    }
    for name, content in {**good, **bad}.items():
        write(out, name, content)


if __name__ == "__main__":
    main()
