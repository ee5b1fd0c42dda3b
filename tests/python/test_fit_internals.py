"""A fit's curves, covariance and steering: the curves add up, the covariance is the one the
errors come from, fit() gives xrdfit's rows for every option both take, and start values and
held parameters do what they say."""

import math

import numpy as np
import pytest

import xrdpick
from conftest import EXAMPLES, QUARTZ_PLAN, run
from test_same_numbers import xrdfit_table

QUARTZ = str(EXAMPLES / "quartz.xy")
# The triplet near 68 degrees overlaps; with Cu every peak is a Kalpha1/Kalpha2 doublet.
TRIPLET = (67.2, 68.9, [67.74, 68.12, 68.30])


@pytest.fixture(scope="module")
def quartz():
    return xrdpick.read(QUARTZ)


@pytest.mark.parametrize("region, keywords", [
    ((26.0, 27.3, [26.64]), {}),
    ((26.0, 27.3, [26.64]), {"radiation": "Cu"}),
    ((20.3, 21.4, [20.86]), {"wor": -0.06, "radiation": "Cu"}),
    (TRIPLET, {"radiation": "Cu"}),
    (TRIPLET, {"radiation": "Cu", "common_fwhm": True}),
    ((36.0, 37.1, [36.54]), {"hold": ("eta", "background_high"), "start": {"eta": 0.3}}),
])
def test_curves_add_up_and_the_errors_are_the_covariance(quartz, region, keywords):
    result = xrdpick.fit(quartz, *region, **keywords)
    assert result.engine_ran
    scale = float(np.abs(result.obs).max())
    n = len(result.tth)
    assert n > 10 and all(len(a) == n for a in (result.obs, result.calc, result.background,
                                                 result.diff))
    # Single precision throughout: equal to a few units in the last place of the counts.
    assert np.abs(result.obs - result.calc - result.diff).max() <= 1e-6 * scale
    lines = 2 if keywords.get("radiation") else 1
    assert result.components.shape == (len(region[2]), lines, n)
    total = result.background + result.components.sum(axis=(0, 1))
    assert np.abs(total - result.calc).max() <= 1e-5 * scale
    names = result.parameter_names
    assert ("fwhm" in names) == keywords.get("common_fwhm", False)
    for held in keywords.get("hold", ()):
        assert held not in names
    cov = result.covariance
    assert cov.shape == (len(names), len(names))
    assert np.allclose(cov, cov.T, rtol=1e-9, atol=0, equal_nan=True)
    free = ~np.isnan(np.diag(cov))
    assert np.allclose(np.diag(result.correlation)[free], 1.0)
    assert np.all(np.abs(result.correlation[np.ix_(free, free)]) <= 1.0 + 1e-12)
    errors = result.errors
    for n_peak, peak in enumerate(result.peaks, start=1):
        if peak.status != "ok":
            continue
        assert errors[f"tth_{n_peak}"] == peak.tth_se
        assert errors[f"intensity_{n_peak}"] == peak.intensity_se
        assert errors["fwhm" if "fwhm" in names else f"fwhm_{n_peak}"] == peak.fwhm_se
    assert math.isnan(result.eta_se) if "eta" not in names else (
        errors["eta"] == result.eta_se or math.isnan(result.eta_se))
    assert ("wor" in names) == (keywords.get("wor", 0) < 0)


def single_region_table(tmp_path, region, options):
    text, _ = xrdfit_table(tmp_path, [QUARTZ], [region], *options)
    return "".join(text.splitlines(keepends=True)[1:])


@pytest.mark.parametrize("options, keywords", [
    ((), {}),
    (("--wor", "auto"), {"wor": "auto"}),
    (("--wor", "-0.05"), {"wor": -0.05}),
    (("--anode", "Cu"), {"radiation": "Cu"}),
    (("--anode", "Cu", "--no-ka2"), {"radiation": "Cu", "no_ka2": True}),
    (("--anode", "Mo", "--common", "--max-iter", "12"),
     {"radiation": "Mo", "common_fwhm": True, "max_iter": 12}),
])
def test_a_fit_is_xrdfits_rows_for_every_option_both_take(tmp_path, quartz, options, keywords):
    # One region to a run: with more, xrdfit measures W/R from all of them.
    for region in [*QUARTZ_PLAN[:4], TRIPLET]:
        result = xrdpick.fit(quartz, *region[:3], **keywords)
        assert result.table_rows() == single_region_table(tmp_path, region[:3], options), region


def test_starting_from_the_previous_fit_is_a_sequential_series(tmp_path, drifting_series):
    region = (32.0, 34.0, [33.0], 0.05)
    text, _ = xrdfit_table(tmp_path, drifting_series[:4], [region], "--sequential")
    previous, rows = None, []
    for path in drifting_series[:4]:
        previous = xrdpick.fit(xrdpick.read(path), *region[:3], wor=region[3], start=previous)
        assert previous.ok
        rows.append(previous.table_rows())
    assert "".join(rows) == "".join(text.splitlines(keepends=True)[1:])


@pytest.mark.parametrize("hold, start, name, value", [
    (("eta",), {"eta": 0.3}, "eta", 0.3),
    (("wor",), {"wor": 0.08}, "wor", np.float32(0.08)),
    (("wor",), {}, "wor", np.float32(0.06)),
    (("fwhm",), {"peaks": [(26.62, 2000.0, 0.1)]}, "fwhm", 0.1),
    (("intensity_1",), {"peaks": [(26.62, 2500.0, 0.08)]}, "intensity", 2500.0),
])
def test_held_parameters_keep_their_start(quartz, hold, start, name, value):
    keywords = {"wor": 0.06} if start == {} else {}
    result = xrdpick.fit(quartz, 26.0, 27.3, [26.64], hold=hold, start=start, radiation="Cu",
                         **keywords)
    assert result.engine_ran
    got = getattr(result if name in ("eta", "wor") else result.peaks[0], name)
    assert got == pytest.approx(float(value), rel=1e-7)
    assert not set(hold) & set(result.parameter_names)
    free = xrdpick.fit(quartz, 26.0, 27.3, [26.64], radiation="Cu", wor=-0.06)
    assert set(hold) <= set(free.parameter_names) | {"fwhm"}


def test_a_series_keeps_each_fits_curves_and_its_labels(drifting_series):
    plan = [(32.0, 34.0, [33.0]), (34.4, 36.2, [35.3])]
    paths = drifting_series[:3] + ["missing.xy"]
    labels = [300.0, 350.0, 400.0, 450.0]
    table = xrdpick.fit_series(paths, plan, labels=labels, curves=True, jobs=2)
    assert table.patterns == len(table.fits) == 4
    assert table["label"].tolist() == [t for t in labels for _ in plan]
    text = "".join(fit.table_rows(region=r + 1) for fits in table.fits
                   for r, fit in enumerate(fits))
    assert text == "".join(table.tsv.splitlines(keepends=True)[1:])
    for fits, read in zip(table.fits, [True, True, True, False]):
        assert [len(fit.obs) > 0 for fit in fits] == [read] * len(plan)
    frame = pytest.importorskip("pandas").DataFrame(dict(table))
    assert list(table.to_pandas().columns) == list(frame.columns)
    assert {"status", "flags", "label"} <= set(frame.columns)
    assert list(table.pattern_numbers()) == [0, 0, 1, 1, 2, 2, 3, 3]


@pytest.mark.parametrize("keywords, kind, text", [
    ({"start": "x"}, TypeError, "start must be a FitResult, a dict or None, not str"),
    ({"start": {"peak": []}}, ValueError, "start: peak is none of peaks, eta, wor"),
    ({"start": {"peaks": []}}, ValueError, "start['peaks'] holds 0 entries for 1 peak(s)"),
    ({"start": {"peaks": [(26.6, 1.0)]}}, ValueError, "start['peaks'][0] must be (tth, intensity"),
    ({"start": {"peaks": [(26.6, -1.0, 0.1)]}}, ValueError, "intensity and fwhm must be above 0"),
    ({"start": {"peaks": [(26.6, math.nan, 0.1)]}}, ValueError, "must hold finite numbers"),
    ({"start": {"peaks": "abc"}}, TypeError, "start['peaks'] must be a list, not str"),
    ({"start": {"eta": 1.5}}, ValueError, "start['eta'] must be 0 to 1"),
    ({"start": {"wor": math.inf}}, ValueError, "start['wor'] must be finite"),
    ({"hold": "eta"}, TypeError, "hold must be a tuple of names, not str"),
    ({"hold": ("tth_1",)}, ValueError, "hold: tth_1: a peak's position is always refined"),
    ({"hold": ("fwhm_2",)}, ValueError, "hold: fwhm_2 is none of"),
    ({"hold": ("intensity_0",)}, ValueError, "hold: intensity_0 is none of"),
    ({"hold": (3,)}, TypeError, "hold's names must be str, not int"),
    ({"hold": ("fwhm_1",), "common_fwhm": True}, ValueError, "peaks share one FWHM: hold 'fwhm'"),
])
def test_bad_steering_is_refused_by_name(quartz, keywords, kind, text):
    with pytest.raises(kind) as caught:
        xrdpick.fit(quartz, 26.0, 27.3, [26.64], **keywords)
    assert text in str(caught.value)


def test_a_start_from_a_fit_of_other_peaks_is_refused(quartz):
    pair = xrdpick.fit(quartz, *TRIPLET)
    with pytest.raises(ValueError, match=r"start: a FitResult of 3 peak\(s\) for 1"):
        xrdpick.fit(quartz, 26.0, 27.3, [26.64], start=pair)
    with pytest.raises(ValueError, match="labels must hold one value per pattern"):
        xrdpick.fit_series([quartz, quartz], [(26.0, 27.3, [26.64])], labels=[1, 2, 3])
