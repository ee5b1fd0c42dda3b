#include "view/roi_page.h"

#include "view/colours.h"
#include "view/cursor.h"
#include "view/full_scale.h"
#include "view/plot_context.h"
#include "view/plot_page.h"
#include "view/print.h"

namespace {

void fixWindow(PlotContext& state, RoiMode& mode) {
    ViewState& view = state.view;
    if (view.flag == ViewFlag::FullScale || view.flag == ViewFlag::FullScaleReset) {
        setFullScale(view, state.pattern);
        if (view.flag == ViewFlag::FullScaleReset) mode.emptyList();
    }
    view.win.updateSize();
    mode.startPage();
}

// A page that shows points keeps the window from then on, so that scrolling takes effect.
void drawOverlayAsFlagSays(ViewState& view, RoiMode& mode) {
    if (view.flag == ViewFlag::KeepHidden || !mode.hasPoints()) return;
    mode.drawOverlay();
    view.flag = ViewFlag::KeepShown;
}

void drawPlot(PlotContext& state, RoiMode& mode, bool withTexts) {
    setUpPage(state.gfx, state.view.win, state.dataFile.name.c_str());
    drawPatternCurve(state.gfx, state.pattern);
    if (withTexts) {
        drawTextLines(state.gfx, state.view.win, mode.instructionLines(), kColourNotice);
        state.gfx.sci(kColourFrame);
    }
    drawOverlayAsFlagSays(state.view, mode);
}

void showRoiState(PlotContext& state, RoiMode& mode) {
    switch (state.view.roi) {
        case RoiState::NoCorner:
            break;
        case RoiState::OneCorner:
            showFirstCorner(state, mode);
            break;
        case RoiState::RoiSelected:
            mode.markFirstCorner();
            showSelectedRoi(state, mode);
            break;
    }
}

}  // namespace

PageResult drawRoiPage(PlotContext& state, RoiMode& mode) {
    ViewState& view = state.view;
    for (;;) {
        fixWindow(state, mode);
        if (view.key != 'p' && view.key != 'P') break;
        // A printed page carries the pattern and the points, but no instruction text; the
        // screen page follows it.
        view.key = 'n';
        const DeviceState device = beginHardcopy(state.console, state.gfx, state.view.screen);
        if (device == DeviceState::Lost) return PageResult::DeviceLost;
        if (device == DeviceState::Screen) continue;
        drawPlot(state, mode, false);
        if (!returnToScreen(state.console, state.gfx, state.view.screen))
            return PageResult::DeviceLost;
    }
    drawPlot(state, mode, true);
    view.key = 'n';
    state.gfx.sci(kColourWaiting);
    showRoiState(state, mode);
    return PageResult::Ready;
}

void showFirstCorner(PlotContext& state, RoiMode& mode) {
    mode.markFirstCorner();
    state.view.key = 'n';
}

void showSelectedRoi(PlotContext& state, RoiMode& mode) {
    mode.markSelectedRoi();
    drawTextLines(state.gfx, state.view.win, mode.instructionLines(), kColourErase);
    drawTextLines(state.gfx, state.view.win, mode.selectedRoiLines(), kColourNotice);
    state.gfx.sci(kColourFrame);
    state.view.key = 'n';
}

bool readRoiCursor(PlotContext& state, const RoiMode& mode) {
    ViewState& view = state.view;
    state.console.flush();  // what the last command printed shows while the user decides
    switch (view.roi) {
        case RoiState::NoCorner:
            return readCursor(state.gfx, mode.firstCornerBand(), view.corner1, view.corner1,
                              view.key);
        case RoiState::OneCorner:
            return readCursor(state.gfx, mode.secondCornerBand(), view.corner1, view.corner2,
                              view.key);
        case RoiState::RoiSelected:
            break;
    }
    return readCursor(state.gfx, kBandPlain, view.corner1, view.pickPos, view.key);
}
