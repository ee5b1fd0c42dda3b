#include "peaks/fitting_mode.h"

#include <optional>

#include "driver/run_state.h"
#include "peaks/autoscale.h"
#include "peaks/fit_pick.h"
#include "peaks/fit_run.h"
#include "peaks/fitting_page.h"
#include "peaks/peak_files.h"
#include "view/colours.h"
#include "view/cursor.h"
#include "view/help_overlay.h"
#include "view/scroll.h"
#include "view/text_lines.h"

namespace {

// What one stay in the fitting mode keeps: the points picked for the next fit and the
// status line.
struct FittingStay {
    FitSelection& selection;  // the run's own, emptied on entry
    FitMessage message = FitMessage::FitHint;
};

FittingOutcome backToRoi(ViewState& view) {
    view.roi = RoiState::NoCorner;
    return {FittingExit::BackToRoi};
}

// An empty list goes back to the region choice as it is; a saved one leaves memory with a
// fresh start of the side. When the file cannot be written the points stay here.
std::optional<FittingOutcome> save(RunState& state) {
    switch (savePeakPositions(state)) {
        case PeakSave::Empty:
        case PeakSave::Saved:
            return backToRoi(state.view);
        case PeakSave::Failed:
            break;
    }
    return std::nullopt;
}

// 'b' keeps the window, 'B' returns to full scale; with points picked and not fitted the
// question decides, its answer 'y' or 'Y' playing the part of 'b' or 'B'. An 's' or 'S'
// there saves, as that key does after every command of this mode.
std::optional<FittingOutcome> leave(RunState& state, const FitSelection& selection) {
    ViewState& view = state.view;
    char choice = view.key;
    if (selection.sellast >= 0) {
        state.gfx.sci(kColourNotice);
        drawCentredText(state.gfx, view.win, view.win.ymax - 0.18 * view.win.dy, kUnfittedQuestion);
        float x = 0.0f, y = 0.0f;  // where the answer was given does not matter
        if (state.gfx.curs(&x, &y, &view.key) != 1) view.key = 'n';
        if (view.key == 's' || view.key == 'S') return save(state);
        if (view.key != 'y' && view.key != 'Y') return std::nullopt;
        choice = view.key == 'Y' ? 'B' : 'b';
    }
    if (choice == 'B') view.flag = ViewFlag::FullScale;
    return backToRoi(view);
}

void fillFitBlock(RunState& state) {
    const PlotWindow& win = state.view.win;
    FitBlock& block = state.peaks.fitBlock;
    block[0] = state.pattern.tthstep;
    block[1] = win.xmin;
    block[2] = win.xmax;
    block[3] = win.ymin;
    block[4] = win.ymax;
    block[5] = state.pattern.tthmin;
    block[6] = state.view.maxcts;
}

// An accepted fit clears the selection for the next group of peaks and keeps the window
// the evaluation ended with; otherwise the selection and the window stay as they were.
// A fit run that ends before the user could judge it leaves the FitBlock as it found it:
// the window and pattern scalars filled in for it would otherwise pass for fitted widths.
// False when the device gave out.
bool fit(RunState& state, FittingStay& stay, char fwhmMode) {
    if (stay.selection.sellast < 2) {
        stay.message = FitMessage::FitTooFew;
        return true;
    }
    ViewState& view = state.view;
    const FitBlock marksBefore = state.peaks.fitBlock;
    fillFitBlock(state);
    const PlotWindow before = view.win;
    const int result = ASFIT(state, stay.selection, fwhmMode);
    view.key = 'n';
    if (result > 0) {
        stay.selection.clear();
        stay.message = FitMessage::FitHint;
        state.gfx.qwin(&view.win.xmin, &view.win.xmax, &view.win.ymin, &view.win.ymax);
        view.win.updateSize();
        return true;
    }
    view.win = before;
    if (result < 0) {
        state.peaks.fitBlock = marksBefore;
        state.console.print("Error in ASFIT... returning = %d\n", result);
    }
    return result != kFitDeviceLost;
}

// A click strictly inside picks; anywhere else it scrolls, refusing at the limits too.
void pickOrScroll(RunState& state, FittingStay& stay) {
    ViewState& view = state.view;
    const CursorPos at = view.pickPos;
    if (!strictlyInside(view.win, at.x, at.y)) {
        scrollWindow(view.win, at.x, at.y,
                     patternScrollLimits(state.pattern, view.maxcts, ScrollEdge::StayAtLimit));
        return;
    }
    stay.message = pickPoint(state.console, stay.selection, state.pattern, view.win, at.x, at.y);
}

// A right click beyond a side autoscales; inside the box or on its edge it deselects.
void deselectOrAutoscale(RunState& state, FittingStay& stay) {
    ViewState& view = state.view;
    const CursorPos at = view.pickPos;
    if (meetsSideTest(view.win, at.x, at.y)) {
        autoscaleWindow(state, kFittingAutoscale);
        return;
    }
    stay.message = deselectPoint(state.console, stay.selection, state.pattern, view.win, at.x);
}

FittingOutcome deviceFailed(RunState& state) {
    reportLostCursor(state.console);
    return {FittingExit::DeviceFailed};
}

}  // namespace

FittingOutcome runFittingMode(RunState& state) {
    ViewState& view = state.view;
    FittingStay stay{state.peaks.selection};
    stay.selection.clear();
    view.key = 'n';
    for (;;) {
        if (!drawFittingPageAndRead(state, stay.selection, stay.message))
            return deviceFailed(state);
        switch (view.key) {
            case 'q':
            case 'Q':
            case 'x':
            case 'X':
                return {FittingExit::Quit, view.key};
            case 'v':  // lower case only: the next fit asks for W/R again
                state.console.print("W/R is reset\n");
                state.peaks.wor = kWorAsk;
                break;
            case 'b':
            case 'B':
                if (const std::optional<FittingOutcome> exit = leave(state, stay.selection))
                    return *exit;
                break;
            case 'h':
            case 'H':
                if (const char key = showHelp(state.gfx, view, kFittingHelp, kBandVertical);
                    key == 's' || key == 'S') {
                    if (const std::optional<FittingOutcome> exit = save(state)) return *exit;
                }
                break;
            case 'f':
            case 'F':
                if (!fit(state, stay, 'f')) return deviceFailed(state);
                break;
            case 'g':
            case 'G':
                if (!fit(state, stay, 'g')) return deviceFailed(state);
                break;
            case 'A':
                pickOrScroll(state, stay);
                break;
            case 'D':
                deselectOrAutoscale(state, stay);
                break;
            case 's':
            case 'S':
                if (const std::optional<FittingOutcome> exit = save(state)) return *exit;
                break;
            default:  // 'r', 'R' and every other input: a new page
                break;
        }
    }
}
