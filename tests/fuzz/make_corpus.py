#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/<target>/.

The seeds are cut from the shipped example patterns (examples/) and written out for the edge
cases that the unit tests name: the smallest and a too small pattern, blank and over-long
lines, short last lines, bad headers, full point lists, and plans and command lines of the
batch programs at their limits. Running it again rewrites the same
bytes. Usage: python3 tests/fuzz/make_corpus.py
"""

import pathlib
import re
import shutil
import sys

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLES = HERE.parent.parent / "examples"
CORPUS = HERE / "corpus"
MARK = "\n~~~\n"  # kSectionMark of fuzz_support.h


def example_lines(name, count):
    return "".join(EXAMPLES.joinpath(name).read_text().splitlines(keepends=True)[:count])


def xy_seeds():
    return {
        "small_head.xy": example_lines("small.xy", 40),
        "three_points.xy": "10.00 100 10\n10.02 200 14.1\n10.04 300 17.3\n",
        "two_points.xy": "10.00 100 10\n10.02 200 14.1\n",
        "decreasing.xy": "30.00 5 1\n29.98 6 1\n29.96 7 1\n29.94 8 1\n",
        "blank_last_line.xy": "10.00 100 10\n10.02 200 14.1\n10.04 300 17.3\n\n",
        "off_grid_end.xy": "10.00 1 1\n10.02 1 1\n10.04 1 1\n10.50 1 1\n",
        "long_line.xy": "10.00 100 10" + " " * 120 + "\n10.02 200 14\n10.04 300 17\n",
        "not_a_number.xy": "10.00 nan 10\n10.02 inf 14\n10.04 1e39 17\n",
        "huge_spacing.xy": "-3e38 1 1\n3e38 1 1\n0 1 1\n",
        "largest_values.xy": "-1e30 1e30 1\n1e30 -1e30 1\n0 1 1\n",
        "header_then_columns.xy": "30" + "s" * 102 + ".00 5 1\n29.98 6 1\n29.96 7 1\n",
    }


def wyr_seeds():
    return {
        "quartz_head.wyr": example_lines("quartz.wyr", 6),
        "short_last_line.wyr": "  10.000   0.020  10.200\n 1 2 3 4 5 6 7 8\n 9 10 11",
        "short_middle_line.wyr": "10 0.02 10.3\n1 2 3\n4 5 6 7 8 9 10 11\n",
        "bad_header.wyr": "10.000 0.020\n1 2 3 4\n",
        "huge_grid.wyr": "1e300 1e300 1e300\n1 2 3 4 5 6 7 8\n",
    }


def dat_seeds():
    return {
        "quartz_head.dat": example_lines("quartz.dat", 7),
        "odd_pair.dat": "10.0 0.02 10.04\n   100.0   200.0   300.0\n    10.0    14.1\n",
        "no_weights.dat": "10.0 0.02 10.02\n   100.0   200.0   300.0",
        "bad_header.dat": "10.0\n   100.0\n",
    }


def gda_seeds():
    title = "xrdpick fuzz seed".ljust(80) + "\n"
    bank = "BANK  1        8       2 CONST    1000.00      2.00 0 0 ESD" + " " * 21 + "\n"
    records = ("   100.0    10.0" * 5 + "\n") + ("   200.0    14.1" * 3)
    return {
        "quartz_head.gda": example_lines("quartz.gda", 8),
        "eight_points.gda": title + bank + records,
        "unpaired_value.gda": title + bank + "   100.0    10.0   200.0    14.1   300.0",
        "bad_bank.gda": title + "BANK 1 x\n" + records,
        "long_title.gda": "T" * 250 + "\n" + bank + records,
    }


def super_seeds():
    # Console lines first (key pauses and further file names), then scan.001, scan.002, ...
    scan1 = example_lines("scan.001", 40)
    scan2 = example_lines("scan.002", 30)
    scan3 = example_lines("scan.003", 30)
    header = example_lines("scan.001", 13)
    return {
        "three_scans": MARK.join(["scan.002\nscan.003\n\n", scan1, scan2, scan3]),
        "one_scan": MARK.join(["\n", scan1]),
        "missing_name": MARK.join(["nothere.004\n\n", scan1]),
        "undecodable": MARK.join(["\n", header + "tth cts mon\n 20.0 1 1000\n"]),
        # 400 degrees is the last index the store holds (19000), 500 lies beyond it.
        "at_capacity": MARK.join(
            ["\n", header + "tth cts mon tim\n20.00 5 1000 1000\n20.02 5 1000 1000\n"
             "400.00 5 1000 1000\n20.04 5 1000 1000\n"]),
        "beyond_capacity": MARK.join(
            ["\n", header + "tth cts mon tim\n20.00 5 1000 1000\n20.02 5 1000 1000\n"
             "500.00 5 1000 1000\n20.04 5 1000 1000\n"]),
        "off_grid": MARK.join(
            ["x\n\n", header + "tth cts mon tim\n20.00 5 1000 1000\n20.02 5 1000 1000\n"
             "20.035 5 1000 1000\n\nabc\n20.04 5 10 1\n"]),
    }


def background_seeds():
    # Three bytes (point file name, step, number of loads), then the console answers, then
    # the point file.
    fbg = "".join(f"{10 + 0.5 * i:f}\t{100 + i:f}\t0.0\n" for i in range(12))
    gbg = "".join(f"I\t{10 + 0.5 * i:f}\t{100 + i:f}\t0.0\n" for i in range(12))
    many = "".join(f"{10 + 0.01 * i:f}\t{i % 7:f}\t0.0\n" for i in range(230))
    return {
        "fbg_twice": "\x00\x00\x01" + MARK.join(["K\nI\n\nk\ni\n", fbg]),
        "gbg_once": "\x01\x00\x00" + MARK.join(["", gbg]),
        "full_list": "\x00\x02\x02" + MARK.join(["K\n" * 50, many]),
        "unparsable": "\x00\x00\x01" + MARK.join(["I\n", "header\n\n1.0\n" + fbg[:60]]),
        "refused_name": "\x04\x00\x00" + MARK.join(["", fbg]),
    }


def peaks_seeds():
    # Two bytes (entries already in the list, number of loads), then the file.
    cdt = "".join(f"{20 + 0.37 * i:8.4f}\n" for i in range(10))
    fit = ("#   tth      Iint       FWHM      eta      w/r     chi^2\n"
           " 20.8600  1234.5  0.1010  0.40  0.060  1.23\n"
           " 26.6400   987.6  0.1070  0.40  0.060  1.23\n"
           "#----------------------------------------\n")
    return {
        "cdt_once": "\x00\x00" + cdt,
        "fit_twice": "\x05\x01" + fit,
        "near_full": "\xc5\x02" + cdt,
        "blank_and_long": "\x00\x00" + "\n" + "9" * 450 + "\n#x\n1.5\n",
    }


def two_scans(first, second):
    """The XRDML file `first` with the <scan> of `second` after its own."""
    scan = re.search(r"  <scan .*?</scan>\n", second, re.S).group(0)
    return first.replace("  </xrdMeasurement>", scan + "  </xrdMeasurement>")


def import_seeds():
    """The sample files of the import tests, each behind the byte that selects its reader in
    import_reader_fuzzer.cpp (format index + 16 * (bin - 1))."""
    sys.path.insert(0, str(HERE.parent / "import"))
    import make_samples  # noqa: E402

    values = make_samples.counts(12)
    selectors = {"raw": 0, "uxd": 3, "xrdml": 4, "csv": 9, "text": 12, "xy": 13}
    files = {
        "v3.raw": ("raw", make_samples.raw_v3([(10.0, values), (60.0, values)])),
        "v4.raw": ("raw", make_samples.raw_v4(values)),
        "step0.raw": ("raw", make_samples.raw_v3([(10.0, values)], step=0.0)),
        "quartz.uxd": ("uxd", make_samples.uxd(values)),
        "rate.uxd": ("uxd", make_samples.uxd(values, "_CPS", 4.0)),
        "counts.xrdml": ("xrdml", make_samples.xrdml(values, "counts")),
        "quartz.csv": ("csv", make_samples.csv(values)),
        "two.txt": ("text", make_samples.two_columns(values)),
        "three.xy": ("xy", make_samples.three_columns(values)),
        "binned.xy": ("xy", make_samples.two_columns(values)),
        "pairs.uxd": ("uxd", b"\xef\xbb\xbf" + make_samples.uxd(values).encode() +
                      b"_DRIVE='COUPLED'\n_STEPTIME = 2\n_STEPSIZE=0.02\n\v_2THETACPS\n" +
                      "".join("%.2f, %g ; point\n" % (20 + 0.02 * i, v)
                              for i, v in enumerate(values)).encode() +
                      b"_2THETA-I\n12.0 900\n_CPS\n1 2 3\n"),
        "rounded.uxd": ("uxd", make_samples.rounded_uxd()[:1500]),
        "scans.xrdml": ("xrdml", two_scans(make_samples.xrdml(values, unit="cps", time=2.0),
                                           make_samples.xrdml(values))),
        "comma.txt": ("text", "\xef\xbb\xbfEnergy,Counts\n# Phi scan exported\n" +
                      "".join("%.2f,%d # c\n" % (10 + 0.02 * i, v) for i, v in enumerate(values))),
    }
    seeds = {}
    for name, (reader, content) in files.items():
        selector = selectors[reader] + (32 if name == "binned.xy" else 0)
        raw = content if isinstance(content, bytes) else content.encode("latin-1")
        seeds[name] = bytes([selector]) + raw
    return seeds


def plan_seeds():
    return {
        "three_regions.plan": "# low high peaks\n20 24 21 22.5\n30 34 31 wor=0.08\n"
                              "\n40.5 46 41 42 43 44 45 # nine\n",
        "nine_peaks.plan": "10 20 11 12 13 14 15 16 17 18 19\n",
        "ten_peaks.plan": "10 21 11 12 13 14 15 16 17 18 19 20\n",
        "unordered.plan": "20 24 23 21\n",
        "bad_wor.plan": "20 24 21 wor=x\n",
        "negative_wor.plan": "20 24 21 wor=-0.06\n",
        "comments_only.plan": "# nothing\n\n   \n",
        "huge.plan": "-1e308 1e308 0\n1e-320 2e-320 1.5e-320\n",
        "nan.plan": "20 24 nan\n",
    }


def fit_seeds():
    header = "#    tth        Iint      FWHM      eta       w/r      chi^2\n"
    line = "  21.0000   1500.00   0.1200   0.5000   0.0600   1.234\n"
    other = "  22.5000    800.00   0.1500   0.4000   0.0600   1.234\n"
    separator = "#" + "-" * 56 + "#\n"
    return {
        "two_blocks.fit": header + line + other + separator + header + other + separator,
        "last_block_open.fit": header + line,
        "shared_position.fit": header + line + line + separator,
        "zero_fwhm.fit": header + "21 100 0 0.5 0.06 1\n" + separator,
        "five_fields.fit": "21 100 0.1 0.5 0.06\n",
        "ten_lines.fit": "".join(f"{20 + i} 100 0.1 0.5 0.06 1\n" for i in range(10)),
        "empty_blocks.fit": separator + separator,
        # Found by fuzzing: a position of 2.7e105 among plain lines.
        "huge_position.fit": b"".join(
            f"{20 + i} {1 if i == 0 else 100} {50.1 if i == 1 else 0.1} 0.5 0.06 1\n".encode()
            for i in range(7)) + b"27" + b"0" * 104 + b" 100 0.1 0.5 0.06 1\n28" + b"\r" * 21
        + b"100 0.1 0.5 0.06 1\n",
    }


def cdt_seeds():
    width = bytes([4])  # the measured width
    return {
        "quartz.cdt": width + b"  20.8600\n  26.6400\n  36.5400\n  39.4600\n  40.3000\n",
        "close_peaks.cdt": bytes([8]) + b"  25.0000\n  25.0100\n  25.0200\n  25.0300\n",
        "many_close.cdt": bytes([0]) + "".join(
            f"{30 + 0.01 * i:9.4f}\n" for i in range(40)).encode(),
        "comments.cdt": width + b"# peaks\n\n  21.0 extra fields\n",
        "not_a_number.cdt": width + b"  21.0\nabc\n",
        "negative.cdt": width + b"-5\n0\n",
        # Found by fuzzing: a position of 8e50.
        "huge_position.cdt": width + b"-5\n0\n" + b"0" * 10 + b"8" + b"0" * 40,
    }


def argument_seeds(lines):
    return {name: "\0".join(args).encode("latin-1") for name, args in lines.items()}


def fit_args_seeds():
    return argument_seeds({
        "plan": ["--plan", "series.plan", "a.xy", "b.xy"],
        "from_fit_equals": ["--from-fit=quartz.fit", "--wor=0.06", "--jobs=4", "a.xy"],
        "cdt_everything": ["--cdt", "p.cdt", "--common", "--sequential", "--verbose",
                           "--table", "t.txt", "--fit", "f.fit", "--plots", "pics", "a.xy"],
        "two_sources": ["--plan", "p", "--cdt", "c", "a.xy"],
        "bad_jobs": ["--jobs", "0", "--plan", "p", "a.xy"],
        "dashdash": ["--plan", "p", "--", "--help", "-x"],
        "tab_name": ["--plan", "p", "a\tb.xy"],
        "help": ["--help"],
        "no_value": ["--plan"],
    })


def convert_args_seeds():
    return argument_seeds({
        "to_formats": ["--to=xy,dat", "--outdir", "out", "a.raw"],
        "merge": ["--merge", "--force", "scan.001", "scan.002"],
        "title": ["--title", "a title", "--from", "riet7", "a.dat"],
        "block_bin": ["--block=2", "--bin", "3", "a.xrdml"],
        "unknown": ["--frobnicate", "a.xy"],
        "version": ["--version"],
        "no_file": ["--to", "gda"],
    })


def suggest_args_seeds():
    return argument_seeds({
        "points": ["--points", "20", "--min-sigma=3.5", "a.xy"],
        "nothing": ["--no-background", "--no-peaks", "a.xy"],
        "outdir": ["--outdir", "out", "--force", "--no-peaks", "a.xy", "b.xy"],
        "bad_number": ["--points", "-1", "a.xy"],
        "help": ["-h"],
    })


def counts_seed(shape, scale, counts):
    # The layout of suggest_counts_fuzzer.cpp: shape byte, scale byte, two bytes per count.
    return bytes([shape, scale]) + b"".join(
        min(int(c), 65535).to_bytes(2, "little") for c in counts)


def suggest_counts_seeds():
    quartz = [float(line.split()[1]) for line in
              EXAMPLES.joinpath("quartz.xy").read_text().splitlines()[:1500]
              if line.strip() and not line.startswith("#")]
    return {
        "quartz": counts_seed(3, 8, quartz),
        "quartz_downwards_no_sig": counts_seed(3 | 0x10 | 0x20, 8, quartz),
        "quartz_doublet_points": counts_seed(3 | 0x40 | 0x80, 8, quartz),
        "flat": counts_seed(3, 8, [100] * 400),
        "zeros": counts_seed(3, 8, [0] * 400),
        "fewest": counts_seed(3, 8, [5, 9, 30, 90, 30, 9, 5, 5, 5, 5]),
        "spike": counts_seed(3, 8, [100] * 200 + [5000] + [100] * 200),
        "longest": counts_seed(0, 8, [100 + (i % 97 == 0) * 4000 for i in range(4096)]),
        "huge": counts_seed(3, 23, [65535, 0] * 300),
    }


def write(target, seeds):
    folder = CORPUS / target
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for name, text in seeds.items():
        folder.joinpath(name).write_bytes(
            text if isinstance(text, bytes) else text.encode("latin-1"))


def main():
    write("fuzz_read_xy", xy_seeds())
    write("fuzz_read_wyr", wyr_seeds())
    write("fuzz_read_dat", dat_seeds())
    write("fuzz_read_gda", gda_seeds())
    write("fuzz_read_super", super_seeds())
    write("fuzz_load_background", background_seeds())
    write("fuzz_load_peaks", peaks_seeds())
    write("fuzz_read_import", import_seeds())
    write("fuzz_plan_file", plan_seeds())
    write("fuzz_plan_fit", fit_seeds())
    write("fuzz_plan_cdt", cdt_seeds())
    write("fuzz_args_fit", fit_args_seeds())
    write("fuzz_args_convert", convert_args_seeds())
    write("fuzz_args_suggest", suggest_args_seeds())
    write("fuzz_suggest_counts", suggest_counts_seeds())


if __name__ == "__main__":
    main()
