"""Powder X-ray diffraction patterns: read, suggest, fit, write.

The readers, the peak and background suggestions and the fits of the programs xrdconvert,
xrdsuggest and xrdfit, from the same libraries, with the same numbers:

    import xrdpick
    pattern = xrdpick.read("quartz.xy")
    found = xrdpick.suggest(pattern)
    result = xrdpick.fit(pattern, 20.5, 21.4, [20.86])
    table = xrdpick.fit_series(["a.xy", "b.xy"], [(20.5, 21.4, [20.86])], jobs=2)

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
    fit,
    index,
    read,
    refine_cell,
    suggest,
    write,
)
from ._xrdpick import _fit_series

__all__ = [
    "Error", "FitResult", "Pattern", "PatternError", "Peak", "Radiation", "ReadError",
    "RegionError", "Table", "WriteError", "fit", "fit_series", "index", "read", "refine_cell", "suggest",
    "write",
]


class Table(dict):
    """xrdfit's results table as a dict of numpy columns, one row per peak per region per
    pattern: pattern, region, peak, tth, tth_se, intensity, intensity_se, fwhm, fwhm_se,
    eta, wor, chi2, iterations, status, d, d_se, flags. Standard errors come from the
    covariance of each fit; each peak has its own status (a peak the data do not hold is
    dropped and its region fitted again without it), and flags names what to look at
    (eta-at-bound, wor-assumed, high-chi2, near-end, ka2-outside).

    len(table) is its rows; table.ok marks the ok ones (table["tth"][table.ok] plots only
    peaks the data hold). tsv: the table exactly as xrdfit writes it. messages: what xrdfit says on standard
    error (the radiation, unread patterns, notes, the count of failed fits), naming this
    module's keyword arguments where xrdfit names its options.
    """

    def __init__(self, columns, tsv, messages):
        super().__init__(columns)
        self.tsv = tsv
        self.messages = messages

    def __len__(self):
        """The number of rows (a dict's would be the columns)."""
        return len(self["status"])

    @property
    def ok(self):
        """The rows whose status is "ok", as a numpy mask: table["tth"][table.ok]."""
        return self["status"] == "ok"

    def to_pandas(self):
        """The table as a pandas DataFrame (pandas must be installed)."""
        import pandas

        return pandas.DataFrame(dict(self))


def fit_series(patterns_or_paths, regions, *, sequential=False, jobs=None, wor=None,
               common_fwhm=False, max_iter=None, fmt=None, block=None, radiation=None,
               no_ka2=False, progress=None):
    """Fits the same regions in every pattern of a series, as xrdfit does.

    patterns_or_paths: Patterns and file names, in series order, or one of them alone; a
    file that cannot be read gives rows with status "unreadable" and a message, not an
    exception.
    regions: (low, high, positions) or (low, high, positions, wor) tuples, or the name of
    an xrdfit plan file.
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

    Returns a Table: a dict of numpy columns with tsv (xrdfit's table, byte for byte) and
    messages. Raises RegionError for regions that cannot be fitted.
    """
    columns, tsv, messages = _fit_series(
        patterns_or_paths, regions, sequential=sequential, jobs=jobs, wor=wor,
        common_fwhm=common_fwhm, max_iter=max_iter, fmt=fmt, block=block,
        radiation=radiation, no_ka2=no_ka2, progress=progress)
    return Table(columns, tsv, messages)
