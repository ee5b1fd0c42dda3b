#include "suggest/synthetic_pattern.h"

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "lsq/profile.h"

namespace {

constexpr double kEta = 0.5;
constexpr double kWor = 0.06;

double curvedBackground(double tth) {
    const double hump = (tth - 25.0) / 6.0;
    return 150.0 + 2000.0 * std::exp(-tth / 6.0) + 80.0 * std::exp(-hump * hump);
}

const std::vector<TruePeak> kPeaks = {
    {14.0, 700}, {18.0, 8},   {21.0, 3},   {24.0, 50},   {24.21, 20}, {28.0, 6},   {31.0, 12},
    {34.0, 150}, {37.0, 5},   {40.0, 400}, {40.24, 100}, {44.0, 9},   {47.0, 15},  {50.0, 7},
    {53.0, 30},  {53.27, 30}, {57.0, 4},   {60.0, 10},   {63.0, 6},   {66.0, 700}, {69.5, 9},
    {73.0, 25},  {73.31, 80}, {77.0, 5},   {80.0, 11},   {84.0, 7},   {87.0, 200},
};

double shape(double position, double fwhm, double tth) {
    const ProfileComponents c =
        profile_point(static_cast<float>(position), static_cast<float>(0.5 * fwhm),
                      static_cast<float>(tth), kWor);
    return kEta * c.L + (1.0 - kEta) * c.G;
}

// The profile's maximum, searched below the position, where the asymmetry moves it.
double shapeMaximum(double position, double fwhm) {
    double best = 0.0;
    for (double x = position - 0.5; x <= position + fwhm; x += 0.0005)
        best = std::max(best, shape(position, fwhm, x));
    return best;
}

}  // namespace

SyntheticPattern syntheticPattern(unsigned seed) {
    SyntheticPattern pattern{std::make_unique<PatternStore>(), kPeaks, curvedBackground};
    PatternStore& store = *pattern.store;
    const double tthmin = 10.0, tthstep = 0.02;
    store.ilast = 4000;
    store.tthmin = tthmin;
    store.tthstep = tthstep;
    store.tthmax = tthmin + store.ilast * tthstep;
    std::vector<double> model(store.ilast + 1);
    for (int i = 0; i <= store.ilast; ++i) model[i] = curvedBackground(tthmin + i * tthstep);
    for (const TruePeak& peak : kPeaks) {
        const double fwhm = pattern.fwhm(peak.position);
        const double scale = peak.sigmas * std::sqrt(curvedBackground(peak.position)) /
                             shapeMaximum(peak.position, fwhm);
        for (int i = 0; i <= store.ilast; ++i)
            model[i] += scale * shape(peak.position, fwhm, tthmin + i * tthstep);
    }
    std::mt19937 random(seed);
    for (int i = 0; i <= store.ilast; ++i) {
        const double counts = std::poisson_distribution<int>(model[i])(random);
        store.tth[i] = static_cast<float>(tthmin + i * tthstep);
        store.cts[i] = static_cast<float>(counts);
        store.sig[i] = static_cast<float>(std::sqrt(std::max(counts, 1.0)));
    }
    return pattern;
}

void writeXy(const PatternStore& store, const std::string& name) {
    std::FILE* file = std::fopen(name.c_str(), "w");
    for (int i = 0; i <= store.ilast; ++i)
        std::fprintf(file, "%8.3f %7.0f %8.1f\n", store.tth[i], store.cts[i], store.sig[i]);
    std::fclose(file);
}
