#include "peaks/peak_roi_page.h"

#include <algorithm>
#include <cmath>

#include "driver/run_state.h"
#include "peaks/peak_list.h"
#include "peaks/peak_overlay.h"
#include "peaks/peak_texts.h"
#include "view/colours.h"
#include "view/cursor.h"
#include "view/marks.h"

PeakRoiPage::PeakRoiPage(RunState& state) : RegionChoicePage(state, kPeakRoiTexts), state_(state) {}

void PeakRoiPage::emptyList() {
    emptyPeakList(state_.points, state_.peaks);
}

void PeakRoiPage::startPage() {
    ViewState& view = state_.view;
    if (view.roi != RoiState::NoCorner) return;
    view.corner1 = {static_cast<float>(0.5 * (view.win.xmin + view.win.xmax)),
                    static_cast<float>(0.5 * (view.win.ymin + view.win.ymax))};
    view.corner2 = view.corner1;
}

void PeakRoiPage::drawOverlay() {
    drawStoredPeaks(state_, kColourDialogue);
}

int PeakRoiPage::firstCornerBand() const {
    return xRange() ? kBandVertical : RegionChoicePage::firstCornerBand();
}

int PeakRoiPage::secondCornerBand() const {
    return xRange() ? kBandVertical : RegionChoicePage::secondCornerBand();
}

void PeakRoiPage::markFirstCorner() {
    const CursorPos& corner1 = state_.view.corner1;
    state_.gfx.sci(kColourMark);
    if (xRange()) drawVerticalLine(corner1.x);
    drawPositionMark(state_.gfx, corner1.x, corner1.y);
}

void PeakRoiPage::markSelectedRoi() {
    const ViewState& view = state_.view;
    drawPositionMark(state_.gfx, view.corner2.x, view.corner2.y);
    if (xRange())
        drawVerticalLine(view.corner2.x);
    else
        drawRoiRectangle(state_.gfx, view.corner1, view.corner2, kColourMark);
}

bool PeakRoiPage::xRange() const {
    return state_.peaks.roiMethod == RoiMethod::XRange;
}

// A line far taller than any window, which the device clips to the box. Without a
// positive intensity the pattern's window lies below zero: its own extent sets the reach.
void PeakRoiPage::drawVerticalLine(float x) {
    const ViewState& view = state_.view;
    const double scale = view.maxcts > 0.0f
                             ? view.maxcts
                             : std::max(std::fabs(view.win.ymin), std::fabs(view.win.ymax));
    const float reach = static_cast<float>(scale + 1e10 * scale);
    state_.gfx.move(x, -reach);
    state_.gfx.draw(x, reach);
}
