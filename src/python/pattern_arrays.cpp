#include "python/pattern_arrays.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "pattern/line_conversion.h"
#include "python/errors.h"

namespace {

std::string valueText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::vector<double> valuesOf(const Column& array, const char* name) {
    if (array.ndim() != 1)
        throw PatternError(std::string(name) + " must be a one-dimensional array");
    std::vector<double> values(array.data(), array.data() + array.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (isPatternValue(values[i])) continue;
        const std::string at = std::string(name) + "[" + std::to_string(i) + "] is ";
        if (!std::isfinite(values[i]))
            throw PatternError(at + "not a number (" + valueText(values[i]) + ")");
        throw PatternError(at + valueText(values[i]) +
                           ", beyond the 1e30 a pattern value may reach");
    }
    return values;
}

// A sig of 0 would weigh its point without bound (and is 0 below the least float too).
void checkSig(const std::vector<double>& sig) {
    for (std::size_t i = 0; i < sig.size(); ++i)
        if (!(static_cast<float>(sig[i]) > 0.0f))
            throw PatternError("sig[" + std::to_string(i) + "] is " + valueText(sig[i]) +
                               ": a standard deviation must be above 0");
}

}  // namespace

ImportedScan scanOfArrays(const Column& tth, const Column& counts,
                          const std::optional<Column>& sig) {
    ImportedScan scan;
    scan.x = valuesOf(tth, "tth");
    scan.y = valuesOf(counts, "counts");
    if (sig) {
        scan.esd = valuesOf(*sig, "sig");
        checkSig(scan.esd);
    }
    if (scan.y.size() != scan.x.size() || (sig && scan.esd.size() != scan.x.size()))
        throw PatternError("tth, counts and sig must be of one length");
    return scan;
}
