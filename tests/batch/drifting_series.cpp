#include "drifting_series.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "lsq/lsq_state.h"
#include "lsq/model.h"

namespace {

constexpr double kFirstTth = 20.0;
constexpr double kStep = 0.005;
constexpr int kPoints = 1701;  // 20.0 .. 28.5
constexpr double kLowBackground = 120.0, kHighBackground = 80.0;
constexpr double kTrueEta = 0.4;

constexpr double kStartPositions[] = {21.6, 22.2, 23.0, 25.4, 26.1, 26.9};

}  // namespace

double driftSteps(int k, int count) {
    return count > 1 ? 24.0 * k / (count - 1) : 0.0;
}

std::vector<TruePeak> driftingPeaks(double steps) {
    std::vector<TruePeak> peaks;
    for (int j = 0; j < kSeriesRegions * kPeaksPerRegion; ++j) {
        peaks.push_back({kStartPositions[j] + 0.004 * steps, 40.0 + 5.0 * j + 1.0 * steps,
                         0.08 + 0.005 * j + 0.0005 * steps});
    }
    return peaks;
}

std::string driftingPlan() {
    return "# region 1\n"
           "20.5 23.995 21.61 22.19 23.01\n"
           "\n"
           "24.5 27.995 25.39 26.11 26.89   # region 2\n";
}

std::vector<std::pair<double, float>> modelPoints(const ModelPattern& model) {
    LsqState lsq;
    lsq.fwhmMode = 'f';
    ParamVector& p = lsq.params;
    p[kEta].b = model.eta;
    p[kWor].b = model.wor;
    p[kLowBkgnd].b = model.lowBackground;
    p[kHighBkgnd].b = model.highBackground;
    for (int j = 1; j <= static_cast<int>(model.peaks.size()); ++j) {
        p[peakPosition(j)] = {.b = model.peaks[j - 1].position, .fit = 1};
        p[peakIntensity(j)].b = model.peaks[j - 1].intensity;
        p[peakFwhm(j)].b = model.peaks[j - 1].fwhm;
    }
    lsq.data.resize(model.points);
    for (int i = 0; i < model.points; ++i)
        lsq.data[i].x = static_cast<float>(model.first + model.step * i);
    std::vector<std::pair<double, float>> points;
    for (int i = 0; i < model.points; ++i)
        points.emplace_back(model.first + model.step * i, model_point(lsq, i));
    return points;
}

void writeDriftingPattern(const std::string& path, double steps) {
    ModelPattern model{.first = kFirstTth,
                       .step = kStep,
                       .points = kPoints,
                       .lowBackground = kLowBackground,
                       .highBackground = kHighBackground,
                       .eta = kTrueEta,
                       .wor = kSeriesWor,
                       .peaks = driftingPeaks(steps)};
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) throw std::runtime_error("cannot write " + path);
    for (const auto& [tth, cts] : modelPoints(model))
        std::fprintf(file, "%10.4f %12.4f %10.4f\n", tth, cts, std::sqrt(cts));
    std::fclose(file);
}

std::vector<std::string> writeDriftingSeries(const std::string& dir, int count) {
    std::vector<std::string> names;
    for (int k = 0; k < count; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "series_%03d.xy", k);
        names.push_back(dir + "/" + name);
        writeDriftingPattern(names.back(), driftSteps(k, count));
    }
    return names;
}
