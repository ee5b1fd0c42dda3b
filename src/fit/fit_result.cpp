#include "fit/fit_result.h"

#include <cmath>

#include "lsq/lsq_reports.h"
#include "lsq/model.h"

namespace {

// The pattern point at or just below the position, as a region index; a position that
// left the region during the fit takes the nearest region point.
int markerIndex(double position, int firstIndex, int ndata, double tthmin, double tthstep) {
    const double steps = (position - tthmin) / tthstep;
    const double index = std::trunc((steps * 10000.0 + 0.5) * 0.0001) - firstIndex;
    if (!(index > 0.0)) return 0;
    if (index >= ndata - 1) return ndata - 1;
    return static_cast<int>(index);
}

}  // namespace

FitResult readFitResult(LsqState& lsq, int peakCount, int firstIndex, double tthmin,
                        double tthstep) {
    const ParamVector& b = lsq.params;
    FitResult result;
    const int ndata = lsq.ndata();
    result.calc.resize(ndata);
    result.diff.resize(ndata);
    for (int i = 0; i < ndata; ++i) {
        result.calc[i] = model_point(lsq, i);
        result.diff[i] = lsq.data[i].y - result.calc[i];
    }
    result.peakCount = peakCount;
    for (int j = 1; j <= peakCount; ++j) {
        const double position = b[peakPosition(j)].b;
        const double fwhm = lsq.individualFwhm() ? b[peakFwhm(j)].b : b[kCfwhm].b;
        result.peaks[j - 1] = {position, b[peakIntensity(j)].b, fwhm,
                               markerIndex(position, firstIndex, ndata, tthmin, tthstep)};
    }
    result.eta = b[kEta].b;
    result.wor = b[kWor].b;
    result.chisq = reducedChisq(lsq.phi_new, lsq.nu);
    result.lowBkgnd = b[kLowBkgnd].b;
    result.highBkgnd = b[kHighBkgnd].b;
    return result;
}
