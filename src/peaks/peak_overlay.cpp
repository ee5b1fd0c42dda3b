#include "peaks/peak_overlay.h"

#include <cstdio>

#include "driver/run_state.h"
#include "view/colours.h"

namespace {

constexpr int kPeakMarker = 31;
constexpr int kLeftArrow = 29;
constexpr int kRightArrow = 28;
constexpr int kColourPeak = 11;  // markers and FWHM labels
constexpr int kColourFwhmArrow = 13;

// "%f" of any finite double fits: at most 309 integer digits, the point and six decimals.
struct Label {
    char text[330];
    explicit Label(double value) { std::snprintf(text, sizeof text, "%f", value); }
};

// The widths of the latest accepted fit: FitBlock[1] up to the entry before the first
// unset one. None when all eleven are set, as no fit leaves them so.
int fittedWidthCount(const FitBlock& block) {
    for (int k = 1; k < kFitBlockSize; ++k)
        if (isUnsetEntry(block[k])) return k - 1;
    return 0;
}

}  // namespace

void drawStoredPeaks(RunState& state, int labelColour) {
    const PointList& list = state.points;
    const float dy = state.view.win.dy;
    for (int i = 0; i <= list.last; ++i) {
        state.gfx.sci(kColourPeak);
        state.gfx.pt1(list.x[i], list.y[i], kPeakMarker);
        state.gfx.sci(labelColour);
        state.gfx.ptxt(list.x[i], static_cast<float>(list.y[i] + 0.03 * dy), 90.0f, 0.0f,
                       Label(list.x[i]).text);
    }
    drawFwhmMarks(state);
    state.gfx.sci(kColourFrame);
}

// The last width goes with the last entry, the one before it with the entry before, and so
// on; widths left over once the list has no earlier entry are not drawn.
void drawFwhmMarks(RunState& state) {
    const PointList& list = state.points;
    const FitBlock& block = state.peaks.fitBlock;
    const int widths = fittedWidthCount(block);
    const double background = block[0];
    for (int j = 0; j < widths && list.last - j >= 0; ++j) {
        const int p = list.last - j;
        const double w = block[widths - j];
        const float h = static_cast<float>(0.5 * background + 0.5 * list.y[p]);
        state.gfx.sci(kColourFwhmArrow);
        state.gfx.pt1(static_cast<float>(list.x[p] - 0.5 * w), h, kLeftArrow);
        state.gfx.pt1(static_cast<float>(list.x[p] + 0.5 * w), h, kRightArrow);
        state.gfx.sci(kColourPeak);
        state.gfx.ptxt(list.x[p], static_cast<float>(background), -90.0f, 0.0f, Label(w).text);
    }
}
