// Whole fits of regions generated from the model itself, timed per fit and per engine
// iteration: a dense nine-peak region and a small two-peak one.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "driver/console.h"
#include "lsq/lsq_fit.h"
#include "lsq/model.h"
#include "lsq/param_names.h"

namespace {

struct Peak {
    double position;
    double intensity;
    double fwhm;
};

// Observed counts are the model at the known values (weights 1/sqrt(counts)); the fit
// then starts from values a user's clicks would give: positions 0.01 off, intensities
// 20 % low, widths 20 % wide.
LsqState generatedRegion(const std::vector<Peak>& peaks, float tthStart, int points) {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    copyNameTable(lsq.params);
    ParamVector& p = lsq.params;
    p[kEta].b = 0.4;
    p[kWor].b = 0.05;
    p[kLowBkgnd].b = 80.0;
    p[kHighBkgnd].b = 60.0;
    for (int j = 1; j <= static_cast<int>(peaks.size()); ++j) {
        p[peakPosition(j)].b = peaks[j - 1].position;
        p[peakIntensity(j)].b = peaks[j - 1].intensity;
        p[peakFwhm(j)].b = peaks[j - 1].fwhm;
        p[peakPosition(j)].fit = p[peakIntensity(j)].fit = p[peakFwhm(j)].fit = 1;
    }
    lsq.data.assign(points, DataPoint{});
    for (int i = 0; i < points; ++i) {
        DataPoint& point = lsq.data[i];
        point.x = tthStart + 0.01f * i;
        point.y = model_point(lsq, i);
        point.w = 1.0f / std::sqrt(std::max(point.y, 1.0f));
    }
    p[kEta].fit = p[kLowBkgnd].fit = p[kHighBkgnd].fit = 1;
    p[kEta].b = 0.6;
    for (int j = 1; j <= static_cast<int>(peaks.size()); ++j) {
        p[peakPosition(j)].b += 0.01;
        p[peakIntensity(j)].b *= 0.8;
        p[peakFwhm(j)].b *= 1.2;
    }
    return lsq;
}

void fitRegion(benchmark::State& state, const LsqState& start) {
    std::istringstream noInput;
    std::ostream discard(nullptr);  // the reports are not what is measured
    Console console(noInput, discard);
    double engineIterations = 0;
    double converged = 0;
    for (auto _ : state) {
        LsqState lsq = start;
        converged += lsq_fit(lsq, console);
        engineIterations += lsq.iter;
    }
    state.counters["converged"] = converged / state.iterations();
    state.counters["iterations_per_fit"] = engineIterations / state.iterations();
    state.counters["time_per_iteration"] = benchmark::Counter(
        engineIterations, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_NinePeaks2000Points(benchmark::State& state) {
    std::vector<Peak> peaks;
    for (int j = 0; j < kMaxPeaks; ++j) {
        peaks.push_back({26.0 + 2.1 * j, 300.0 + 40.0 * j, 0.08 + 0.01 * j});
    }
    fitRegion(state, generatedRegion(peaks, 25.0f, 2000));
}

void BM_TwoPeaks200Points(benchmark::State& state) {
    fitRegion(state, generatedRegion({{30.6, 400.0, 0.1}, {30.9, 250.0, 0.12}}, 30.0f, 200));
}

}  // namespace

BENCHMARK(BM_NinePeaks2000Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoPeaks200Points)->Unit(benchmark::kMillisecond);
