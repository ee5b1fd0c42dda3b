#include "random_session_patterns.h"

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

double gaussian(double t, double centre, double fwhm, double height) {
    const double u = (t - centre) / fwhm;
    return height * std::exp(-4.0 * std::log(2.0) * u * u);
}

std::string xyLines(int points, double first, double step,
                    const std::function<double(double)>& ctsAt) {
    std::string text;
    char line[96];
    for (int i = 0; i < points; ++i) {
        const double t = first + step * i;
        const double cts = ctsAt(t);
        std::snprintf(line, sizeof line, "%.4f %.6g %.6g\n", t, cts,
                      std::sqrt(std::fabs(cts)) + 1.0);
        text += line;
    }
    return text;
}

// Small patterns keep the fits of a long campaign quick.
double twoPeaks(double t) {
    return 100.0 + gaussian(t, 12.0, 0.1, 1000.0) + gaussian(t, 14.0, 0.15, 500.0);
}

std::string flatWyr() {
    std::string text = "  10.000   0.020  11.980\n";
    for (int line = 0; line < 100 / 8; ++line)
        text += "      0      0      0      0      0      0      0      0\n";
    return text + "      0      0      0      0";
}

std::string negativeDat() {
    std::string text = "  10.000    0.020   13.980\n";
    char field[16];
    for (int i = 0; i < 200; i += 10) {
        std::string counts, weights;
        for (int j = i; j < i + 10; ++j) {
            std::snprintf(field, sizeof field, "%8.1f", 100.0 * std::sin(0.1 * j) - 50.0);
            counts += field;
            std::snprintf(field, sizeof field, "%8.2f", 1.0 + (j % 3));
            weights += field;
        }
        text += counts + "\n" + weights + (i + 10 < 200 ? "\n" : "");
    }
    return text;
}

std::string scanFile(double first, int records) {
    std::string text;
    for (int n = 1; n <= 13; ++n) text += "header line " + std::to_string(n) + "\n";
    text += "tth cts mon tim\n";
    char line[96];
    for (int i = 0; i < records; ++i) {
        const double t = first + 0.02 * i;
        std::snprintf(line, sizeof line, "%.3f %.0f 1000000 1000\n", t, twoPeaks(t));
        text += line;
    }
    return text;
}

}  // namespace

SessionPattern sessionPattern(unsigned seed) {
    switch (seed % 7) {
        case 0:
            return {"quartz.xy", {{"quartz.xy", xyLines(301, 10.0, 0.02, twoPeaks)}}};
        case 1:
            return {"tiny.xy", {{"tiny.xy", "20.00 5 1\n20.02 7 1\n20.04 6 1\n"}}};
        case 2:
            return {"flat.wyr", {{"flat.wyr", flatWyr()}}};
        case 3:
            return {"down.xy", {{"down.xy", xyLines(301, 16.0, -0.02, twoPeaks)}}};
        case 4:
            return {"scan.001",
                    {{"scan.001", scanFile(10.0, 200)}, {"scan.002", scanFile(12.0, 150)}}};
        case 5:
            return {"wide.xy", {{"wide.xy", xyLines(300, 1.0e6, 10.0, [](double t) {
                                     return 0.5e30 *
                                            (1.0 + std::sin(t / 100.0));  // up to the largest value
                                 })}}};
        default:
            return {"negative.dat", {{"negative.dat", negativeDat()}}};
    }
}
