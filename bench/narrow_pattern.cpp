#include "narrow_pattern.h"

#include <algorithm>
#include <cmath>

#include "lsq/kalpha2.h"
#include "pattern/angle_grid.h"

ModelPattern narrowPatternModel() {
    ModelPattern model;
    model.first = 9.0;
    model.step = 0.0156;
    model.points = 1990;
    model.eta = 0.0;
    model.wor = 0.04;
    return model;
}

namespace {

double regionCentre(int r) {
    return 10.5 + 2.1 * r;
}

// The grid point nearest two-theta x, as a person picks a region's end off a plot.
double onGrid(const ModelPattern& model, double x) {
    return model.first + std::round((x - model.first) / model.step) * model.step;
}

}  // namespace

std::vector<TruePeak> narrowRegionPeaks(int r) {
    const double centre = regionCentre(r);
    const double fwhm = 0.05 + 0.05 * r / (kNarrowRegions - 1);
    return {{centre - 0.15, 300.0 + 50.0 * r, fwhm}, {centre + 0.15, 200.0 + 30.0 * r, fwhm}};
}

Plan narrowPlan() {
    const ModelPattern model = narrowPatternModel();
    Plan plan;
    for (int r = 0; r < kNarrowRegions; ++r) {
        Region region;
        region.low = onGrid(model, regionCentre(r) - 0.8);
        region.high = onGrid(model, regionCentre(r) + 0.8);
        for (const TruePeak& peak : narrowRegionPeaks(r)) region.positions.push_back(peak.position);
        plan.push_back(region);
    }
    return plan;
}

ModelPattern cuCompanions(const ModelPattern& model) {
    ModelPattern companion = model;
    companion.lowBackground = companion.highBackground = 0.0;
    const Kalpha2 kalpha2{1.544426 / 1.540598, 0.5};
    for (TruePeak& peak : companion.peaks) {
        const PeakShape line{static_cast<float>(peak.position), static_cast<float>(peak.fwhm / 2)};
        const PeakShape shifted = companionShape(line, kalpha2);
        peak = {shifted.P, peak.intensity * kalpha2.intensityRatio, 2.0 * shifted.h};
    }
    return companion;
}

std::vector<std::pair<double, float>> narrowPatternPoints(bool doublets, double wor) {
    // The model holds nine peaks at most: the regions' peaks are added region by region.
    ModelPattern model = narrowPatternModel();
    model.wor = wor;
    std::vector<std::pair<double, float>> points = modelPoints(model);
    model.lowBackground = model.highBackground = 0.0;
    for (int r = 0; r < kNarrowRegions; ++r) {
        model.peaks = narrowRegionPeaks(r);
        std::vector<ModelPattern> parts = {model};
        if (doublets) parts.push_back(cuCompanions(model));
        for (const ModelPattern& part : parts) {
            int i = 0;
            for (const auto& [tth, cts] : modelPoints(part)) points[i++].second += cts;
        }
    }
    return points;
}

PatternStore drawPattern(const std::vector<std::pair<double, float>>& expected, double step,
                         std::mt19937& draws) {
    std::normal_distribution<double> unit(0.0, 1.0);
    PatternStore store;
    int i = 0;
    for (const auto& [tth, cts] : expected) {
        const double sig = std::sqrt(std::max(cts, 1.0f));
        store.tth[i] = static_cast<float>(tth);
        store.cts[i] = static_cast<float>(cts + sig * unit(draws));
        store.sig[i] = static_cast<float>(sig);
        ++i;
    }
    store.ilast = i - 1;
    setAngleGrid(store, step);
    return store;
}
