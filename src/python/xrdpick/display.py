"""How results show themselves: values with their standard errors in the crystallographers'
form, 26.6412(3) for 26.6412 with an error of 0.0003, in reprs and in notebooks' HTML."""

import html
import math

# The table columns shown with their errors, and the error column of each.
_WITH_ERRORS = {"tth": "tth_se", "intensity": "intensity_se", "fwhm": "fwhm_se", "d": "d_se"}
_SHOWN = ("label", "pattern", "region", "peak", "tth", "intensity", "fwhm", "d", "eta", "wor",
          "chi2", "status", "flags")
_MOST_ROWS = 60


def with_error(value, error):
    """value(error), the error in the last digits shown: two where its first digit is 1,
    else one; the value alone, to six figures, where the error is not a positive number."""
    value, error = float(value), float(error)
    if not math.isfinite(value):
        return str(value)
    if not (math.isfinite(error) and error > 0):
        return f"{value:.6g}"
    exponent = math.floor(math.log10(error))
    if round(error / 10.0 ** exponent) == 1:
        exponent -= 1  # 0.0012 shows as (12), not (1)
    decimals = max(0, -exponent)
    return f"{value:.{decimals}f}({round(error * 10 ** decimals)})"


def _peak_text(peak):
    return (f"tth={with_error(peak.tth, peak.tth_se)} "
            f"intensity={with_error(peak.intensity, peak.intensity_se)} "
            f"fwhm={with_error(peak.fwhm, peak.fwhm_se)} {peak.status}"
            + (f" [{peak.flags}]" if peak.flags else ""))


def _peak_repr(peak):
    return f"<xrdpick.Peak {_peak_text(peak)}>"


def _profile_text(fit):
    return (f"eta={with_error(fit.eta, fit.eta_se)} wor={with_error(fit.wor, fit.wor_se)} "
            f"chi2={fit.chi2:.4g}")


def _fit_repr(fit):
    low, high = fit.region
    lines = [f"<xrdpick.FitResult {fit.status}, {fit.pattern or 'pattern'} {low:g} to {high:g}: "
             f"{_profile_text(fit)}"]
    lines += [f"  peak {n}: {_peak_text(peak)}" for n, peak in enumerate(fit.peaks, start=1)]
    return "\n".join(lines) + ">"


def _cells(values, tag="td"):
    return "<tr>" + "".join(f"<{tag}>{html.escape(str(v))}</{tag}>" for v in values) + "</tr>"


def _fit_html(fit):
    low, high = fit.region
    head = _cells(("peak", "tth", "intensity", "fwhm", "d", "status", "flags"), "th")
    rows = [_cells((n, with_error(p.tth, p.tth_se), with_error(p.intensity, p.intensity_se),
                    with_error(p.fwhm, p.fwhm_se), with_error(p.d, p.d_se), p.status, p.flags))
            for n, p in enumerate(fit.peaks, start=1)]
    title = html.escape(f"{fit.status}: {fit.pattern or 'pattern'} {low:g} to {high:g}, "
                        f"{_profile_text(fit)}")
    return f"<p><b>FitResult</b> {title}</p><table>{head}{''.join(rows)}</table>"


def _row_values(table, i, shown):
    values = []
    for name in shown:
        value = table[name][i]
        if name in _WITH_ERRORS:
            values.append(with_error(value, table[_WITH_ERRORS[name]][i]))
        elif isinstance(value, float):
            values.append(f"{float(value):.6g}")
        else:
            values.append(str(value))
    return values


def _summary(table):
    patterns = len(set(table["pattern"].tolist()))
    return f"{len(table)} rows, {int(table.ok.sum())} ok, of {patterns} pattern(s)"


def table_text(table):
    shown = [name for name in _SHOWN if name in table]
    lines = [f"<xrdpick.Table {_summary(table)}", "\t".join(shown)]
    lines += ["\t".join(_row_values(table, i, shown)) for i in range(min(len(table), _MOST_ROWS))]
    if len(table) > _MOST_ROWS:
        lines.append(f"... {len(table) - _MOST_ROWS} more rows")
    return "\n".join(lines) + ">"


def table_html(table):
    shown = [name for name in _SHOWN if name in table]
    rows = [_cells(_row_values(table, i, shown)) for i in range(min(len(table), _MOST_ROWS))]
    more = f"<p>... {len(table) - _MOST_ROWS} more rows</p>" if len(table) > _MOST_ROWS else ""
    return (f"<p><b>Table</b> {html.escape(_summary(table))}</p><table>{_cells(shown, 'th')}"
            f"{''.join(rows)}</table>{more}")


def install(fit_result, peak, pattern, radiation):
    """Gives the compiled classes their reprs; a Pattern and a Radiation keep their own."""
    del pattern, radiation  # their reprs hold no values with errors
    fit_result.__repr__ = _fit_repr
    fit_result._repr_html_ = _fit_html
    peak.__repr__ = _peak_repr
    peak._repr_html_ = lambda p: html.escape(_peak_text(p))
