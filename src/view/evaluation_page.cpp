#include "view/evaluation_page.h"

#include <array>
#include <cstdio>

#include "view/colours.h"
#include "view/plot_page.h"
#include "view/text_lines.h"

namespace {

constexpr int kColourInstructions = 3;
constexpr int kColourCalc = 2;
constexpr int kColourDiff = 13;  // also the fit statistics above the box
constexpr int kColourBackgroundEnds = 12;
constexpr int kColourPeakMarks = 11;  // also the FWHM and intensity labels
constexpr int kColourPositionLabel = 6;
constexpr int kColourKalpha2 = 4;

constexpr std::array<const char*, 4> kInstructions = {
    "White lines are observed, Red lines are calculated data",
    "If you are happy with this, Click Left mouse button - to keep this results",
    "If you are NOT happy, Click Right mouse button - to go back w/o any changes",
    "For Zoom-in, use 'w' and returning to first scale, hit 'b'",
};

// Room for any double in %f.
using Label = std::array<char, 400>;

void drawLabel(Graphics& gfx, double x, double y, float angle, const char* format, double value) {
    Label label;
    std::snprintf(label.data(), label.size(), format, value);
    gfx.ptxt(static_cast<float>(x), static_cast<float>(y), angle, 0.0f, label.data());
}

void drawStatistics(Graphics& gfx, const PlotWindow& win, int line, const FitResult& result) {
    Label statistics;
    std::snprintf(statistics.data(), statistics.size(),
                  "W/R = %.4f     \\gy = %f     \\gx\\u2\\d = %.4f", result.wor, result.eta,
                  result.chisq);
    drawCentredText(gfx, win, textLineY(win, line), statistics.data());
}

void drawTexts(Graphics& gfx, const PlotWindow& win, const FitResult& result) {
    gfx.sci(kColourInstructions);
    for (int k = 0; k < static_cast<int>(kInstructions.size()); ++k)
        drawCentredText(gfx, win, textLineY(win, k + 1), kInstructions[k]);
    gfx.sci(kColourDiff);
    drawStatistics(gfx, win, 0, result);
}

// Three entries a line from `line` on, each centred in its own third of the box's width, in
// the colour it names.
void drawLegend(Graphics& gfx, const PlotWindow& win, int line, bool kalpha2) {
    struct Entry {
        int colour;
        const char* text;
    };
    constexpr std::array<Entry, 7> kLegend = {{{kColourFrame, "observed"},
                                               {kColourCalc, "calculated"},
                                               {kColourDiff, "difference"},
                                               {kColourBackgroundEnds, "background ends"},
                                               {kColourPositionLabel, "position"},
                                               {kColourPeakMarks, "FWHM, intensity"},
                                               {kColourKalpha2, "Kalpha2 lines"}}};
    constexpr int kPerLine = 3;
    const double share = win.dx / kPerLine;
    const std::size_t entries = kalpha2 ? kLegend.size() : kLegend.size() - 1;
    for (std::size_t k = 0; k < entries; ++k) {
        gfx.sci(kLegend[k].colour);
        gfx.ptxt(static_cast<float>(win.xmin + (k % kPerLine + 0.5) * share),
                 static_cast<float>(textLineY(win, line + static_cast<int>(k) / kPerLine)), 0.0f,
                 0.5f, kLegend[k].text);
    }
}

void drawCurves(Graphics& gfx, const FitScene& scene) {
    const PatternStore& pattern = scene.pattern;
    const int nd = static_cast<int>(scene.result.calc.size());
    const float* regionTth = pattern.tth.data() + scene.firstIndex;
    gfx.sci(kColourFrame);
    gfx.line(scene.lastPatternIndex + 1, pattern.tth.data(), pattern.cts.data());
    gfx.sci(kColourCalc);
    gfx.line(nd, regionTth, scene.result.calc.data());
    gfx.sci(kColourDiff);
    gfx.line(nd, regionTth, scene.result.diff.data());
    if (!scene.result.kalpha2.empty()) {
        gfx.sci(kColourKalpha2);
        gfx.line(nd, regionTth, scene.result.kalpha2.data());
    }
    gfx.sci(kColourBackgroundEnds);
    gfx.pt1(regionTth[0], static_cast<float>(scene.result.lowBkgnd), 8);
    gfx.pt1(regionTth[nd - 1], static_cast<float>(scene.result.highBkgnd), 8);
}

// The peak's top, arrows at half height on either side, its position above and its FWHM
// below, and its intensity beside.
void drawPeak(Graphics& gfx, const PlotWindow& win, const FitResult& result,
              const FittedPeak& peak) {
    const double P = peak.position, F = peak.fwhm;
    const double yc = result.heightAt(peak);
    const double bg = result.meanBackground();
    const double h = 0.5 * yc + 0.5 * bg;
    const double labelY = yc + 0.03 * win.dy;
    gfx.sci(kColourPeakMarks);
    gfx.pt1(static_cast<float>(P), static_cast<float>(yc), 31);
    gfx.pt1(static_cast<float>(P - F / 2), static_cast<float>(h), 29);
    gfx.pt1(static_cast<float>(P + F / 2), static_cast<float>(h), 28);
    gfx.sci(kColourPositionLabel);
    drawLabel(gfx, P, labelY, 90.0f, "%f", P);
    gfx.sci(kColourPeakMarks);
    drawLabel(gfx, P, bg, -90.0f, "%f", F);
    drawLabel(gfx, P + F, labelY, 90.0f, "(\\gI\\dhkl\\u=%f)", peak.intensity);
}

void drawFit(Graphics& gfx, const PlotWindow& win, const FitScene& scene) {
    drawCurves(gfx, scene);
    for (int j = 0; j < scene.result.peakCount; ++j)
        drawPeak(gfx, win, scene.result, scene.result.peaks[j]);
    gfx.sci(kColourFrame);
}

}  // namespace

void drawEvaluationPage(Graphics& gfx, PlotWindow& win, const FitScene& scene) {
    setUpPage(gfx, win, "Fitting Results");
    drawTexts(gfx, win, scene.result);
    drawFit(gfx, win, scene);
}

void drawFitPicture(Graphics& gfx, PlotWindow& win, const FitScene& scene, const char* title) {
    setUpPage(gfx, win, title);
    gfx.sci(kColourFrame);
    drawStatistics(gfx, win, 1, scene.result);
    drawLegend(gfx, win, 2, !scene.result.kalpha2.empty());
    drawFit(gfx, win, scene);
}
