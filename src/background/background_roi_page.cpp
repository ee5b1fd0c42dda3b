#include "background/background_roi_page.h"

#include "background/background_overlay.h"
#include "background/background_texts.h"
#include "driver/run_state.h"
#include "view/colours.h"
#include "view/cursor.h"
#include "view/marks.h"

void BackgroundRoiPage::emptyList() {
    state_.points.empty();
}

bool BackgroundRoiPage::hasPoints() const {
    return state_.points.last >= 0;
}

TextLines BackgroundRoiPage::instructionLines() const {
    return roiInstructionLines(hasPoints());
}

TextLines BackgroundRoiPage::selectedRoiLines() const {
    return roiSelectedLines();
}

void BackgroundRoiPage::drawOverlay() {
    drawBackgroundOverlay(state_.gfx, state_.points);
}

int BackgroundRoiPage::firstCornerBand() const {
    return kBandPlain;
}

int BackgroundRoiPage::secondCornerBand() const {
    return kBandRectangle;
}

void BackgroundRoiPage::markFirstCorner() {
    drawPositionMark(state_.gfx, state_.view.corner1.x, state_.view.corner1.y);
}

void BackgroundRoiPage::markSelectedRoi() {
    drawPositionMark(state_.gfx, state_.view.corner2.x, state_.view.corner2.y);
    drawRoiRectangle(state_.gfx, state_.view.corner1, state_.view.corner2, kColourRoiOutline);
}
