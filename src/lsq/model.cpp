#include "lsq/model.h"

// The background is a straight line in point index from "low bkgnd" at the first ROI
// point to "high bkgnd" at the last; a one-point ROI has only its low end.
float background(ParamVector& params, int i, int n) {
    const float highShare = n > 1 ? static_cast<float>(i) / (n - 1) : 0.0f;
    const float lowShare = n > 1 ? static_cast<float>(n - 1 - i) / (n - 1) : 1.0f;
    params[kLowBkgnd].deriv = lowShare;
    params[kHighBkgnd].deriv = highShare;
    return params[kLowBkgnd].b * lowShare + params[kHighBkgnd].b * highShare;
}

int presentPeaks(const ParamVector& params) {
    int peaks = 0;
    while (peaks < kMaxPeaks && params[peakPosition(peaks + 1)].fit == 1) ++peaks;
    return peaks;
}

PeakShape peakShape(const ParamVector& params, int j, bool individualFwhm) {
    const double fwhm = individualFwhm ? params[peakFwhm(j)].b : params[kCfwhm].b;
    return {static_cast<float>(params[peakPosition(j)].b), static_cast<float>(fwhm * 0.5)};
}

float combineModel(ParamVector& params, const PeakComponents& components, int peaks, int i, int n) {
    FitParam& eta = params[kEta];
    if (eta.b < 0.0) eta.b = 0.0;
    if (eta.b > 1.0) eta.b = 1.0;
    eta.deriv = 0.0;

    // The float sum of the peaks, in peak order, is part of the result.
    float peakSum = 0.0f;
    for (int j = 1; j <= peaks; ++j) {
        const ProfileComponents& c = components[j - 1];
        const float v = peakShare(eta.b, c);
        FitParam& intensity = params[peakIntensity(j)];
        intensity.deriv = v;
        peakSum += v * intensity.b;
        eta.deriv += (c.L - c.G) * intensity.b;
    }
    return background(params, i, n) + peakSum;
}

float model_point(LsqState& lsq, int i) {
    ParamVector& params = lsq.params;
    DataPoint& point = lsq.data[i];
    const int peaks = presentPeaks(params);
    const double wor = params[kWor].b;
    PeakComponents components{};
    for (int j = 1; j <= peaks; ++j) {
        const PeakShape shape = peakShape(params, j, lsq.individualFwhm());
        components[j - 1] = profile_point(shape.P, shape.h, point.x, wor);
        if (lsq.kalpha2) {
            const PeakShape companion = companionShape(shape, *lsq.kalpha2);
            components[j - 1] = withCompanion(components[j - 1],
                                              profile_point(companion.P, companion.h, point.x, wor),
                                              lsq.kalpha2->intensityRatio);
        }
    }
    point.model = combineModel(params, components, peaks, i, lsq.ndata());
    return point.model;
}
