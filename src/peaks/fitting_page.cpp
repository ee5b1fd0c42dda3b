#include "peaks/fitting_page.h"

#include <array>
#include <cstdio>

#include "driver/run_state.h"
#include "peaks/peak_overlay.h"
#include "view/colours.h"
#include "view/cursor.h"
#include "view/plot_page.h"

namespace {

constexpr int kColourPeakTick = 11;

// A peak entry: a short horizontal tick at its point, a vertical line through the box and
// its two-theta beside the tick.
void drawSelectedPeak(Graphics& gfx, const PlotWindow& win, float t, float v) {
    gfx.sci(kColourPeakTick);
    gfx.move(static_cast<float>(t - 0.02 * win.dx), v);
    gfx.draw(static_cast<float>(t + 0.02 * win.dx), v);
    gfx.sci(kColourNotice);
    gfx.move(t, win.ymin);
    gfx.draw(t, win.ymax);
    std::array<char, 64> label;  // room for any float in %f
    std::snprintf(label.data(), label.size(), "%f", t);
    gfx.ptxt(static_cast<float>(t + 0.02 * win.dx), static_cast<float>(v + 0.01 * win.dy), 90.0f,
             0.0f, label.data());
}

// The background ends as markers joined by a line, and each peak entry between them.
void drawSelection(Graphics& gfx, const PlotWindow& win, const PatternStore& pattern,
                   const FitSelection& selection) {
    if (selection.sellast < 0) return;
    const auto tthOf = [&](int entry) { return pattern.tth[selection.sel[entry]]; };
    const auto ctsOf = [&](int entry) { return pattern.cts[selection.sel[entry]]; };
    const int last = selection.sellast;
    gfx.sci(kColourNotice);
    gfx.pt1(tthOf(0), ctsOf(0), 8);
    if (last > 0) {
        gfx.pt1(tthOf(last), ctsOf(last), 8);
        gfx.sci(kColourDialogue);
        gfx.move(tthOf(0), ctsOf(0));
        gfx.draw(tthOf(last), ctsOf(last));
    }
    for (int k = 1; k < last; ++k) drawSelectedPeak(gfx, win, tthOf(k), ctsOf(k));
}

}  // namespace

bool drawFittingPageAndRead(RunState& state, const FitSelection& selection, FitMessage message) {
    ViewState& view = state.view;
    setUpPage(state.gfx, view.win, state.dataFile.name.c_str());
    drawPatternCurve(state.gfx, state.pattern);
    drawTextLines(state.gfx, view.win, fittingLines(message), kColourDialogue);
    if (state.points.last >= 0) drawStoredPeaks(state, kColourNotice);
    drawSelection(state.gfx, view.win, state.pattern, selection);
    state.gfx.sci(kColourWaiting);
    state.console.flush();  // the last pick's or fit's lines show while the user decides
    view.key = 'n';
    return readCursor(state.gfx, kBandVertical, view.pickPos, view.pickPos, view.key);
}
