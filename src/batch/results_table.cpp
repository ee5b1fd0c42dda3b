#include "batch/results_table.h"

#include <cstdio>
#include <limits>

#include "fit/radiation_lines.h"

namespace {

std::string formatted(const char* format, double value) {
    char text[400];  // room for any double in %f
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string value(double v) {
    return formatted("%f", v);
}

std::string error(double v) {
    return formatted("%.3e", v);
}

std::string fields(const TableRow& row) {
    return value(row.tth) + '\t' + error(row.tthSe) + '\t' + value(row.intensity) + '\t' +
           error(row.intensitySe) + '\t' + value(row.fwhm) + '\t' + error(row.fwhmSe) + '\t' +
           value(row.eta) + '\t' + value(row.wor) + '\t' + value(row.chi2) + '\t' +
           std::to_string(row.iterations) + '\t' + statusName(row.status) + '\t' + value(row.d) +
           '\t' + error(row.dSe) + '\t' + row.flags;
}

}  // namespace

TableRow tableRow(const RegionFit& fit, int peak) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    if (!fit.engineRan)
        return {nan, nan, nan, nan, nan, nan, nan, nan, nan, 0, fit.status, nan, nan, ""};
    const FittedPeak& fitted = fit.result.peaks[peak];
    const PeakErrors& se = fit.se[peak];
    const Spacing spacing = spacingOf(fit.radiation, fitted.position, se.position);
    return {fitted.position,    se.position,
            fitted.intensity,   se.intensity,
            fitted.fwhm,        se.fwhm,
            fit.result.eta,     fit.result.wor,
            fit.result.chisq,   fit.iterations,
            fit.statusOf(peak), spacing.d,
            spacing.se,         flagNames(fit.flags[peak])};
}

std::string tableHeader() {
    return "pattern\tregion\tpeak\ttth\ttth_se\tintensity\tintensity_se\tfwhm\tfwhm_se\teta\twor"
           "\tchi2\titerations\tstatus\td\td_se\tflags\n";
}

std::string tableRows(const std::string& pattern, int regionNumber, const Region& region,
                      const RegionFit& fit) {
    std::string rows;
    const int peaks = static_cast<int>(region.positions.size());
    for (int j = 0; j < peaks; ++j) {
        rows += pattern + '\t' + std::to_string(regionNumber) + '\t' + std::to_string(j + 1) +
                '\t' + fields(tableRow(fit, j)) + '\n';
    }
    return rows;
}
