#include "peaks/peak_roi_mode.h"

#include <cstdio>
#include <optional>

#include "driver/run_state.h"
#include "peaks/autoscale.h"
#include "peaks/peak_files.h"
#include "peaks/peak_list.h"
#include "peaks/peak_roi_page.h"
#include "peaks/peak_texts.h"
#include "peaks/peak_zoom.h"
#include "view/cursor.h"
#include "view/full_scale.h"
#include "view/help_overlay.h"
#include "view/position_writing.h"
#include "view/roi_loop.h"
#include "view/scroll.h"
#include "view/yes_no.h"

namespace {

using Reaction = RoiReaction<PeakRoiOutcome>;

const Reaction kReadAgain = Reaction::readAgain();
const Reaction kNewPage = Reaction::newPage();

Reaction leave(PeakRoiExit exit, char key = 'n') {
    return Reaction::leave({exit, key});
}

// A right click beyond a side of the box fits the intensity range to the data in view.
bool autoscalesAt(RunState& state, const CursorPos& at) {
    if (!meetsSideTest(state.view.win, at.x, at.y)) return false;
    autoscaleWindow(state, kRoiAutoscale);
    return true;
}

// A zoomed view goes back to full scale; at full scale the user leaves for the background
// side, confirming first when peak positions would be lost.
Reaction cancelChain(RunState& state) {
    ViewState& view = state.view;
    if (!isFullScale(view.win, state.pattern, view.maxcts)) {
        view.flag = ViewFlag::FullScale;
        return kNewPage;
    }
    if (state.points.last < 0 || askYesNo(state.gfx, view, kPeakLoseDataQuestion))
        return leave(PeakRoiExit::ToBackground);
    return kNewPage;
}

// A right click strictly inside the box, near a stored position in two-theta, offers to
// delete it; anywhere else inside it cancels.
Reaction deleteOrCancel(RunState& state) {
    ViewState& view = state.view;
    const CursorPos& at = view.corner1;
    const int near =
        strictlyInside(view.win, at.x, at.y) ? peakNear(state.points, at.x, view.win) : -1;
    if (near < 0) return cancelChain(state);
    char question[160];  // room for any float in %f
    std::snprintf(question, sizeof question, kDeletePeakQuestion, near + 1, state.points.x[near]);
    if (askYesNo(state.gfx, view, question)) removePeak(state.points, near);
    return kNewPage;
}

Reaction onNoCorner(RunState& state, PeakRoiPage& page) {
    ViewState& view = state.view;
    switch (view.key) {
        case 'D':
            return autoscalesAt(state, view.corner1) ? kNewPage : deleteOrCancel(state);
        case 'b':
        case 'B':
            return cancelChain(state);
        case 't':
        case 'T':
            view.flag =
                view.flag == ViewFlag::KeepShown ? ViewFlag::KeepHidden : ViewFlag::KeepShown;
            return kNewPage;
        case 's':
        case 'S':
            savePeakPositions(state);
            return kNewPage;
        case 'c':
        case 'C':
            state.peaks.roiMethod =
                state.peaks.roiMethod == RoiMethod::Box ? RoiMethod::XRange : RoiMethod::Box;
            return kNewPage;
        case 'p':
        case 'P':
            return kNewPage;  // `key` stays, so the new page is printed
        case 'r':
        case 'R':
            return kNewPage;
        case 'v':  // lower case only: 'V' does nothing
            state.console.print("W/R is reset\n");
            state.peaks.wor = kWorAsk;
            return kReadAgain;
        case 'q':
        case 'Q':
        case 'x':
        case 'X':
            return leave(PeakRoiExit::Quit, view.key);
        case 'w':
        case 'W':
            if (const std::optional<char> quitKey = runPositionWriting(state.gfx, view))
                return leave(PeakRoiExit::Quit, *quitKey);
            return kNewPage;
        case 'l':
        case 'L':
            return loadPeakPositions(state) == PeakLoad::Cancelled ? kReadAgain : kNewPage;
        case 'h':
        case 'H':
            showHelp(state.gfx, view, kPeakNoCornerHelp, page.firstCornerBand());
            return kNewPage;
        case 'A':
            if (scrollsAt(state, view.corner1)) return kNewPage;
            view.roi = RoiState::OneCorner;
            showFirstCorner(state, page);
            return kReadAgain;
        default:
            return kReadAgain;
    }
}

Reaction onOneCorner(RunState& state, PeakRoiPage& page) {
    ViewState& view = state.view;
    switch (view.key) {
        case 'A':
            if (scrollsAt(state, view.corner2)) return kNewPage;
            view.roi = RoiState::RoiSelected;
            showSelectedRoi(state, page);
            return kReadAgain;
        case 'D':
            if (autoscalesAt(state, view.corner2)) return kNewPage;
            view.roi = RoiState::NoCorner;
            return kNewPage;
        case 'c':
        case 'C':
        case 'b':
        case 'B':
            view.roi = RoiState::NoCorner;
            return kNewPage;
        case 'h':
        case 'H':
            showHelp(state.gfx, view, kPeakOneCornerHelp, page.secondCornerBand());
            return kNewPage;
        default:  // quitting needs the corner cancelled first
            return kReadAgain;
    }
}

Reaction onRoiSelected(RunState& state) {
    ViewState& view = state.view;
    switch (view.key) {
        case 'A':
            if (scrollsAt(state, view.pickPos)) return kNewPage;
            view.roi = RoiState::NoCorner;
            zoomToPeakRoi(state);
            return kNewPage;
        case 'D':
            if (autoscalesAt(state, view.pickPos)) return kNewPage;
            view.roi = RoiState::NoCorner;
            // A region that cannot be drawn is dropped instead of fitted.
            return zoomForFitting(state) ? leave(PeakRoiExit::ToFitting) : kNewPage;
        case 'h':
        case 'H':
            showHelp(state.gfx, view, kPeakRoiSelectedHelp, kBandPlain);
            return kNewPage;
        case 'q':
        case 'Q':
        case 'x':
        case 'X':
            return leave(PeakRoiExit::Quit, view.key);
        case 'b':
        case 'B':
            view.roi = RoiState::NoCorner;
            return kNewPage;
        case 'f':
        case 'F':
            view.roi = RoiState::NoCorner;
            view.flag = ViewFlag::FullScale;
            return kNewPage;
        default:
            return kReadAgain;
    }
}

Reaction react(RunState& state, RoiMode& mode) {
    auto& page = static_cast<PeakRoiPage&>(mode);
    switch (state.view.roi) {
        case RoiState::NoCorner:
            return onNoCorner(state, page);
        case RoiState::OneCorner:
            return onOneCorner(state, page);
        case RoiState::RoiSelected:
            return onRoiSelected(state);
    }
    return kReadAgain;
}

}  // namespace

PeakRoiOutcome runPeakRoiMode(RunState& state) {
    PeakRoiPage page(state);
    return runRoiLoop(state, page, react, PeakRoiOutcome{PeakRoiExit::DeviceFailed});
}
