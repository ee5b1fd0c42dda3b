// Honest error bars and verdicts, measured on generated patterns of known truth:
// - Monte-Carlo: over many noise draws of one pattern, the mean standard error xrdfit reports
//   against the scatter of the fitted values (position, intensity, FWHM), for an isolated
//   peak, two peaks one FWHM apart, and a peak whose region is clipped at the pattern's end;
//   a ratio near 1 is an honest error bar;
// - verdicts: how often pure noise, and a second start beside a real peak, come back ok;
// - W/R: with no --wor, how far each position lies from the truth when the pattern's W/R is
//   0, 0.03, 0.06 or 0.10 (single lines and Cu doublets, peaks from 15 to 90 degrees);
// - convergence on a bound: narrow Gaussian peaks, eta ending on 0, at the iteration limit.
// Arguments: the number of draws (default 200).

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>

#include "batch/pattern_input.h"
#include "batch/wor_estimate.h"
#include "drifting_series.h"
#include "fit/region_fit.h"
#include "narrow_pattern.h"
#include "pattern/radiation.h"

namespace {

Region regionOf(double low, double high, std::vector<double> positions) {
    Region region;
    region.low = low;
    region.high = high;
    region.positions = std::move(positions);
    return region;
}

PatternStore drawPattern(const ModelPattern& model, std::mt19937& draws) {
    return ::drawPattern(modelPoints(model), model.step, draws);
}

RegionFit fitOnce(const PatternStore& store, const Region& region, double wor,
                  bool worAssumed = false) {
    std::istringstream noInput;
    std::ostringstream discarded;
    Console quiet(noInput, discarded);
    const FitRequest request{region, wor, nullptr, false, false, 30, store.radiation, worAssumed};
    return fitRegion(store, request, quiet);
}

struct Scatter {
    std::vector<double> values, errors;
    void add(double value, double error) {
        values.push_back(value);
        errors.push_back(error);
    }
    double ratio() const {
        double mean = 0.0, meanError = 0.0;
        for (std::size_t k = 0; k < values.size(); ++k) {
            mean += values[k];
            meanError += errors[k];
        }
        mean /= values.size();
        meanError /= values.size();
        double sum = 0.0;
        for (const double v : values) sum += (v - mean) * (v - mean);
        return meanError / std::sqrt(sum / (values.size() - 1));
    }
};

void monteCarlo(const char* name, const ModelPattern& model, const Region& region, int draws) {
    std::mt19937 random(1);
    Scatter position, intensity, fwhm;
    int ok = 0;
    for (int k = 0; k < draws; ++k) {
        const PatternStore store = drawPattern(model, random);
        const RegionFit fit = fitOnce(store, region, model.wor);
        if (fit.statusOf(0) != FitStatus::Ok) continue;
        ++ok;
        const FittedPeak& peak = fit.result.peaks[0];
        position.add(peak.position, fit.se[0].position);
        intensity.add(peak.intensity, fit.se[0].intensity);
        fwhm.add(peak.fwhm, fit.se[0].fwhm);
    }
    std::printf("%-34s %5d/%-5d %8.3f %9.3f %6.3f\n", name, ok, draws, position.ratio(),
                intensity.ratio(), fwhm.ratio());
}

void verdicts(int draws) {
    std::mt19937 random(2);
    ModelPattern noise;
    noise.first = 28.0;
    noise.points = 301;
    ModelPattern real = noise;
    real.peaks = {{30.0, 100.0, 0.1}};
    int noiseOk = 0, needleOk = 0, realOk = 0;
    for (int k = 0; k < draws; ++k) {
        noiseOk +=
            fitOnce(drawPattern(noise, random), regionOf(29.0, 31.0, {30.0}), 0.06).statusOf(0) ==
            FitStatus::Ok;
        const RegionFit needle =
            fitOnce(drawPattern(real, random), regionOf(29.0, 31.0, {29.9, 30.0}), 0.06);
        needleOk += needle.statusOf(0) == FitStatus::Ok;
        realOk += needle.statusOf(1) == FitStatus::Ok;
    }
    std::printf("\npure noise (plan 29 31 30): %d of %d ok\n", noiseOk, draws);
    std::printf(
        "a second start beside a peak of I 100 (plan 29 31 29.9 30): %d of %d ok; the "
        "real peak %d of %d ok\n",
        needleOk, draws, realOk, draws);
}

// The narrow-peak pattern fitted with W/R 0: the Gaussian leans on its bound of eta 0, as on
// a real lab pattern. Fits that converged on the bound must say so.
void narrowPeaks() {
    ModelPattern model = narrowPatternModel();
    const Plan plan = narrowPlan();
    int limited = 0, ok = 0, iterations = 0;
    std::mt19937 random(4);
    for (int r = 0; r < kNarrowRegions; ++r) {
        model.peaks = narrowRegionPeaks(r);
        const RegionFit fit = fitOnce(drawPattern(model, random), plan[r], 0.0);
        for (int j = 0; j < 2; ++j) {
            limited += fit.statusOf(j) == FitStatus::IterationLimit;
            ok += fit.statusOf(j) == FitStatus::Ok;
        }
        iterations += fit.iterations;
    }
    std::printf(
        "\nnarrow Gaussian peaks of W/R 0.04 fitted with W/R 0: %d of 28 ok, %d at the iteration "
        "limit, %.1f "
        "iterations a region\n",
        ok, limited, iterations / double(kNarrowRegions));
}

void worBias() {
    std::printf("\nW/R with no --wor: worst position error, in degrees and in standard errors\n");
    std::printf("%-8s %-9s %10s %10s %10s\n", "true W/R", "lines", "estimated", "degrees", "se");
    const std::vector<double> angles = {15, 25, 35, 45, 55, 65, 75, 90};
    for (const bool doublets : {false, true}) {
        for (const double trueWor : {0.0, 0.03, 0.06, 0.10}) {
            ModelPattern model;
            model.first = 13.0;
            model.step = 0.02;
            model.points = 4001;
            model.wor = trueWor;
            for (const double angle : angles) model.peaks.push_back({angle, 600.0, 0.1});
            std::mt19937 random(3);
            PatternStore store = drawPattern(model, random);
            if (doublets) {
                // The model draws single lines; a doublet pattern is the sum of both lines.
                int i = 0;
                for (const auto& [tth, cts] : modelPoints(cuCompanions(model)))
                    store.cts[i++] += cts;
                store.radiation = Radiation{1.540598, 1.544426, 0.5, "bench"};
            }
            Plan plan;
            for (const double angle : angles)
                plan.push_back(regionOf(angle - 0.6, angle + 0.6, {angle}));
            SeriesSettings settings;
            const WorEstimate estimate = estimateWor(store, plan, settings);
            double worstDegrees = 0.0, worstSe = 0.0;
            for (const Region& region : plan) {
                const RegionFit fit =
                    fitOnce(store, region, estimate.wor.value_or(0.0), !estimate.wor);
                const double off = std::fabs(fit.result.peaks[0].position - region.positions[0]);
                worstDegrees = std::max(worstDegrees, off);
                worstSe = std::max(worstSe, off / fit.se[0].position);
            }
            std::printf("%-8.2f %-9s %10.4f %10.4f %10.2f\n", trueWor,
                        doublets ? "Cu pairs" : "single", estimate.wor.value_or(-1.0), worstDegrees,
                        worstSe);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int draws = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    std::printf("Mean reported standard error over the observed scatter (1 is honest)\n");
    std::printf("%-34s %11s %8s %9s %6s\n", "case", "ok draws", "tth", "intensity", "fwhm");
    ModelPattern isolated;
    isolated.first = 28.0;
    isolated.points = 301;
    isolated.peaks = {{30.0, 100.0, 0.1}};
    monteCarlo("isolated peak, I 100", isolated, regionOf(29.0, 31.0, {30.0}), draws);
    ModelPattern pair = isolated;
    pair.peaks = {{30.0, 300.0, 0.1}, {30.1, 300.0, 0.1}};
    monteCarlo("two peaks one FWHM apart (the first)", pair, regionOf(29.0, 30.99, {30.0, 30.1}),
               draws);
    ModelPattern clipped = isolated;
    clipped.points = 216;  // the pattern ends at 30.15
    Region clippedRegion = regionOf(29.0, 31.0, {30.0});
    clippedRegion.clipToPattern = true;
    monteCarlo("region clipped at the pattern's end", clipped, clippedRegion, draws);
    verdicts(draws / 10 > 20 ? draws / 10 : 20);
    narrowPeaks();
    worBias();
}
