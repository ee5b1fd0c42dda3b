#include "lsq/model.h"

#include "lsq/profile.h"

namespace {

// The background is a straight line in point index from "low bkgnd" at the first ROI
// point to "high bkgnd" at the last; a one-point ROI has only its low end.
float background(ParamVector& params, int i, int n) {
    const float highShare = n > 1 ? static_cast<float>(i) / (n - 1) : 0.0f;
    const float lowShare = n > 1 ? static_cast<float>(n - 1 - i) / (n - 1) : 1.0f;
    params[kLowBkgnd].deriv = lowShare;
    params[kHighBkgnd].deriv = highShare;
    return params[kLowBkgnd].b * lowShare + params[kHighBkgnd].b * highShare;
}

}  // namespace

float model_point(LsqState& lsq, int i) {
    ParamVector& params = lsq.params;
    FitParam& eta = params[kEta];
    if (eta.b < 0.0) eta.b = 0.0;
    if (eta.b > 1.0) eta.b = 1.0;
    eta.deriv = 0.0;

    DataPoint& point = lsq.data[i];
    float peakSum = 0.0f;
    for (int j = 1; j <= kMaxPeaks && params[peakPosition(j)].fit == 1; ++j) {
        const double fwhm = lsq.individualFwhm() ? params[peakFwhm(j)].b : params[kCfwhm].b;
        const ProfileComponents c =
            profile_point(params[peakPosition(j)].b, fwhm * 0.5, point.x, params[kWor].b);
        const float v = eta.b * c.L + (1 - eta.b) * c.G;
        FitParam& intensity = params[peakIntensity(j)];
        intensity.deriv = v;
        peakSum += v * intensity.b;
        eta.deriv += (c.L - c.G) * intensity.b;
    }

    point.model = background(params, i, lsq.ndata()) + peakSum;
    return point.model;
}
