"""Pictures of fits and series with matplotlib, imported only when a picture is asked for
(Debian: python3-matplotlib). Each function draws into the axes it is given, or into a new
figure's, and returns the axes."""

import numpy


def _pyplot():
    try:
        import matplotlib.pyplot as pyplot
    except ImportError as missing:
        raise ImportError("xrdpick's plots need matplotlib (Debian: python3-matplotlib)") \
            from missing
    return pyplot


def _axes(ax, **figure):
    return ax if ax is not None else _pyplot().subplots(**figure)[1]


def plot_fit(fit, ax=None):
    """Draws the fit: observed points, calculated curve, background, each peak's lines on the
    background (its Kalpha2 line dashed), each fitted position marked, and the difference
    below the data, with a legend."""
    ax = _axes(ax, figsize=(7, 4.5))
    if len(fit.tth) == 0:
        ax.set_title(f"{fit.pattern}: {fit.status}, nothing fitted")
        return ax
    ax.plot(fit.tth, fit.obs, ".", color="black", markersize=3, label="observed")
    ax.plot(fit.tth, fit.calc, color="red", label="calculated")
    ax.plot(fit.tth, fit.background, color="grey", linestyle=":", label="background")
    components = fit.components
    for j, peak in enumerate(fit.peaks):
        colour = f"C{j % 10}"
        ax.plot(fit.tth, fit.background + components[j, 0], color=colour, linewidth=0.8,
                label=f"peak {j + 1}")
        if components.shape[1] > 1:
            ax.plot(fit.tth, fit.background + components[j, 1], color=colour, linewidth=0.8,
                    linestyle="--")
        if peak.status == "ok":
            ax.axvline(peak.tth, color=colour, linewidth=0.5)
    # The difference hangs below the lowest point of the data, as on the evaluation page.
    spread = float(numpy.ptp(fit.diff))
    offset = float(min(fit.obs.min(), fit.background.min())) - spread / 2 - 0.05 * float(
        numpy.ptp(fit.obs))
    ax.plot(fit.tth, fit.diff + offset, color="blue", linewidth=0.8, label="observed - calculated")
    ax.axhline(offset, color="blue", linewidth=0.4)
    low, high = fit.region
    ax.set_title(f"{fit.pattern} {low:g} to {high:g}: {fit.status}, chi2 {fit.chi2:.3g}")
    ax.set_xlabel("2theta (degrees)")
    ax.set_ylabel("counts")
    ax.legend(fontsize="small")
    return ax


def plot_table(table, column="tth", x="label", ax=None, region=None):
    """Draws column against x (a column; by default the label, else the pattern's number)
    for each peak of each region (or of the region numbered), ok rows only, with error bars
    where the column has them."""
    if column not in table:
        raise KeyError(f"the table has no column {column!r}")
    ax = _axes(ax, figsize=(7, 4))
    if x in table:
        along, along_name = table[x], x
    else:
        along, along_name = table.pattern_numbers(), "pattern"
    errors = table.get(f"{column}_se")
    regions = numpy.unique(table["region"]) if region is None else [region]
    for number in regions:
        for peak in numpy.unique(table["peak"][table["region"] == number]):
            rows = table.ok & (table["region"] == number) & (table["peak"] == peak)
            ax.errorbar(along[rows], table[column][rows],
                        yerr=None if errors is None else errors[rows], marker="o",
                        markersize=3, capsize=2, label=f"region {number} peak {peak}")
    ax.set_xlabel(along_name)
    ax.set_ylabel(column)
    ax.legend(fontsize="small")
    return ax


def plot_series(patterns, table=None, ax=None):
    """Draws a series as a map: two-theta across, one band per pattern up the picture (at its
    label where the table has one, else its number), counts as colour on a square-root
    scale; the table's ok positions are drawn over it. patterns: Patterns or file names."""
    from . import read
    from ._xrdpick import Pattern

    pyplot = _pyplot()
    from matplotlib.colors import PowerNorm

    patterns = [p if isinstance(p, Pattern) else read(p) for p in patterns]
    if not patterns:
        raise ValueError("plot_series needs at least one pattern")
    grid = patterns[0].tth
    counts = numpy.array([numpy.interp(grid, p.tth, p.counts, left=numpy.nan, right=numpy.nan)
                          for p in patterns])
    rows = numpy.arange(len(patterns), dtype=float)
    label = "pattern"
    if table is not None and "label" in table:
        numbers = table.pattern_numbers()
        first = numpy.unique(numbers, return_index=True)[1]
        rows = numpy.asarray(table["label"][first], dtype=float)
        label = "label"
    ax = _axes(ax, figsize=(7, 5))
    image = ax.pcolormesh(grid, rows, counts, shading="nearest",
                          norm=PowerNorm(0.5, vmin=max(numpy.nanmin(counts), 0)))
    pyplot.colorbar(image, ax=ax, label="counts")
    if table is not None:
        numbers = table.pattern_numbers()
        ok = table.ok
        ax.plot(table["tth"][ok], rows[numbers[ok]], "o", markersize=2.5, color="white",
                markeredgecolor="black", markeredgewidth=0.4, label="fitted positions")
        ax.legend(fontsize="small", loc="upper right")
    ax.set_xlabel("2theta (degrees)")
    ax.set_ylabel(label)
    return ax
