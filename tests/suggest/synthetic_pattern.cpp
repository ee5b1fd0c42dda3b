#include "suggest/synthetic_pattern.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

#include "import/radiation_choice.h"
#include "lsq/profile.h"

namespace {

constexpr double kWor = 0.06;

double shape(double position, double fwhm, double eta, double tth) {
    const ProfileComponents c =
        profile_point(static_cast<float>(position), static_cast<float>(0.5 * fwhm),
                      static_cast<float>(tth), kWor);
    return eta * c.L + (1.0 - eta) * c.G;
}

// The profile's maximum, searched below the position, where the asymmetry moves it.
double shapeMaximum(double position, double fwhm, double eta) {
    double best = 0.0;
    const double step = fwhm / 200.0;
    for (double x = position - 5.0 * fwhm; x <= position + fwhm; x += step)
        best = std::max(best, shape(position, fwhm, eta, x));
    return best;
}

double curvedBackground(double tth) {
    const double hump = (tth - 25.0) / 6.0;
    return 150.0 + 2000.0 * std::exp(-tth / 6.0) + 80.0 * std::exp(-hump * hump);
}

// FWHM by Caglioti's law, degrees.
double cagliotiFwhm(double tth) {
    const double t = std::tan(tth * std::acos(-1.0) / 360.0);
    return std::sqrt(0.05 * t * t - 0.02 * t + 0.02);
}

// Two-theta of the Kα2 line of a Kα1 line at tth.
double companionOf(double tth, const Radiation& tube) {
    const double radians = std::numbers::pi / 180.0;
    return 2 * std::asin(*tube.lambda2 / tube.lambda1 * std::sin(tth / 2 * radians)) / radians;
}

// The recipe's peaks with their Kα2 companions, each `sigmas` at the companion's share.
std::vector<TruePeak> withCompanions(const PatternRecipe& recipe) {
    std::vector<TruePeak> lines = recipe.peaks;
    if (!recipe.tube) return lines;
    for (const TruePeak& peak : recipe.peaks)
        lines.push_back({companionOf(peak.position, *recipe.tube), recipe.tube->ratio * peak.sigmas,
                         peak.fwhm});
    return lines;
}

}  // namespace

SyntheticPattern generatePattern(const PatternRecipe& recipe, unsigned seed) {
    const std::vector<TruePeak> lines = withCompanions(recipe);
    SyntheticPattern pattern{recipe.name,
                             std::make_unique<PatternStore>(),
                             recipe.tubeStated ? recipe.peaks : lines,
                             recipe.background,
                             {}};
    PatternStore& store = *pattern.store;
    store.ilast = static_cast<int>(std::lround((recipe.tthmax - recipe.tthmin) / recipe.step));
    store.tthmin = recipe.tthmin;
    store.tthstep = recipe.step;
    store.tthmax = recipe.tthmin + store.ilast * recipe.step;
    std::vector<double> model(store.ilast + 1);
    for (int i = 0; i <= store.ilast; ++i)
        model[i] = recipe.background(recipe.tthmin + i * recipe.step);
    std::vector<double> areas;
    for (const TruePeak& peak : lines) {
        const double scale = peak.sigmas * std::sqrt(recipe.background(peak.position)) /
                             shapeMaximum(peak.position, peak.fwhm, recipe.eta);
        double area = 0.0;
        for (int i = 0; i <= store.ilast; ++i) {
            const double tth = recipe.tthmin + i * recipe.step;
            const double net = scale * shape(peak.position, peak.fwhm, recipe.eta, tth);
            model[i] += net;
            if (std::fabs(tth - peak.position) <= peak.fwhm) area += net;
        }
        areas.push_back(area);
    }
    for (TruePeak& peak : pattern.peaks) {
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const TruePeak& l) {
            return l.position == peak.position;
        });
        double variance = 0.0;
        for (int i = 0; i <= store.ilast; ++i)
            if (std::fabs(recipe.tthmin + i * recipe.step - peak.position) <= peak.fwhm)
                variance += model[i];
        peak.areaSigmas = areas[line - lines.begin()] / std::sqrt(variance);
    }
    std::mt19937 random(seed);
    for (int i = 0; i <= store.ilast; ++i) {
        const double counts = recipe.noiseFree ? std::round(model[i])
                                               : std::poisson_distribution<int>(model[i])(random);
        store.tth[i] = static_cast<float>(recipe.tthmin + i * recipe.step);
        store.cts[i] = static_cast<float>(counts);
        store.sig[i] = static_cast<float>(std::sqrt(std::max(counts, 1.0)));
    }
    for (const auto& [tth, counts] : recipe.spikes) {
        const int i = static_cast<int>(std::lround((tth - recipe.tthmin) / recipe.step));
        store.cts[i] = static_cast<float>(counts);
        store.sig[i] = static_cast<float>(std::sqrt(counts));
        pattern.spikes.push_back(tth);
    }
    if (recipe.tubeStated) store.radiation = recipe.tube;
    return pattern;
}

PatternRecipe noisyRecipe() {
    PatternRecipe recipe{"noisy", 10.0, 90.0, 0.02, curvedBackground, {}};
    const double peaks[][2] = {
        {14.0, 700}, {18.0, 8},   {21.0, 3},   {24.0, 50},   {24.21, 20}, {28.0, 6},   {31.0, 12},
        {34.0, 150}, {37.0, 5},   {40.0, 400}, {40.24, 100}, {44.0, 9},   {47.0, 15},  {50.0, 7},
        {53.0, 30},  {53.27, 30}, {57.0, 4},   {60.0, 10},   {63.0, 6},   {66.0, 700}, {69.5, 9},
        {73.0, 25},  {73.31, 80}, {77.0, 5},   {80.0, 11},   {84.0, 7},   {87.0, 200},
    };
    for (const auto& [position, sigmas] : peaks)
        recipe.peaks.push_back({position, sigmas, 0.08 + 0.001 * position});
    return recipe;
}

PatternRecipe mixedWidthsRecipe() {
    return {"mixed widths",
            20.0,
            100.0,
            0.02,
            [](double tth) { return 300.0 - 1.5 * tth; },
            {{25.0, 40, 0.1},
             {28.0, 30, 1.2},
             {31.0, 12, 0.1},
             {38.0, 200, 0.1},
             {45.0, 20, 1.5},
             {45.6, 30, 0.1},
             {52.0, 9, 0.1},
             {61.0, 25, 0.1},
             {68.0, 40, 2.0},
             {77.0, 60, 0.1},
             {84.0, 12, 1.0},
             {88.0, 14, 0.1},
             {95.0, 20, 0.1}}};
}

PatternRecipe cagliotiRecipe() {
    PatternRecipe recipe{"Caglioti",
                         10.0,
                         140.0,
                         0.02,
                         [](double tth) { return 80.0 + 600.0 * std::exp(-tth / 15.0); },
                         {}};
    const double peaks[][2] = {{18.0, 60}, {26.5, 25},  {33.0, 300}, {41.0, 12},  {47.5, 90},
                               {56.0, 18}, {63.0, 9},   {70.5, 150}, {78.0, 40},  {86.0, 11},
                               {94.0, 70}, {103.0, 20}, {112.0, 14}, {121.0, 50}, {131.0, 30}};
    for (const auto& [position, sigmas] : peaks)
        recipe.peaks.push_back({position, sigmas, cagliotiFwhm(position)});
    return recipe;
}

PatternRecipe edgePeaksRecipe() {
    return {"edge peaks",
            20.0,
            100.0,
            0.02,
            [](double tth) { return 120.0 + 0.5 * tth; },
            {{20.3, 17, 0.15},
             {35.0, 60, 0.15},
             {55.0, 20, 0.2},
             {75.0, 40, 0.2},
             {94.8, 13, 0.25},
             {99.7, 25, 0.25}}};
}

PatternRecipe densePatternRecipe() {
    PatternRecipe recipe{"dense", 10.0, 100.0, 0.02, [](double tth) { return 400.0 - 2.0 * tth; },
                         {}};
    // Heights from 8 to 200 sigma in an irregular order.
    for (int k = 0; k < 86; ++k) recipe.peaks.push_back({12.0 + k, 8.0 + (k * 37 % 97) * 2.0, 0.1});
    return recipe;
}

PatternRecipe dominantPeakRecipe() {
    PatternRecipe recipe{"one dominant peak",
                         20.0,
                         100.0,
                         0.02,
                         [](double tth) { return 60.0 + 0.2 * tth; },
                         {{27.4, 20, 0.1},
                          {31.7, 3000, 0.1},
                          {45.45, 600, 0.11},
                          {53.9, 15, 0.12},
                          {56.5, 150, 0.12},
                          {66.2, 60, 0.13},
                          {75.3, 40, 0.14},
                          {83.9, 120, 0.15},
                          {90.4, 10, 0.16}}};
    recipe.eta = 0.8;
    return recipe;
}

PatternRecipe mostlyBroadRecipe() {
    return {"mostly broad",
            20.0,
            100.0,
            0.02,
            [](double tth) { return 220.0 - tth; },
            {{26.0, 40, 1.4},
             {31.0, 25, 0.1},
             {35.0, 30, 1.8},
             {43.0, 25, 2.0},
             {47.5, 40, 0.12},
             {53.0, 35, 1.6},
             {53.9, 15, 0.12},
             {62.0, 20, 2.2},
             {74.0, 18, 2.5},
             {81.0, 20, 0.14},
             {88.0, 15, 2.8}}};
}

PatternRecipe broadPairsRecipe() {
    return {"broad pairs",
            20.0,
            100.0,
            0.02,
            [](double tth) { return 100.0 + 0.2 * tth; },
            {{30.0, 300, 0.8},
             {31.6, 100, 0.8},
             {45.0, 150, 1.2},
             {47.4, 150, 1.2},
             {60.0, 100, 0.8},
             {61.0, 100, 0.8},
             {80.0, 60, 0.8},
             {81.6, 60, 0.8}}};
}

PatternRecipe resolvedDoubletsRecipe() {
    PatternRecipe recipe{"resolved doublets", 20.0, 150.0, 0.01, [](double) { return 50.0; }, {}};
    for (int k = 0; k < 12; ++k)
        recipe.peaks.push_back({25.0 + 10.0 * k, 60.0 + (k * 53 % 11) * 30.0, 0.05 + 0.0015 * k});
    recipe.tube = anodeRadiation("Cu");
    return recipe;
}

PatternRecipe mergedDoubletsRecipe() {
    PatternRecipe recipe{"merged doublets", 20.0, 120.0, 0.02, [](double) { return 80.0; }, {}};
    for (int k = 0; k < 9; ++k)
        recipe.peaks.push_back({27.0 + 10.0 * k, 80.0 + (k * 29 % 7) * 40.0, 0.2});
    recipe.tube = anodeRadiation("Cu");
    recipe.tubeStated = true;
    return recipe;
}

PatternRecipe spikesRecipe() {
    PatternRecipe recipe{"spikes",
                         20.0,
                         80.0,
                         0.02,
                         [](double tth) { return 100.0 - 0.5 * tth; },
                         {{25.0, 60, 0.12}, {45.0, 200, 0.15}, {65.0, 30, 0.2}}};
    recipe.spikes = {{30.0, 1e5}, {30.02, 5e4}, {50.0, 5000.0}, {70.0, 2e4}, {70.02, 2e4}};
    return recipe;
}

PatternRecipe weakBroadRecipe() {
    return {"weak broad",
            20.0,
            100.0,
            0.02,
            [](double tth) { return 20.0 + 0.1 * tth; },
            {{25.0, 40, 0.4},
             {32.0, 2.0, 0.4},
             {38.0, 4.5, 0.4},
             {44.0, 3.0, 0.6},
             {50.0, 2.5, 1.0},
             {54.0, 3.5, 0.3},
             {62.0, 4.0, 0.8},
             {70.0, 30, 0.5},
             {78.0, 2.5, 0.6},
             {85.7, 4.5, 0.4},
             {93.0, 3.0, 0.5}}};
}

PatternRecipe shouldersRecipe() {
    return {"shoulders",
            20.0,
            100.0,
            0.02,
            [](double tth) { return 150.0 - 0.5 * tth; },
            {{30.0, 150, 0.3},
             {30.3, 50, 0.3},
             {45.0, 90, 0.2},
             {44.8, 30, 0.2},
             {60.0, 300, 0.16},
             {60.16, 100, 0.16},
             {75.0, 60, 0.5},
             {75.5, 20, 0.5},
             {88.0, 120, 0.7},
             {87.3, 40, 0.7}}};
}

PatternRecipe noiseOnlyRecipe() {
    return {"noise only", 20.0, 120.0, 0.02, [](double tth) { return 300.0 - 1.5 * tth; }, {}};
}

std::vector<PatternRecipe> knownRecipes() {
    return {noisyRecipe(),          mixedWidthsRecipe(),  cagliotiRecipe(),
            edgePeaksRecipe(),      densePatternRecipe(), dominantPeakRecipe(),
            mostlyBroadRecipe(),    broadPairsRecipe(),   resolvedDoubletsRecipe(),
            mergedDoubletsRecipe(), spikesRecipe(),       weakBroadRecipe(),
            shouldersRecipe(),      noiseOnlyRecipe()};
}

SyntheticPattern syntheticPattern(unsigned seed) {
    return generatePattern(noisyRecipe(), seed);
}

void writeXy(const PatternStore& store, const std::string& name) {
    std::FILE* file = std::fopen(name.c_str(), "w");
    for (int i = 0; i <= store.ilast; ++i)
        std::fprintf(file, "%8.3f %7.0f %8.1f\n", store.tth[i], store.cts[i], store.sig[i]);
    std::fclose(file);
}
