"""Powder X-ray diffraction patterns: read, suggest, fit, write.

The readers, the peak and background suggestions and the fits of the programs xrdconvert,
xrdsuggest and xrdfit, from the same libraries, with the same numbers:

    import xrdpick
    pattern = xrdpick.read("quartz.xy")
    found = xrdpick.suggest(pattern)
    result = xrdpick.fit(pattern, 20.5, 21.4, [20.86])
    table = xrdpick.fit_series(["a.xy", "b.xy"], [(20.5, 21.4, [20.86])], jobs=2)
    result.plot(); table.plot("tth", x="label"); xrdpick.plot_series(patterns, table)

Errors are exceptions derived from xrdpick.Error (ReadError, WriteError, PatternError,
RegionError) whose messages name the file; nothing is printed.
"""

from ._xrdpick import (
    Error,
    FitResult,
    Pattern,
    PatternError,
    Peak,
    Radiation,
    ReadError,
    RegionError,
    WriteError,
    bin,
    fit,
    merge,
    read,
    read_regions,
    regions_from,
    regrid,
    strip_ka2,
    suggest,
    write,
    write_points,
)
from ._xrdpick import index as _index, refine_cell as _refine_cell
from ._xrdpick import _fit_series
from . import display as _display
from .plots import plot_fit as _plot_fit, plot_series, plot_table as _plot_table

__all__ = [
    "Error", "FitResult", "Pattern", "PatternError", "Peak", "Radiation", "ReadError",
    "RegionError", "Solutions", "Table", "WriteError", "bin", "fit", "fit_series", "index", "merge", "plot_series",
    "read", "read_regions", "refine_cell", "regions_from", "regrid", "strip_ka2", "suggest", "write",
    "write_points",
]

_display.install(FitResult, Peak, Pattern, Radiation)
FitResult.plot = _plot_fit


class Table(dict):
    """xrdfit's results table as a dict of numpy columns, one row per peak per region per
    pattern: pattern, region, peak, tth, tth_se, intensity, intensity_se, fwhm, fwhm_se,
    eta, wor, chi2, iterations, status, d, d_se, flags. Standard errors come from the
    covariance of each fit; each peak has its own status (a peak the data do not hold is
    dropped and its region fitted again without it), and flags names what to look at
    (eta-at-bound, wor-assumed, high-chi2, near-end, ka2-outside).

    With fit_series(labels=...), a label column carries each row's pattern's label.

    len(table) is its rows; table.ok marks the ok ones (table["tth"][table.ok] plots only
    peaks the data hold). tsv: the table exactly as xrdfit writes it. messages: what xrdfit says on standard
    error (the radiation, unread patterns, notes, the count of failed fits), naming this
    module's keyword arguments where xrdfit names its options. patterns: how many patterns
    the series had (each gives the same rows, one per peak of the plan). fits: with
    fit_series(curves=True), each pattern's FitResults, one per region; else None.
    Tables pickle and copy like the dicts they are.
    """

    def __init__(self, columns, tsv, messages, fits=None, patterns=None):
        super().__init__(columns)
        self.patterns = patterns
        self.tsv = tsv
        self.messages = messages
        self.fits = fits

    plot = _plot_table
    _repr_html_ = _display.table_html

    def __len__(self):
        """The number of rows (a dict's would be the columns)."""
        return len(self["status"])

    @property
    def ok(self):
        """The rows whose status is "ok", as a numpy mask: table["tth"][table.ok]."""
        return self["status"] == "ok"

    def pattern_numbers(self):
        """Each row's pattern, numbered from 0 in series order."""
        import numpy

        return numpy.arange(len(self)) // max(len(self) // max(self.patterns or 1, 1), 1)

    def __repr__(self):
        return _display.table_text(self)

    def to_pandas(self):
        """The table as a pandas DataFrame, status, flags and label included (pandas must be
        installed)."""
        import pandas

        return pandas.DataFrame(dict(self))


def fit_series(patterns_or_paths, regions, *, sequential=False, jobs=None, wor=None,
               common_fwhm=False, max_iter=None, fmt=None, block=None, radiation=None,
               no_ka2=False, progress=None, labels=None, curves=False):
    """Fits the same regions in every pattern of a series, as xrdfit does.

    patterns_or_paths: Patterns and file names, in series order, or one of them alone; a
    file that cannot be read gives rows with status "unreadable" and a message, not an
    exception.
    regions: (low, high, positions[, wor[, start]]) tuples (regions_from() and
    read_regions() give them), or the name of an xrdfit plan file.
    sequential: each pattern starts from the previous pattern's last good fit of the region.
    jobs: threads (default: one per core the process may use); the results never depend on
    it. The fits run without the GIL.
    wor: W/R for every region over the regions' own (negative: refined), or "auto" (each
    pattern's own estimate for every region). Default: a region's own W/R, else the
    pattern's estimate; where a pattern cannot tell, 0, flagged wor-assumed.
    common_fwhm, max_iter: as in fit(). fmt, block: how the files are read, as in read().
    radiation: a Radiation or an anode name used where a file states none; no_ka2: single
    lines whatever the files state.
    progress: called as progress(done, total) on the calling thread after each pattern's
    fits. Ctrl-C, or an exception from progress, stops the series between patterns: the
    threads finish the patterns they are fitting, take no more, and the exception (a
    KeyboardInterrupt for Ctrl-C) propagates.

    labels: one value per pattern (a temperature, a time), carried into a label column.
    curves: keep each fit's FitResult (curves, covariance) in the table's fits.

    Returns a Table: a dict of numpy columns with tsv (xrdfit's table, byte for byte) and
    messages. Raises RegionError for regions that cannot be fitted.
    """
    import numpy

    single = isinstance(patterns_or_paths, (str, bytes, Pattern)) or hasattr(
        patterns_or_paths, "__fspath__")
    if not single and hasattr(patterns_or_paths, "__iter__"):
        patterns_or_paths = list(patterns_or_paths)
    count = len(patterns_or_paths) if isinstance(patterns_or_paths, list) else 1
    if labels is not None:
        labels = numpy.asarray(labels)
        if labels.ndim != 1 or len(labels) != count:
            raise ValueError(f"labels must hold one value per pattern ({count}), "
                             f"not {labels.shape}")
    columns, tsv, messages, fits = _fit_series(
        patterns_or_paths, regions, sequential=sequential, jobs=jobs, wor=wor,
        common_fwhm=common_fwhm, max_iter=max_iter, fmt=fmt, block=block,
        radiation=radiation, no_ka2=no_ka2, progress=progress, curves=curves)
    if labels is not None:
        # Every pattern, read or not, gives the same rows: one per peak of the plan.
        columns["label"] = numpy.repeat(labels, len(columns["status"]) // count)
    return Table(columns, tsv, messages, fits, count)


class Solutions(list):
    """index()'s ranked cells, best first: each a dict of xrdcell's table columns."""

    def to_pandas(self):
        """The solutions as a pandas DataFrame, one row a cell, in rank order."""
        import pandas

        return pandas.DataFrame(list(self))


def _line_source(source):
    """What the cell functions read: a Table of fit_series() is read as xrdfit's table (its
    ok rows of the first pattern, weighted by tth_se), suggest()'s result as its peaks'
    two-theta values; anything else goes as it is (a path or a sequence of two-theta)."""
    import os
    import tempfile

    if isinstance(source, Table):
        handle, path = tempfile.mkstemp(suffix=".tsv", prefix="xrdpick-lines-")
        with os.fdopen(handle, "w") as out:
            out.write(source.tsv)
        return path
    if isinstance(source, dict) and "peaks" in source:
        return [float(t) for t in source["peaks"]["tth"]]
    return source


def _with_lines(source, call):
    lines = _line_source(source)
    try:
        return call(lines)
    finally:
        if isinstance(source, Table):
            import os

            os.remove(lines)


def index(source, *, radiation=None, lines=20, impurities=1, systems=None):
    return Solutions(_with_lines(source, lambda s: _index(
        s, radiation=radiation, lines=lines, impurities=impurities, systems=systems)))


def refine_cell(source, cell, *, zero=True, displacement=False, radiation=None):
    return _with_lines(source, lambda s: _refine_cell(
        s, cell, zero=zero, displacement=displacement, radiation=radiation))


_source_doc = """

source may also be suggest()'s result (its peaks' two-theta; give the radiation when the
pattern states none) or a Table of fit_series() (its ok rows of the first pattern, weighted
by their tth_se)."""
index.__doc__ = _index.__doc__ + _source_doc + "\nThe list has to_pandas()."
refine_cell.__doc__ = _refine_cell.__doc__ + _source_doc
