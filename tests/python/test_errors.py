"""Failures are exceptions derived from xrdpick.Error whose messages name the file; a fit
that is not ok is a status; nothing reaches standard output or standard error."""

import numpy as np
import pytest

import xrdpick
from conftest import EXAMPLES


@pytest.fixture
def bad_files(tmp_path):
    (tmp_path / "words.xy").write_text("this is\nnot a pattern\n")
    (tmp_path / "two.xy").write_text("10.0 5 2.2\n10.02 6 2.4\n")
    (tmp_path / "notes.txt").write_text("1 2\n")
    return tmp_path


@pytest.mark.parametrize("name, kind", [
    ("missing.xy", xrdpick.ReadError),
    ("words.xy", xrdpick.ReadError),
    ("two.xy", xrdpick.ReadError),
    ("notes.txt", xrdpick.ReadError),
])
def test_read_failures_name_the_file(bad_files, name, kind):
    path = bad_files / name
    with pytest.raises(kind) as caught:
        xrdpick.read(path)
    assert isinstance(caught.value, xrdpick.Error)
    assert str(caught.value).startswith(str(path) + ": ")


@pytest.mark.parametrize("target, reason", [
    ("no-such-folder/out.gda", "No such file or directory"),
    ("small.xy/out.xy", "Not a directory"),
    ("a-folder", "Is a directory"),
])
def test_write_failures_name_the_file_and_the_reason(tmp_path, target, reason):
    (tmp_path / "small.xy").write_text("")
    (tmp_path / "a-folder").mkdir()
    path = tmp_path / target
    with pytest.raises(xrdpick.WriteError) as caught:
        xrdpick.write(xrdpick.read(EXAMPLES / "small.xy"), path, fmt="wyr")
    assert str(caught.value) == f"{path}: cannot be written: {reason}"


@pytest.mark.parametrize("fmt, top, wrong", [
    ("wyr", 1e7, 1), ("dat", 1e7, 1), ("gda", 1e7, 1), ("xy", 1e7, 0),
])
def test_counts_a_format_cannot_hold_write_nothing(tmp_path, fmt, top, wrong):
    pattern = xrdpick.Pattern(10.0 + 0.02 * np.arange(5), [5.0, 6.0, top, 8.0, 9.0])
    path = tmp_path / f"out.{fmt}"
    path.write_text("kept\n")
    if not wrong:
        xrdpick.write(pattern, path)
        assert np.array_equal(xrdpick.read(path).counts, pattern.counts)
        return
    with pytest.raises(xrdpick.WriteError) as caught:
        xrdpick.write(pattern, path)
    assert str(caught.value) == (f"{path}: cannot be written: {wrong} value(s) do not fit their "
                                 "fixed fields and would not read back")
    assert [p.name for p in tmp_path.iterdir()] == [path.name]
    assert path.read_text() == "kept\n"


def test_write_refusals_name_the_file(tmp_path):
    pattern = xrdpick.read(EXAMPLES / "small.xy")
    irregular = xrdpick.Pattern([10.0, 10.02, 10.04, 10.1, 10.12], [5, 6, 7, 8, 9])
    with pytest.raises(xrdpick.WriteError, match="out.wyr: .*grid"):
        xrdpick.write(irregular, tmp_path / "out.wyr")
    with pytest.raises(ValueError):
        xrdpick.write(pattern, tmp_path / "out.txt")
    assert not list(tmp_path.iterdir())


@pytest.mark.parametrize("arguments, kind, text", [
    (([10.0, 10.02], [1.0, 2.0]), xrdpick.PatternError, "Too small data points"),
    (([10.0, 10.02, 10.04], [1.0, 2.0]), xrdpick.PatternError, "one length"),
    (([10.0, 10.02, 10.02], [1.0, 2.0, 3.0]), xrdpick.PatternError, "step"),
    (([10.0, 10.02, np.nan], [1.0, 2.0, 3.0]), xrdpick.PatternError,
     r"^tth\[2\] is not a number \(nan\)$"),
    (([10.0, 10.02, 10.04], [1.0, -np.inf, 3.0]), xrdpick.PatternError,
     r"^counts\[1\] is not a number \(-inf\)$"),
    (([10.0, 10.02, 10.04], [1.0, 2.0, 3e30]), xrdpick.PatternError, r"^counts\[2\] is 3e\+30, "),
    (([10.0, 10.02, 10.04], [1.0, 2.0, 3.0], [1.0, 0.0, 1.0]), xrdpick.PatternError,
     r"^sig\[1\] is 0: a standard deviation must be above 0$"),
    (([10.0, 10.02, 10.04], [1.0, 2.0, 3.0], [1.0, 1.0, -2.0]), xrdpick.PatternError,
     r"^sig\[2\] is -2: "),
    (([10.0, 10.02, 10.04], [1.0, 2.0, 3.0], [1e-50, 1.0, 1.0]), xrdpick.PatternError,
     r"^sig\[0\] is 1e-50: "),
    (([[10.0]], [1.0]), xrdpick.PatternError, "one-dimensional"),
])
def test_arrays_that_make_no_pattern(arguments, kind, text):
    with pytest.raises(kind, match=text):
        xrdpick.Pattern(*arguments)


@pytest.mark.parametrize("low, high, positions, text", [
    (20.0, 22.0, [], "at least one peak"),
    (20.0, 22.0, [21.0, 20.5], "ascend"),
    (20.0, 22.0, [22.5], "ascend"),
    (20.0, 22.0, [20.1 + 0.1 * k for k in range(10)], "at most 9"),
])
def test_regions_that_cannot_be_fitted(low, high, positions, text):
    pattern = xrdpick.read(EXAMPLES / "small.xy")
    with pytest.raises(xrdpick.RegionError, match=text):
        xrdpick.fit(pattern, low, high, positions)
    with pytest.raises(xrdpick.RegionError, match="region 2: .*" + text):
        xrdpick.fit_series([pattern], [(20.5, 21.2, [20.86]), (low, high, positions)])


def test_plan_file_errors_name_the_file_and_line(tmp_path):
    plan = tmp_path / "plan.txt"
    plan.write_text("20.5 21.2 20.86\n26 27 x\n")
    with pytest.raises(xrdpick.RegionError, match=f"{plan}:2: 'x' is not a number"):
        xrdpick.fit_series([EXAMPLES / "small.xy"], str(plan))


@pytest.mark.parametrize("low, high, positions, keywords, status", [
    (20.5, 21.2, [20.86], {}, "ok"),
    (5.0, 6.0, [5.5], {}, "outside"),
    (20.80, 20.92, [20.86], {}, "too-few-points"),
    (20.5, 21.2, [20.86], {"max_iter": 1}, "iteration-limit"),
])
def test_a_fit_that_is_not_ok_is_a_status(low, high, positions, keywords, status):
    result = xrdpick.fit(xrdpick.read(EXAMPLES / "small.xy"), low, high, positions, **keywords)
    assert result.status == status
    assert result.ok == (status == "ok")
    assert np.isnan(result.peaks[0].tth) != result.engine_ran


def test_a_pattern_off_every_grid_is_not_fitted():
    tth = np.concatenate([np.arange(500) * 0.02 + 20.0, np.arange(500) * 0.03 + 30.0])
    result = xrdpick.fit(xrdpick.Pattern(tth, np.full(1000, 100.0)), 20.5, 21.5, [21.0])
    assert result.status == "irregular-grid" and "grid" in result.note
    assert len(result.calc) == 0


def test_unreadable_patterns_of_a_series_are_rows_and_messages(tmp_path):
    missing = str(tmp_path / "gone.xy")
    table = xrdpick.fit_series([missing, EXAMPLES / "small.xy"], [(20.5, 21.2, [20.86])])
    assert list(table["status"]) == ["unreadable", "ok"]
    small = EXAMPLES / "small.xy"
    assert table.messages == [f"{missing}: cannot be opened",
                              f"{small}: radiation: none known (radiation= names it)",
                              f"{small}: W/R 0.061, estimated from the pattern's regions",
                              "1 of 2 fits failed"]


@pytest.mark.parametrize("given", [
    lambda: str(EXAMPLES / "small.xy"),
    lambda: EXAMPLES / "small.xy",
    lambda: xrdpick.read(EXAMPLES / "small.xy"),
])
def test_one_pattern_or_path_is_a_series_of_one(given):
    table = xrdpick.fit_series(given(), [(20.5, 21.2, [20.86])])
    assert list(table["status"]) == ["ok"]
    assert list(table["pattern"]) == [str(EXAMPLES / "small.xy")]


SMALL_REGION = [(20.5, 21.2, [20.86])]


@pytest.mark.parametrize("call, text", [
    (lambda p: xrdpick.fit_series(3, SMALL_REGION), "patterns_or_paths must be .*not int"),
    (lambda p: xrdpick.fit_series([p, 3], SMALL_REGION), r"patterns_or_paths\[1\] .*not int"),
    (lambda p: xrdpick.fit_series(b"small.xy", SMALL_REGION), "patterns_or_paths .*not bytes"),
    (lambda p: xrdpick.read(p), "path must be a str or os.PathLike, not Pattern"),
    (lambda p: xrdpick.fit_series(p, (20.5, 21.2, [20.86])),
     r"regions must be a list .*regions\[0\] is a float"),
    (lambda p: xrdpick.fit_series(p, 20.5), "regions must be a list .*not float"),
    (lambda p: xrdpick.fit_series(p, [(20.5, "21.2", [20.86])]),
     r"regions\[0\]\[1\] \(high\) must be a number, not str"),
    (lambda p: xrdpick.fit_series(p, [(20.5, 21.2, 20.86)]),
     r"regions\[0\]\[2\] \(positions\) must be a list"),
    (lambda p: xrdpick.fit_series(p, SMALL_REGION, wor=[1]),
     "wor must be a number or 'auto', not list"),
    (lambda p: xrdpick.fit_series(p, SMALL_REGION, radiation=1.5406),
     "radiation must be a Radiation, an anode name or None, not float"),
    (lambda p: xrdpick.fit(p, 20.5, 21.2, [20.86], radiation=1.5406),
     "radiation must be .*not float"),
    (lambda p: xrdpick.Pattern(p.tth, p.counts, radiation=[1.5406]),
     "radiation must be .*not list"),
])
def test_wrong_types_are_type_errors_naming_the_argument(call, text):
    with pytest.raises(TypeError, match=text):
        call(xrdpick.read(EXAMPLES / "small.xy"))


def said(call):
    """The messages of a call, or its exception's."""
    try:
        return call()
    except xrdpick.Error as error:
        return [str(error)]


OFF_GRID = np.concatenate([np.arange(500) * 0.02 + 20.0, np.arange(500) * 0.03 + 30.0])


@pytest.mark.parametrize("call, words", [
    (lambda f: xrdpick.read(f / "quartz.raw").messages, "(block=N reads another)"),
    (lambda f: xrdpick.read(f / "long.xy").messages, "sum neighbours with bin=2."),
    (lambda f: [xrdpick.fit(xrdpick.Pattern(OFF_GRID, np.full(1000, 9.0)), 20.5, 21.5,
                            [21.0]).note], "lies 0.0100 off the grid of step 0.0"),
    (lambda f: xrdpick.suggest(xrdpick.Pattern(OFF_GRID, np.full(1000, 9.0))), "nothing suggested"),
    (lambda f: xrdpick.fit_series(EXAMPLES / "small.xy", SMALL_REGION).messages,
     "radiation: none known (radiation= names it)"),
    (lambda f: xrdpick.fit_series(EXAMPLES / "small.xy", SMALL_REGION, radiation="cu",
                                  no_ka2=True).messages,
     "(anode Cu; Kalpha2 left out by no_ka2=True)"),
    (lambda f: [repr(xrdpick.Radiation.anode("Mo"))], "(anode Mo)"),
    (lambda f: xrdpick.Pattern([10.0, 10.02, 10.02], [1, 2, 3]).messages,
     "The step between angles is 0 at tth[2] (10.02)"),
    (lambda f: xrdpick.Pattern([10.0, 10.02, 10.01], [1, 2, 3]).messages,
     "The angles of the arrays do not increase at tth[2] (10.01 after 10.02)"),
    (lambda f: xrdpick.Pattern([10.0, 10.02, 10.03, 10.1], [1, 2, 3, 4]).messages,
     "they are not uniform (tth[2] at 10.03 lies off"),
    (lambda f: xrdpick.Pattern([10.0, 10.02], [1, 2]).messages, "Check the arrays..."),
    (lambda f: xrdpick.Pattern(np.arange(19002) * 0.005, np.ones(19002)).messages,
     "sum neighbours in groups of 2."),
])
def test_messages_name_the_module_keywords(instrument_files, call, words):
    messages = said(lambda: call(instrument_files))
    assert any(words in message for message in messages), messages
    assert not any("--" in message or "xrdconvert" in message for message in messages), messages


def test_nothing_is_printed(capfd, tmp_path):
    pattern = xrdpick.read(EXAMPLES / "quartz.xy")
    xrdpick.suggest(pattern)
    xrdpick.fit(pattern, 20.3, 21.4, [20.86], radiation="Cu")
    xrdpick.fit_series([pattern, tmp_path / "gone.xy"], [(20.3, 21.4, [20.86])], wor="auto")
    xrdpick.write(pattern, tmp_path / "q.gda")
    with pytest.raises(xrdpick.ReadError):
        xrdpick.read(tmp_path / "gone.xy")
    assert capfd.readouterr() == ("", "")
    assert pattern.messages == [f"{EXAMPLES / 'quartz.xy'}: 3501 data points read."]


@pytest.mark.parametrize("call, text", [
    (lambda p: xrdpick.read(EXAMPLES / "small.xy", fmt="nope"), "not a format"),
    (lambda p: xrdpick.read(EXAMPLES / "small.xy", bin=0), "bin"),
    (lambda p: xrdpick.suggest(p, min_sigma=0), "min_sigma"),
    (lambda p: xrdpick.suggest(p, points=1), "points"),
    (lambda p: xrdpick.fit(p, 20.5, 21.2, [20.86], max_iter=0), "max_iter"),
    (lambda p: xrdpick.fit(p, 20.5, 21.2, [20.86], radiation="Xx"), "not an anode"),
    (lambda p: xrdpick.fit_series([p], [(20.5, 21.2, [20.86])], jobs=0), "jobs"),
    (lambda p: xrdpick.fit_series([p], [(20.5, 21.2, [20.86])], wor="guess"), "auto"),
    (lambda p: xrdpick.Radiation(1.5406, 1.2), "Angstrom"),
])
def test_bad_arguments_are_value_errors(call, text):
    with pytest.raises(ValueError, match=text):
        call(xrdpick.read(EXAMPLES / "small.xy"))
