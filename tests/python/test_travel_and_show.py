"""Results travel (pickle, copy, other processes) and show themselves: values with their
errors in reprs and notebooks, and pictures of a fit, a series' trends and a series map."""

import copy
import math
import multiprocessing
import os
import pickle
from pathlib import Path

import numpy as np
import pytest

import xrdpick
from conftest import DRIFT_PLAN, EXAMPLES
from xrdpick.display import with_error

QUARTZ = str(EXAMPLES / "quartz.xy")


def exact(array):
    """An array as comparable values, NaN equal to NaN."""
    return array.tobytes() if array.dtype.kind == "f" else array.tolist()


def state(value):
    """What an object is, compared across a copy: its values, arrays and repr."""
    if isinstance(value, xrdpick.FitResult):
        return (value.table_rows(), repr(value), value.parameter_names,
                [exact(a) for a in (value.tth, value.obs, value.calc, value.background,
                                    value.components, value.covariance)])
    if isinstance(value, xrdpick.Pattern):
        return (exact(value.tth), exact(value.counts), exact(value.sig), value.name,
                value.format, value.messages, value.step, repr(value.radiation))
    if isinstance(value, xrdpick.Table):
        return ({k: exact(v) for k, v in value.items()}, value.tsv, value.messages,
                value.patterns, [[state(f) for f in fits] for fits in value.fits or []])
    return repr(value)


@pytest.fixture(scope="module")
def objects(drifting_series):
    pattern = xrdpick.read(QUARTZ)
    pattern.radiation = "Cu"
    result = xrdpick.fit(pattern, 67.2, 68.9, [67.74, 68.12, 68.30])
    table = xrdpick.fit_series(drifting_series[:3], DRIFT_PLAN, labels=[1.5, 2.5, 3.5],
                               curves=True)
    return [pattern, xrdpick.Pattern([1.0, 1.1, 1.2], [5.0, 7.0, 6.0], name="arrays"),
            xrdpick.Radiation(1.5406, 1.5444, 0.5), pattern.radiation, result, result.peaks[1],
            xrdpick.fit(pattern, 10.0, 11.0, [10.5]), table]


@pytest.mark.parametrize("through", [
    lambda v: pickle.loads(pickle.dumps(v)),
    lambda v: pickle.loads(pickle.dumps(v, protocol=2)),
    copy.deepcopy,
    copy.copy,
])
def test_every_result_object_copies_and_pickles(objects, through):
    for value in objects:
        copied = through(value)
        assert type(copied) is type(value)
        assert state(copied) == state(value)


def fit_quartz(pattern):
    return xrdpick.fit(pattern, 26.0, 27.3, [26.64])


def test_patterns_and_fits_cross_processes():
    patterns = [xrdpick.read(QUARTZ), xrdpick.read(str(EXAMPLES / "quartz.gda"))]
    with multiprocessing.get_context("fork").Pool(2) as pool:
        results = pool.map(fit_quartz, patterns)
    assert [r.table_rows() for r in results] == [fit_quartz(p).table_rows() for p in patterns]


@pytest.mark.parametrize("value, error, shown", [
    (26.64123, 0.0003, "26.6412(3)"),
    (0.12301, 0.0012, "0.1230(12)"),
    (2203.4, 28.1, "2203(28)"),
    (1234.0, 12.0, "1234(12)"),
    (0.0762, 0.0037, "0.076(4)"),
    (12345.6, 345.0, "12346(345)"),
    (0.4, math.nan, "0.4"),
    (5.0, 0.0, "5"),
    (0.061271, math.inf, "0.061271"),
    (math.nan, 1.0, "nan"),
])
def test_values_show_with_their_errors(value, error, shown):
    assert with_error(value, error) == shown


def test_reprs_and_html_show_values_with_errors(objects):
    result, table = objects[4], objects[-1]
    peak = result.peaks[0]
    expected = with_error(peak.tth, peak.tth_se)
    for text in (repr(result), result._repr_html_(), repr(peak), peak._repr_html_()):
        assert expected in text
    assert repr(result).count("peak ") == 3 and "eta=" in repr(result)
    first = with_error(table["tth"][0], table["tth_se"][0])
    assert first in repr(table) and first in table._repr_html_()
    assert f"{len(table)} rows, {int(table.ok.sum())} ok, of 3 pattern(s)" in repr(table)


@pytest.fixture
def pyplot():
    matplotlib = pytest.importorskip("matplotlib")
    matplotlib.use("Agg")
    import matplotlib.pyplot as pyplot
    yield pyplot
    pyplot.close("all")


def test_a_fit_draws_its_curves_components_and_difference(pyplot, objects, tmp_path):
    result = objects[4]
    ax = result.plot()
    labels = [line.get_label() for line in ax.get_lines()]
    assert labels[:3] == ["observed", "calculated", "background"]
    assert [l for l in labels if l.startswith("peak ")] == ["peak 1", "peak 2", "peak 3"]
    assert "observed - calculated" in labels
    # Kalpha1 and Kalpha2 lines of three peaks, each marked where it is ok.
    peaks = sum(1 for line in ax.get_lines() if len(line.get_xdata()) == len(result.tth)) - 4
    assert peaks == 6
    assert ax.get_legend() is not None
    ax.figure.savefig(tmp_path / "fit.png")
    assert (tmp_path / "fit.png").stat().st_size > 1000
    _, given = pyplot.subplots()
    assert objects[6].plot(ax=given) is given  # a fit that did not run draws its title only


@pytest.mark.parametrize("column, x", [("tth", "label"), ("fwhm", "pattern_number"),
                                       ("eta", "label")])
def test_trends_draw_ok_rows_per_peak_with_errors(pyplot, objects, column, x):
    table = objects[-1]
    ax = table.plot(column, x=x)
    groups = ax.containers
    assert len(groups) == len(DRIFT_PLAN)
    for number, group in enumerate(groups, start=1):
        rows = table.ok & (table["region"] == number)
        along = table["label"] if x == "label" else table.pattern_numbers()
        assert group.lines[0].get_xdata().tolist() == along[rows].tolist()
        assert group.lines[0].get_ydata().tolist() == table[column][rows].tolist()
        assert (group.has_yerr) == (f"{column}_se" in table)
    assert table.plot("tth", region=2).containers[0].get_label() == "region 2 peak 1"
    with pytest.raises(KeyError, match="no column 'height'"):
        table.plot("height")


def test_a_series_map_has_a_band_per_pattern_and_the_fitted_positions(pyplot, objects,
                                                                      drifting_series):
    table = objects[-1]
    for patterns in (drifting_series[:3], [xrdpick.read(p) for p in drifting_series[:3]]):
        ax = xrdpick.plot_series(patterns, table)
        mesh = ax.collections[0]
        assert mesh.get_array().size == 3 * 501
        marks = ax.get_lines()[0]
        assert marks.get_xdata().tolist() == table["tth"][table.ok].tolist()
        assert sorted(set(marks.get_ydata())) <= [1.5, 2.5, 3.5]
    plain = xrdpick.plot_series(drifting_series[:2])
    assert plain.get_ylabel() == "pattern" and not plain.get_lines()
    with pytest.raises(ValueError, match="at least one pattern"):
        xrdpick.plot_series([])


def test_the_example_notebook_runs_clean(tmp_path):
    nbformat = pytest.importorskip("nbformat")
    nbclient = pytest.importorskip("nbclient")
    notebook = nbformat.read(EXAMPLES / "series.ipynb", as_version=4)
    os.environ["XRDPICK_PICTURES"] = str(tmp_path)
    try:
        nbclient.NotebookClient(notebook, timeout=300, kernel_name="python3",
                                resources={"metadata": {"path": str(EXAMPLES)}}).execute()
    finally:
        del os.environ["XRDPICK_PICTURES"]
    outputs = [o for cell in notebook.cells if cell.cell_type == "code" for o in cell.outputs]
    assert not [o for o in outputs if o.output_type == "error"]
    assert not [o for o in outputs if o.get("name") == "stderr"]
    assert sorted(p.name for p in Path(tmp_path).glob("*.png")) == ["series-map.png",
                                                                    "series-trends.png"]
