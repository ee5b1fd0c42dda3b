#include "cell/cell_plot.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "cell/reflections.h"
#include "view/device_colours.h"

namespace {

constexpr int kInk = 1, kCalculated = 2, kUnindexed = 4;
constexpr int kCircle = 4;  // PGPLOT's open circle

// Two-theta of the cell's lines inside the span, with its zero and displacement.
std::vector<float> calculatedTth(const CellRefinement& r, double lambda, float high) {
    const double top = std::min(static_cast<double>(high), 179.0);
    const double q = std::pow(2 * std::sin(top / 2 * std::numbers::pi / 180.0) / lambda, 2);
    std::vector<float> tths;
    for (const CalculatedLine& line : calculatedLines(r.cell, q))
        tths.push_back(
            static_cast<float>(shiftedTth(1 / std::sqrt(line.q), lambda, r.zero, r.displacement)));
    return tths;
}

}  // namespace

bool plotCell(Graphics& gfx, const std::string& path, const std::string& title, const LineSet& set,
              const CellRefinement& refined) {
    std::error_code failed;
    std::filesystem::remove(path, failed);  // an older picture must not stand in for this one
    const PatternStore* pattern = set.pattern.get();
    float low = static_cast<float>(set.lines.front().tth) - 2.0f;
    float high = static_cast<float>(set.lines.back().tth) + 2.0f;
    float top = 1.0f;
    if (pattern) {
        low = pattern->tth[0];
        high = pattern->tth[pattern->ilast];
        top = *std::max_element(pattern->cts.begin(), pattern->cts.begin() + pattern->ilast + 1);
        if (!(top > 0.0f)) top = 1.0f;
    }
    if (gfx.open((path + "/png").c_str()) <= 0) return false;
    gfx.ask(false);
    setDeviceColours(gfx, ScreenColours{});
    gfx.env(low, high, -0.15f * top, 1.15f * top, 0, 0);
    gfx.lab("2theta (degrees)", pattern ? "counts" : "", title.c_str());
    gfx.sci(kInk);
    if (pattern) {
        gfx.line(pattern->ilast + 1, pattern->tth.data(), pattern->cts.data());
    } else {
        for (const ObservedLine& line : set.lines) {
            gfx.move(static_cast<float>(line.tth), 0.0f);
            gfx.draw(static_cast<float>(line.tth), top);
        }
    }
    gfx.sci(kCalculated);
    for (const float tth : calculatedTth(refined, *set.lambda, high)) {
        gfx.move(tth, -0.12f * top);
        gfx.draw(tth, -0.04f * top);
    }
    gfx.sci(kUnindexed);
    for (const int i : refined.unindexed)
        gfx.pt1(static_cast<float>(set.lines[i].tth), 1.07f * top, kCircle);
    gfx.sci(kInk);
    gfx.end();
    return std::filesystem::exists(path, failed);
}
