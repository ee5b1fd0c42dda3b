#pragma once
// Patterns with known peaks for the fit run's tests, made without the fit's own model:
// Gaussian peaks of a given FWHM on a flat background. The pseudo-Voigt of the fit, with
// W/R 0 (no asymmetry) and eta 0, is exactly such a Gaussian, so a fit recovers them.

#include <cmath>
#include <initializer_list>

struct GaussianPeak {
    double position;
    double height;  // net maximum above the background
    double fwhm;
};

// Counts at two-theta t; the integrated intensity of each peak is height x fwhm x 1.0645.
inline float gaussianCounts(double t, double background,
                            std::initializer_list<GaussianPeak> peaks) {
    double cts = background;
    for (const GaussianPeak& peak : peaks) {
        const double u = (t - peak.position) / peak.fwhm;
        cts += peak.height * std::exp(-4.0 * std::log(2.0) * u * u);
    }
    return static_cast<float>(cts);
}

// The integrated intensity of a Gaussian: height x fwhm x sqrt(pi / (4 ln 2)).
inline double gaussianArea(const GaussianPeak& peak) {
    return peak.height * peak.fwhm * std::sqrt(std::acos(-1.0) / (4.0 * std::log(2.0)));
}
