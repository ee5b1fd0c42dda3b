"""The glue a notebook needs, from the programs' own functions: regions by xrdfit's --cdt
rule and from its region files, point files as xrdsuggest writes them, and xrdconvert's
--strip-ka2, --regrid, --bin and --merge."""

import numpy as np
import pytest

import xrdpick
from conftest import DRIFT_PLAN, EXAMPLES, plan_file, run
from test_same_numbers import xrdfit_table

QUARTZ = str(EXAMPLES / "quartz.xy")
SCANS = [str(EXAMPLES / f"scan.00{k}") for k in (1, 2, 3)]


def test_regions_from_peaks_are_xrdfits_cdt_regions(tmp_path, drifting_series):
    first = xrdpick.read(drifting_series[0])
    peaks = xrdpick.suggest(first)["peaks"]
    regions = xrdpick.regions_from(peaks, first)
    assert [r[2] for r in regions] == [[t] for t in peaks["tth"].tolist()] or len(regions) < len(
        peaks["tth"])
    assert xrdpick.regions_from(list(peaks["tth"]), first) == regions
    cdt = tmp_path / "found.cdt"
    xrdpick.write_points(cdt, peaks)
    written = [float(line) for line in cdt.read_text().split()]
    assert xrdpick.read_regions(cdt, pattern=first) == xrdpick.regions_from(written, first)
    table = tmp_path / "cdt.tsv"
    _, err, status = run("xrdfit", "--cdt", cdt, "--table", table, *drifting_series[:4])
    assert status == 0, err
    from_cdt = xrdpick.read_regions(cdt, pattern=first)
    assert xrdpick.fit_series(drifting_series[:4], from_cdt).tsv == table.read_text()


@pytest.mark.parametrize("peaks, text", [
    ([], "no peak positions"),
    ([20.0, 190.0], "does not lie between 0 and 180 degrees"),
])
def test_positions_that_make_no_regions(peaks, text):
    with pytest.raises(xrdpick.RegionError, match=text):
        xrdpick.regions_from(peaks, xrdpick.read(QUARTZ))


def test_flat_pattern_sizes_no_region():
    flat = xrdpick.Pattern(np.arange(20.0, 30.0, 0.02), np.full(500, 100.0), name="flat")
    with pytest.raises(xrdpick.RegionError, match="flat: shows no peak width"):
        xrdpick.regions_from([25.0], flat)


def test_plan_and_fit_files_read_as_xrdfit_reads_them(tmp_path, drifting_series):
    plan = plan_file([*DRIFT_PLAN, (36.3, 37.5, [36.9], -0.05)], tmp_path / "plan.txt")
    regions = xrdpick.read_regions(plan)
    assert regions == [*DRIFT_PLAN, (36.3, 37.5, [36.9], -0.05)]
    fit_file = tmp_path / "run.fit"
    fit_file.write_text("# tth Iint FWHM eta w/r chi2\n"
                        "33.0 900.0 0.10 0.4 0.0 1.1\n#-\n"
                        "35.3 400.0 0.12 0.4 -0.05 1.2\n#-\n")
    from_fit = xrdpick.read_regions(fit_file)
    assert [len(r) for r in from_fit] == [5, 5]
    assert from_fit[0][4]["peaks"] == [(33.0, 900.0, 0.10)]
    table = tmp_path / "fit.tsv"
    for source, option in ((plan, "--plan"), (fit_file, "--from-fit")):
        run("xrdfit", option, source, "--table", table, *drifting_series[:3])
        assert (xrdpick.fit_series(drifting_series[:3], xrdpick.read_regions(source)).tsv ==
                table.read_text()), option


@pytest.mark.parametrize("name, text, kind", [
    ("bad.txt", "20.0 21.0\n", xrdpick.RegionError),
    ("bad.fit", "not numbers\n", xrdpick.RegionError),
    ("missing.txt", None, xrdpick.RegionError),
])
def test_region_files_that_cannot_be_read_name_the_file(tmp_path, name, text, kind):
    path = tmp_path / name
    if text is not None:
        path.write_text(text)
    with pytest.raises(kind, match=str(path)):
        xrdpick.read_regions(path)
    with pytest.raises(ValueError, match="pattern= names it"):
        xrdpick.read_regions(tmp_path / "x.cdt")


@pytest.mark.parametrize("name, options", [
    ("quartz.xy", ()),
    ("small.xy", ("--points", "7")),
    ("quartz.gda", ("--anode", "Cu")),
])
def test_point_files_are_xrdsuggests(tmp_path, name, options):
    path = str(EXAMPLES / name)
    ours, theirs = tmp_path / "ours", tmp_path / "theirs"
    ours.mkdir(), theirs.mkdir()
    _, err, status = run("xrdsuggest", "--outdir", theirs, *options, path)
    assert status == 0, err
    pattern = xrdpick.read(path)
    radiation = "Cu" if "--anode" in options else None
    pattern.radiation = radiation
    points = {"points": int(options[1])} if "--points" in options else {}
    found = xrdpick.suggest(pattern, **points)
    stem = name.split(".")[0]
    written = [(f"{stem}.fbg", found["background"]), (f"{stem}.gbg", found["background"]),
               (f"{stem}.cdt", found["peaks"])]
    if radiation:
        written.append((f"{stem}.dsp", found["peaks"]))
    for file, values in written:
        xrdpick.write_points(ours / file, values, radiation=radiation)
        assert (ours / file).read_bytes() == (theirs / file).read_bytes(), file
    assert sorted(p.name for p in theirs.iterdir()) == sorted(f for f, _ in written)


@pytest.mark.parametrize("call, kind, text", [
    (lambda d: xrdpick.write_points(d / "a.xy", [20.0]), ValueError, "writes .fbg, .gbg"),
    (lambda d: xrdpick.write_points(d / "a.fbg", [20.0]), ValueError, "needs values"),
    (lambda d: xrdpick.write_points(d / "a.fbg", [20.0], [1.0, 2.0]), ValueError,
     "tth holds 1 values, values 2"),
    (lambda d: xrdpick.write_points(d / "a.cdt", list(range(201))), ValueError,
     "at most 200 points"),
    (lambda d: xrdpick.write_points(d / "a.cdt", [float("nan")]), ValueError,
     "point 0 is not a finite number"),
    (lambda d: xrdpick.write_points(d / "a.dsp", [20.0], [5.0]), ValueError, "needs radiation="),
    (lambda d: xrdpick.write_points(d / "no/a.gbg", [20.0], [5.0]), xrdpick.WriteError,
     "no/a.gbg: cannot be written: No such file or directory"),
    (lambda d: xrdpick.write_points(d / "no/a.cdt", [20.0]), xrdpick.WriteError, "no/a.cdt"),
    (lambda d: xrdpick.write_points(d / "no/a.dsp", [20.0], [5.0], radiation="Cu"),
     xrdpick.WriteError, "no/a.dsp"),
])
def test_point_files_refused_or_failed_say_why(tmp_path, call, kind, text):
    with pytest.raises(kind, match=text.replace(".", r"\.").replace("=", "=")):
        call(tmp_path)


def scans():
    return xrdpick.merge(SCANS)


@pytest.mark.parametrize("options, step, source", [
    (("--strip-ka2", "--anode", "Cu"), lambda p: xrdpick.strip_ka2(p, "Cu"), QUARTZ),
    (("--regrid", "0.03"), lambda p: xrdpick.regrid(p, 0.03), QUARTZ),
    (("--bin", "3"), lambda p: xrdpick.bin(p, 3), QUARTZ),
    (("--regrid", "0.05", "--strip-ka2", "--anode", "Co"),
     lambda p: xrdpick.strip_ka2(xrdpick.regrid(p, 0.05), "Co"), QUARTZ),
    (("--merge",), None, None),
])
def test_pattern_steps_are_xrdconverts(tmp_path, options, step, source):
    out = tmp_path / "converted"
    out.mkdir()
    inputs = SCANS if source is None else [source]
    _, err, status = run("xrdconvert", *options, "--to", "gda", "--outdir", out, *inputs)
    assert status == 0, err
    pattern = scans() if source is None else step(xrdpick.read(source))
    ours = tmp_path / "ours.gda"
    stem = "scan" if source is None else "quartz"
    xrdpick.write(pattern, ours, title=f"{stem}.{'001' if source is None else 'xy'}")
    assert ours.read_bytes() == (out / f"{stem}.gda").read_bytes()
    # What the step said, as xrdconvert says it.
    read = [] if source is None else xrdpick.read(source).messages
    said = [line for line in pattern.messages if line not in read]
    assert said and set(said) <= set(err.splitlines()), (said, err)


@pytest.mark.parametrize("call, kind, text", [
    (lambda p: xrdpick.strip_ka2(p), xrdpick.PatternError, "no Kalpha2 line known to strip"),
    (lambda p: xrdpick.strip_ka2(p, xrdpick.Radiation(1.5406)), xrdpick.PatternError,
     "no Kalpha2 line"),
    (lambda p: xrdpick.regrid(p, 0), ValueError, "step must be above 0"),
    (lambda p: xrdpick.regrid(p, 1e-5), xrdpick.PatternError, "quartz.xy: "),
    (lambda p: xrdpick.bin(p, 0), ValueError, "n must be 1 or more"),
    (lambda p: xrdpick.bin(p, 2000), xrdpick.PatternError, "quartz.xy: "),
    (lambda p: xrdpick.merge([QUARTZ]), xrdpick.Error, "not a raw scan file"),
    (lambda p: xrdpick.merge([SCANS[0], "missing.002"]), xrdpick.ReadError, "missing.002"),
    (lambda p: xrdpick.merge(SCANS[0]), TypeError, "scans must be a list"),
    (lambda p: xrdpick.merge([]), ValueError, "at least one raw scan file"),
])
def test_pattern_steps_refused_say_why(call, kind, text):
    with pytest.raises(kind, match=text):
        call(xrdpick.read(QUARTZ))
