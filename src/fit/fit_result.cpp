#include "fit/fit_result.h"

#include <cmath>

#include "lsq/lsq_reports.h"
#include "lsq/model.h"
#include "lsq/normal_equations.h"

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

// The background plus the peaks' Kα2 companions: the doublet model less the Kα1 lines.
std::vector<float> companionCurve(const LsqState& lsq, const std::vector<float>& calc) {
    LsqState kalpha1Only = lsq;
    kalpha1Only.kalpha2.reset();
    chisq(kalpha1Only);
    std::vector<float> curve(calc.size());
    const int ndata = lsq.ndata();
    for (int i = 0; i < ndata; ++i) {
        curve[i] = calc[i] - kalpha1Only.data[i].model + background(kalpha1Only.params, i, ndata);
    }
    return curve;
}

}  // namespace

FitResult readFitResult(LsqState& lsq, int peakCount, int firstIndex, double tthmin,
                        double tthstep) {
    const ParamVector& b = lsq.params;
    FitResult result;
    const int ndata = lsq.ndata();
    result.calc.resize(ndata);
    result.diff.resize(ndata);
    // Every point's model by the engine's own path, which leaves the vector as the
    // point-by-point evaluation does.
    chisq(lsq);
    for (int i = 0; i < ndata; ++i) {
        result.calc[i] = lsq.data[i].model;
        result.diff[i] = lsq.data[i].y - result.calc[i];
    }
    if (lsq.kalpha2) result.kalpha2 = companionCurve(lsq, result.calc);
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
