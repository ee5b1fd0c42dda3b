"""The module gives the programs' numbers: xrdfit's table to the byte, xrdsuggest's files,
xrdconvert's outputs."""

import math
import os

import numpy as np
import pytest

import xrdpick
from conftest import DRIFT_PLAN, EXAMPLES, QUARTZ_PLAN, plan_file, run

VALUE_COLUMNS = ["tth", "intensity", "fwhm", "eta", "wor", "chi2", "d"]
ERROR_COLUMNS = ["tth_se", "intensity_se", "fwhm_se", "d_se"]


def xrdfit_table(tmp_path, patterns, regions, *options):
    table = tmp_path / "table.tsv"
    plan = plan_file(regions, tmp_path / "plan.txt")
    _, err, _ = run("xrdfit", "--plan", plan, "--table", table, *options, *patterns)
    return table.read_text(), err


def in_module_words(message):
    """xrdfit's message as the module words it: its keyword arguments for xrdfit's options."""
    for option, keyword in [("(--anode or --wavelength names it)", "(radiation= names it)"),
                            ("(--anode Cu)", "(anode Cu)"), ("--wor auto:", "wor='auto':")]:
        message = message.replace(option, keyword)
    return message


def formatted(value, form):
    # glibc prints a NaN with its sign bit as "-nan"; Python has no such NaN text.
    if math.isnan(value):
        return "-nan" if math.copysign(1.0, value) < 0 else "nan"
    return form % value


def assert_columns_match(table, text):
    rows = [line.split("\t") for line in text.splitlines()]
    header, rows = rows[0], rows[1:]
    assert list(table) == header
    assert len(rows) == len(table["tth"]) == len(table)
    assert list(table.ok) == [row[header.index("status")] == "ok" for row in rows]
    for i, fields in enumerate(rows):
        row = dict(zip(header, fields))
        assert table["pattern"][i] == row["pattern"]
        for name in ("region", "peak", "iterations"):
            assert str(table[name][i]) == row[name]
        assert table["status"][i] == row["status"]
        for name in VALUE_COLUMNS:
            assert formatted(table[name][i], "%f") == row[name], (i, name)
        for name in ERROR_COLUMNS:
            assert formatted(table[name][i], "%.3e") == row[name], (i, name)


@pytest.mark.parametrize("options, keywords", [
    ((), {}),
    (("--common", "--wor", "-0.05"), {"common_fwhm": True, "wor": -0.05}),
    (("--anode", "Cu", "--max-iter", "12"), {"radiation": "Cu", "max_iter": 12}),
    (("--wor", "auto"), {"wor": "auto"}),
])
def test_examples_table_as_xrdfit(tmp_path, options, keywords):
    patterns = [str(EXAMPLES / name) for name in ("quartz.xy", "quartz.gda", "quartz.dat",
                                                  "small.xy", "missing.xy")]
    text, err = xrdfit_table(tmp_path, patterns, QUARTZ_PLAN, "--jobs", "2", *options)
    table = xrdpick.fit_series(patterns, QUARTZ_PLAN, jobs=2, **keywords)
    assert table.tsv == text
    assert_columns_match(table, text)
    assert table.messages == [in_module_words(line.removeprefix("xrdfit: "))
                              for line in err.splitlines()]


@pytest.mark.parametrize("sequential", [False, True])
def test_drifting_series_as_xrdfit_from_paths_patterns_and_any_jobs(tmp_path, drifting_series,
                                                                    sequential):
    options = ("--sequential",) if sequential else ()
    text, _ = xrdfit_table(tmp_path, drifting_series, DRIFT_PLAN, "--jobs", "2", *options)
    from_paths = xrdpick.fit_series(drifting_series, DRIFT_PLAN, sequential=sequential, jobs=2)
    patterns = [xrdpick.read(path) for path in drifting_series]
    from_patterns = xrdpick.fit_series(patterns, DRIFT_PLAN, sequential=sequential, jobs=1)
    assert from_paths.tsv == text
    assert from_patterns.tsv == text
    assert_columns_match(from_patterns, text)
    assert list(from_paths["status"]).count("ok") >= 20


def test_single_fits_are_the_table_rows(tmp_path):
    path = str(EXAMPLES / "quartz.xy")
    # Each region with its own W/R: a series would otherwise measure one from all of them.
    plan = [region if len(region) > 3 else (*region, 0.06) for region in QUARTZ_PLAN]
    text, _ = xrdfit_table(tmp_path, [path], plan, "--anode", "Cu")
    pattern = xrdpick.read(path)
    rows = []
    for number, region in enumerate(plan, start=1):
        result = xrdpick.fit(pattern, *region[:3], wor=region[3], radiation="Cu")
        rows.append(result.table_rows(region=number))
        assert [p.tth for p in result.peaks] == pytest.approx(region[2], abs=0.05)
        assert len(result.calc) == len(result.tth) == len(result.diff) > 10
        # eta's error where eta is free; W/R's only where it was refined.
        assert (result.eta_se > 0) == (0 < result.eta < 1)
        assert (result.wor_se > 0) == (region[3] < 0)
    assert "".join(rows) == "".join(text.splitlines(keepends=True)[1:])


def test_regions_from_a_plan_file_and_from_tuples_agree(tmp_path, drifting_series):
    plan = plan_file(DRIFT_PLAN, tmp_path / "plan.txt")
    assert (xrdpick.fit_series(drifting_series[:3], str(plan)).tsv ==
            xrdpick.fit_series(drifting_series[:3], DRIFT_PLAN).tsv)


def suggested_lines(values, form):
    return [form % tuple(float(np.float32(v)) for v in row) for row in values]


@pytest.mark.parametrize("name, options, keywords", [
    ("quartz.xy", (), {}),
    ("small.xy", ("--points", "7"), {"points": 7}),
    ("quartz.gda", ("--min-sigma", "12", "--anode", "Cu"), {"min_sigma": 12}),
])
def test_suggestions_as_xrdsuggest_files(tmp_path, name, options, keywords):
    path = str(EXAMPLES / name)
    _, err, status = run("xrdsuggest", "--outdir", tmp_path, *options, path)
    assert status == 0, err
    pattern = xrdpick.read(path)
    if "--anode" in options:
        pattern.radiation = "Cu"
    found = xrdpick.suggest(pattern, **keywords)
    stem = tmp_path / name.split(".")[0]
    peaks, background = found["peaks"], found["background"]
    assert (stem.with_suffix(".cdt").read_text().splitlines() ==
            suggested_lines(zip(peaks["tth"]), "%8.4f"))
    assert (stem.with_suffix(".fbg").read_text().splitlines() ==
            suggested_lines(zip(background["tth"], background["counts"]), "%f\t%f\t0.0"))
    if pattern.radiation is None:
        assert np.isnan(peaks["d"]).all()
    else:
        spacings = [f"{t:9.4f} {d:10.5f} {h:12.1f}"
                    for t, d, h in zip(peaks["tth"], peaks["d"], peaks["height"])]
        assert stem.with_suffix(".dsp").read_text().splitlines() == spacings


@pytest.mark.parametrize("fmt", ["xy", "wyr", "dat", "gda"])
def test_written_files_as_xrdconvert(tmp_path, fmt):
    source = EXAMPLES / "small.xy"
    out = tmp_path / "converted"
    out.mkdir()
    _, err, status = run("xrdconvert", "--to", fmt, "--outdir", out, source)
    assert status == 0, err
    written = tmp_path / f"small.{fmt}"
    xrdpick.write(xrdpick.read(source), written)
    assert written.read_bytes() == (out / f"small.{fmt}").read_bytes()
    again = xrdpick.read(written)
    assert np.array_equal(again.counts, xrdpick.read(source).counts)


@pytest.mark.parametrize("name", ["quartz.raw", "quartz.xrdml", "quartz.uxd", "quartz.csv"])
def test_the_format_a_pattern_reports_is_one_fmt_takes(instrument_files, name):
    path = instrument_files / name
    read = xrdpick.read(path)
    again = xrdpick.read(path, fmt=read.format)
    assert again.format == read.format
    assert np.array_equal(again.counts, read.counts)
    table = xrdpick.fit_series(path, [(11.5, 12.5, [12.0])], fmt=read.format)
    assert list(table["status"]) == ["ok"]


@pytest.mark.parametrize("lines", [
    ["30.05 12.3 3.51", "30.07 0.1 0.3", "30.09 123456.7 351.36"],
    ["1e-3 7 2.64575", "0.021 1e+05 316.228", "0.041 3.33333 1.82574"],
])
def test_values_come_as_read(tmp_path, lines):
    # Values of up to 6 digits, which single precision keeps, come back as their text.
    path = tmp_path / "values.xy"
    path.write_text("\n".join(lines) + "\n")
    columns = [[float(line.split()[k]) for line in lines] for k in range(3)]
    read = xrdpick.read(path)
    built = xrdpick.Pattern(*columns)
    for pattern in (read, built):
        assert [list(pattern.tth), list(pattern.counts), list(pattern.sig)] == columns


def test_pattern_from_arrays_is_the_file_read_as_text():
    read = xrdpick.read(EXAMPLES / "quartz.xy")
    built = xrdpick.Pattern(read.tth, read.counts, read.sig, radiation="Cu")
    for name in ("tth", "counts", "sig"):
        assert np.array_equal(getattr(built, name), getattr(read, name))
    assert built.step == pytest.approx(0.02) and len(built) == 3501
    assert built.radiation.lambda1 == xrdpick.Radiation.anode("Cu").lambda1
    rounded = xrdpick.Pattern(read.tth, read.counts)
    assert np.array_equal(rounded.sig.astype(np.float32),
                          np.sqrt(np.maximum(read.counts, 1)).astype(np.float32))
    plain = xrdpick.Pattern(read.tth, read.counts, read.sig)
    fits = [xrdpick.fit(p, 26.0, 27.3, [26.64]).table_rows("x") for p in (read, plain)]
    assert fits[0] == fits[1]


def resident_bytes():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")


@pytest.mark.parametrize("make", [
    lambda: xrdpick.Pattern(10.0 + 0.01 * np.arange(100), np.full(100, 50.0)),
    lambda: xrdpick.read(EXAMPLES / "small.xy"),
])
def test_a_pattern_holds_its_points_only(make):
    before = resident_bytes()
    patterns = [make() for _ in range(1000)]
    # A store of the full capacity is 224 KiB: 218 MiB for these.
    assert resident_bytes() - before < 20 * 2**20
    assert len({len(p) for p in patterns}) == 1


def test_to_pandas_keeps_every_column(drifting_series):
    pandas = pytest.importorskip("pandas")
    table = xrdpick.fit_series(drifting_series[:2], DRIFT_PLAN)
    frame = table.to_pandas()
    assert list(frame.columns) == list(table)
    assert frame["tth"].tolist() == table["tth"].tolist()
