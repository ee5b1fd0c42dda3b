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

std::string fittedFields(const RegionFit& fit, int j) {
    const FittedPeak& peak = fit.result.peaks[j];
    const PeakErrors& se = fit.se[j];
    return value(peak.position) + '\t' + error(se.position) + '\t' + value(peak.intensity) + '\t' +
           error(se.intensity) + '\t' + value(peak.fwhm) + '\t' + error(se.fwhm) + '\t' +
           value(fit.result.eta) + '\t' + value(fit.result.wor) + '\t' + value(fit.result.chisq) +
           '\t' + std::to_string(fit.iterations);
}

// Appended after the status, so that the columns before it keep their places.
std::string spacingFields(const RegionFit& fit, int j) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Spacing spacing =
        fit.engineRan ? spacingOf(fit.radiation, fit.result.peaks[j].position, fit.se[j].position)
                      : Spacing{nan, nan};
    return value(spacing.d) + '\t' + error(spacing.se);
}

std::string unfittedFields() {
    const std::string nan = value(std::numeric_limits<double>::quiet_NaN());
    std::string fields;
    for (int k = 0; k < 9; ++k) fields += nan + '\t';
    return fields + '0';
}

}  // namespace

std::string tableHeader() {
    return "pattern\tregion\tpeak\ttth\ttth_se\tintensity\tintensity_se\tfwhm\tfwhm_se\teta\twor"
           "\tchi2\titerations\tstatus\td\td_se\n";
}

std::string tableRows(const std::string& pattern, int regionNumber, const Region& region,
                      const RegionFit& fit) {
    std::string rows;
    const int peaks = static_cast<int>(region.positions.size());
    for (int j = 0; j < peaks; ++j) {
        rows += pattern + '\t' + std::to_string(regionNumber) + '\t' + std::to_string(j + 1) +
                '\t' + (fit.engineRan ? fittedFields(fit, j) : unfittedFields()) + '\t' +
                statusName(fit.status) + '\t' + spacingFields(fit, j) + '\n';
    }
    return rows;
}
