#include "background/background_roi_page.h"

#include "background/background_overlay.h"
#include "background/background_texts.h"
#include "view/colours.h"
#include "view/marks.h"
#include "view/plot_context.h"

BackgroundRoiPage::BackgroundRoiPage(PlotContext& state)
    : RegionChoicePage(state, kBackgroundRoiTexts) {}

void BackgroundRoiPage::emptyList() {
    plot_.points.empty();
}

void BackgroundRoiPage::drawOverlay() {
    drawBackgroundOverlay(plot_.gfx, plot_.points);
}

void BackgroundRoiPage::markFirstCorner() {
    drawPositionMark(plot_.gfx, plot_.view.corner1.x, plot_.view.corner1.y);
}

void BackgroundRoiPage::markSelectedRoi() {
    drawPositionMark(plot_.gfx, plot_.view.corner2.x, plot_.view.corner2.y);
    drawRoiRectangle(plot_.gfx, plot_.view.corner1, plot_.view.corner2, kColourRoiOutline);
}
