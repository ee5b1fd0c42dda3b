"""index() and refine_cell(): the cells xrdcell finds and refines, from a list or a file."""

import pytest

import xrdpick

# Cu, face-centred cubic: its eight lines with Cu Kalpha1.
COPPER = [43.3035, 50.4347, 74.1307, 89.9310, 95.1427, 116.9254, 136.5123, 144.7163]


@pytest.mark.parametrize("as_file", [False, True])
def test_index_finds_the_copper_cell_from_a_list_or_a_file(tmp_path, as_file):
    source = COPPER
    if as_file:
        source = tmp_path / "copper.txt"
        source.write_text("".join(f"{t}\n" for t in COPPER))
    best = xrdpick.index(source, radiation="Cu", systems=["cubic", "tetragonal"])[0]
    assert (best["rank"], best["system"], best["centring"], best["indexed"]) == (
        1, "cubic", "F", "8/8")
    assert best["a"] == pytest.approx(3.6147, abs=2e-4)
    assert best["M20"] > 100 and not best["stopped_early"]


@pytest.mark.parametrize("zero, displacement, free", [
    (True, False, ["zero_se"]), (False, True, ["displacement_se"]), (False, False, []),
])
def test_refine_cell_gives_esds_and_the_line_table(zero, displacement, free):
    refined = xrdpick.refine_cell(COPPER, "cubic F 3.61", zero=zero, displacement=displacement,
                                  radiation="Cu")
    assert refined["a"] == pytest.approx(3.6147, abs=5 * refined["a_se"] + 1e-4)
    assert refined["dof"] == 8 - 1 - len(free)
    for name in ["zero_se", "displacement_se"]:
        assert (refined[name] > 0) == (name in free)
    lines = refined["lines"]
    assert list(lines["hkl"][:3]) == ["1 1 1", "2 0 0", "2 2 0"]
    assert lines["tth_obs"] == pytest.approx(COPPER)
    assert len(refined["unindexed"]) == 0


@pytest.mark.parametrize("call, kind, text", [
    (lambda: xrdpick.index(COPPER[:3], radiation="Cu"), xrdpick.PatternError, "at least 4"),
    (lambda: xrdpick.index(COPPER), xrdpick.PatternError, "no radiation"),
    (lambda: xrdpick.index(COPPER + [185.0], radiation="Cu"), xrdpick.PatternError, "180"),
    (lambda: xrdpick.refine_cell(COPPER, "cubical 3.6", radiation="Cu"), ValueError, "cubic"),
    (lambda: xrdpick.index(COPPER, radiation="Cu", systems=["triclinic"]), ValueError,
     "triclinic"),
    (lambda: xrdpick.index("no-such-file.txt"), xrdpick.ReadError, "cannot be opened"),
])
def test_bad_sources_say_what_is_wrong(call, kind, text):
    with pytest.raises(kind, match=text):
        call()


def copper_pattern():
    import numpy

    tth = numpy.arange(35.0, 150.0, 0.02)
    counts = 50.0 + sum(1000.0 * numpy.exp(-((tth - t) / 0.06) ** 2) for t in COPPER)
    return xrdpick.Pattern(tth, counts)


@pytest.mark.parametrize("source", ["suggest", "table"])
def test_the_peaks_of_suggest_and_a_series_table_index_as_xrdcell_reads_them(source):
    pattern = copper_pattern()
    found = xrdpick.suggest(pattern)
    lines = found
    if source == "table":
        lines = xrdpick.fit_series(pattern, xrdpick.regions_from(found["peaks"], pattern),
                                   radiation="Cu", no_ka2=True, wor=0)
    solutions = xrdpick.index(lines, radiation="Cu", systems=["cubic"])
    best = solutions[0]
    assert (best["system"], best["centring"], best["indexed"]) == ("cubic", "F", "8/8")
    assert best["a"] == pytest.approx(3.6147, abs=1e-3)
    assert list(solutions.to_pandas()["rank"]) == list(range(1, len(solutions) + 1))
    refined = xrdpick.refine_cell(lines, "cubic F 3.61", radiation="Cu")
    assert refined["a"] == pytest.approx(3.6147, abs=5 * refined["a_se"] + 2e-4)
