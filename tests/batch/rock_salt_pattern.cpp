#include "rock_salt_pattern.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <stdexcept>

namespace {

constexpr double kLambda1 = 1.5405929, kLambda2 = 1.5444140, kRatio = 0.5;
constexpr double kFirst = 25.0, kStep = 0.01;
constexpr int kPoints = 10001;  // to 125 degrees

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

// Caglioti: FWHM^2 = U tan^2 theta + V tan theta + W.
double cagliotiFwhm(double tth) {
    const double t = std::tan(radians(tth / 2));
    return std::sqrt(0.004 * t * t - 0.002 * t + 0.0025);
}

// The reflections' intensities, roughly those of a rock-salt powder.
double intensityOf(int h, int k, int l) {
    const bool even = h % 2 == 0;
    const int m = h * h + k * k + l * l;
    return (even ? 4000.0 : 600.0) * std::exp(-0.01 * m);
}

FILE* opened(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) throw std::runtime_error("cannot write " + path);
    return file;
}

}  // namespace

std::vector<Reflection> rockSaltReflections(double widthFactor) {
    const int hkl[][3] = {{1, 1, 1}, {2, 0, 0}, {2, 2, 0}, {3, 1, 1}, {2, 2, 2}, {4, 0, 0},
                          {3, 3, 1}, {4, 2, 0}, {4, 2, 2}, {5, 1, 1}, {4, 4, 0}, {5, 3, 1},
                          {6, 0, 0}, {6, 2, 0}, {5, 3, 3}, {6, 2, 2}};
    std::vector<Reflection> reflections;
    for (const auto& r : hkl) {
        const double d = kRockSaltA / std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
        const double tth = 2 * degrees(std::asin(kLambda1 / (2 * d)));
        if (tth < 25.0 || tth > 120.0) continue;
        reflections.push_back(
            {r[0],
             r[1],
             r[2],
             {tth, intensityOf(r[0], r[1], r[2]), widthFactor * cagliotiFwhm(tth)}});
    }
    return reflections;
}

LabPattern rockSaltPattern(const std::vector<Reflection>& reflections) {
    LabPattern pattern;
    for (int i = 0; i < kPoints; ++i) {
        pattern.tth.push_back(kFirst + kStep * i);
        pattern.cts.push_back(150.0 - 0.5 * i * kStep);
    }
    // Each doublet as two single lines of the model, the companion placed here.
    for (const Reflection& r : reflections) {
        const TruePeak& line = r.kalpha1;
        const double theta1 = radians(line.position / 2);
        const double theta2 = std::asin(kLambda2 / kLambda1 * std::sin(theta1));
        const TruePeak companion{2 * degrees(theta2), kRatio * line.intensity,
                                 line.fwhm * std::tan(theta2) / std::tan(theta1)};
        // Over the whole pattern: a window would cut the Lorentzian tails off in steps that
        // the peak search rightly sees.
        ModelPattern model{.first = kFirst,
                           .step = kStep,
                           .points = kPoints,
                           .lowBackground = 0.0,
                           .highBackground = 0.0,
                           .eta = 0.5,
                           .wor = kRockSaltWor,
                           .peaks = {line, companion}};
        const auto points = modelPoints(model);
        for (int i = 0; i < kPoints; ++i) pattern.cts[i] += points[i].second;
    }
    std::mt19937 random(24);
    for (double& c : pattern.cts)
        c = std::max(0.0, std::round(std::normal_distribution<double>(c, std::sqrt(c))(random)));
    return pattern;
}

void writeTwoColumns(const std::string& path, const LabPattern& pattern) {
    std::FILE* file = opened(path);
    for (std::size_t i = 0; i < pattern.tth.size(); ++i)
        std::fprintf(file, "%.3f %.0f\n", pattern.tth[i], pattern.cts[i]);
    std::fclose(file);
}

void writeUxd(const std::string& path, const LabPattern& pattern) {
    std::FILE* file = opened(path);
    std::fprintf(file, "_FILEVERSION=1\n_WL1=%.7f\n_WL2=%.7f\n_WLRATIO=%.1f\n", kLambda1, kLambda2,
                 kRatio);
    std::fprintf(file, "_DRIVE='COUPLED'\n_STEPTIME=1\n_STEPSIZE=%.2f\n_START=%.2f\n_COUNTS\n",
                 kStep, kFirst);
    for (const double c : pattern.cts) std::fprintf(file, "%.0f\n", c);
    std::fclose(file);
}

std::string rockSaltPlan(const std::vector<Reflection>& reflections, double widthFactor) {
    std::string plan;
    for (const Reflection& r : reflections) {
        const double p = r.kalpha1.position;
        const double reach = 4 * r.kalpha1.fwhm + 0.1 * widthFactor;
        char line[96];
        std::snprintf(line, sizeof line, "%.2f %.2f %.2f\n", p - reach,
                      p + reach + 2 * std::tan(radians(p / 2)) * degrees(kLambda2 / kLambda1 - 1),
                      p + 0.02);
        plan += line;
    }
    return plan;
}

std::vector<Reflection> writeRockSaltFiles(double widthFactor) {
    std::vector<Reflection> reflections = rockSaltReflections(widthFactor);
    const LabPattern pattern = rockSaltPattern(reflections);
    writeTwoColumns("nacl.xy", pattern);
    writeUxd("nacl.uxd", pattern);
    return reflections;
}
