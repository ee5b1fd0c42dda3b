#include "fit/fit_curves.h"

#include "lsq/model.h"
#include "lsq/normal_equations.h"

namespace {

// Peak `entry` alone (every other intensity 0) over the region, net of the background, by
// the engine's own path as the fitted curve is.
std::vector<float> lineOf(LsqState work, int entry, int peaks) {
    for (int j = 1; j <= peaks; ++j)
        if (j != entry) work.params[peakIntensity(j)].b = 0.0;
    chisq(work);
    const int ndata = work.ndata();
    std::vector<float> line(ndata);
    for (int i = 0; i < ndata; ++i)
        line[i] = work.data[i].model - background(work.params, i, ndata);
    return line;
}

// The name of vector place k, with the run's peaks renumbered as the region's.
std::string parameterName(int k, const std::vector<int>& kept) {
    switch (k) {
        case kCfwhm:
            return "fwhm";
        case kEta:
            return "eta";
        case kWor:
            return "wor";
        case kLowBkgnd:
            return "background_low";
        case kHighBkgnd:
            return "background_high";
        default:
            break;
    }
    const int entry = (k - 2) / 3;
    const std::string peak = std::to_string(kept[entry - 1] + 1);
    if (k == peakPosition(entry)) return "tth_" + peak;
    if (k == peakIntensity(entry)) return "intensity_" + peak;
    return "fwhm_" + peak;
}

}  // namespace

FitCurves fitCurves(const LsqState& lsq, const std::vector<int>& kept, int peakCount) {
    FitCurves curves;
    LsqState work = lsq;
    const int ndata = work.ndata();
    for (int i = 0; i < ndata; ++i) curves.background.push_back(background(work.params, i, ndata));
    curves.kalpha1.resize(peakCount);
    curves.kalpha2.resize(peakCount);
    const int peaks = static_cast<int>(kept.size());
    LsqState single = lsq;
    single.kalpha2.reset();
    for (int entry = 1; entry <= peaks; ++entry) {
        const auto j = static_cast<std::size_t>(kept[entry - 1]);
        curves.kalpha1[j] = lineOf(single, entry, peaks);
        if (!lsq.kalpha2) continue;
        // The doublet less its Kα1 line.
        curves.kalpha2[j] = lineOf(lsq, entry, peaks);
        for (int i = 0; i < ndata; ++i) curves.kalpha2[j][i] -= curves.kalpha1[j][i];
    }
    return curves;
}

FitCovariance fitCovariance(const LsqState& lsq, const std::vector<int>& kept) {
    FitCovariance covariance;
    std::vector<int> refined;
    for (int k = 0; k < kNmax; ++k)
        if (lsq.params[k].fit == 1) refined.push_back(k);
    for (const int k : refined) {
        covariance.names.push_back(parameterName(k, kept));
        for (const int l : refined) covariance.matrix.push_back(lsq.covariance[k][l]);
    }
    return covariance;
}
