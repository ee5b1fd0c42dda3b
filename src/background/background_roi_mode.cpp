#include "background/background_roi_mode.h"

#include <optional>

#include "background/background_load.h"
#include "background/background_roi_page.h"
#include "background/background_save.h"
#include "background/background_texts.h"
#include "driver/run_state.h"
#include "view/cursor.h"
#include "view/full_scale.h"
#include "view/help_overlay.h"
#include "view/position_writing.h"
#include "view/roi_loop.h"
#include "view/scroll.h"
#include "view/yes_no.h"
#include "view/zoom.h"

namespace {

using Reaction = RoiReaction<ModeExit>;

const Reaction kReadAgain = Reaction::readAgain();
const Reaction kNewPage = Reaction::newPage();

Reaction leave(ModeExit exit) {
    return Reaction::leave(exit);
}

Reaction leave(SideExit exit, char key = 'n') {
    return leave(ModeExit::leave(exit, key));
}

// A zoomed view goes back to full scale; at full scale the user leaves for the peak side,
// confirming first when points would be lost.
Reaction cancelOrLeave(RunState& state) {
    ViewState& view = state.view;
    if (!isFullScale(view.win, state.pattern, view.maxcts)) {
        view.flag = ViewFlag::FullScale;
        return kNewPage;
    }
    if (state.points.last < 0 || askYesNo(state.gfx, view, kLoseDataQuestion))
        return leave(SideExit::ToOtherSide);
    return kNewPage;
}

// A saved list leaves memory: the side starts afresh at full scale.
void save(RunState& state) {
    if (saveBackgroundPoints(state.console, state.points, state.dataFile) == SaveResult::Saved)
        state.view.flag = ViewFlag::FullScaleReset;
}

Reaction onNoCorner(RunState& state, BackgroundRoiPage& page) {
    ViewState& view = state.view;
    switch (view.key) {
        case 'D':
        case 'b':
        case 'B':
            return cancelOrLeave(state);
        case 'T':
        case 't':
            view.flag =
                view.flag == ViewFlag::KeepShown ? ViewFlag::KeepHidden : ViewFlag::KeepShown;
            return kNewPage;
        case 's':
        case 'S':
            save(state);
            return kNewPage;
        case 'p':
        case 'P':
            return kNewPage;  // `key` stays, so the new page is printed
        case 'q':
        case 'Q':
        case 'x':
        case 'X':
            return leave(SideExit::Quit, view.key);
        case 'w':
        case 'W':
            if (const std::optional<char> quitKey = runPositionWriting(state.gfx, view))
                return leave(SideExit::Quit, *quitKey);
            return kNewPage;
        case 'h':
        case 'H':
            showHelp(state.gfx, view, kNoCornerHelp, kBandPlain);
            return kNewPage;
        case 'r':
        case 'R':
            return kNewPage;
        case 'l':
        case 'L':
            return loadBackgroundPoints(state.console, state.points, state.pattern, view) ==
                           LoadResult::Cancelled
                       ? kReadAgain
                       : kNewPage;
        case 'A':
            if (scrollsAt(state, view.corner1)) return kNewPage;
            view.roi = RoiState::OneCorner;
            showFirstCorner(state, page);
            return kReadAgain;
        default:
            return kReadAgain;
    }
}

Reaction onOneCorner(RunState& state, BackgroundRoiPage& page) {
    ViewState& view = state.view;
    switch (view.key) {
        case 'c':
        case 'C':
        case 'D':
        case 'b':
        case 'B':
            view.roi = RoiState::NoCorner;
            return kNewPage;
        case 'A':
            if (scrollsAt(state, view.corner2)) return kNewPage;
            view.roi = RoiState::RoiSelected;
            showSelectedRoi(state, page);
            return kReadAgain;
        case 'h':
        case 'H':
            showHelp(state.gfx, view, kOneCornerHelp, kBandRectangle);
            return kNewPage;
        default:  // quitting needs the corner cancelled first
            return kReadAgain;
    }
}

// A region of zero width or height cannot be shown: it is dropped instead.
bool zoom(ViewState& view) {
    view.roi = RoiState::NoCorner;
    return zoomToRoi(view);
}

Reaction onRoiSelected(RunState& state) {
    ViewState& view = state.view;
    switch (view.key) {
        case 'A':
            if (!scrollsAt(state, view.pickPos)) zoom(view);
            return kNewPage;
        case 'D':
            if (!zoom(view)) return kNewPage;
            return leave(ModeExit::to(BackgroundMode::Extraction));
        case 'q':
        case 'Q':
        case 'x':
        case 'X':
            return leave(SideExit::Quit, view.key);
        case 'b':
        case 'B':
            view.roi = RoiState::NoCorner;
            return kNewPage;
        case 'f':
        case 'F':
            view.roi = RoiState::NoCorner;
            view.flag = ViewFlag::FullScale;
            return kNewPage;
        case 'h':
        case 'H':
            showHelp(state.gfx, view, kRoiSelectedHelp, kBandPlain);
            return kNewPage;
        default:
            return kReadAgain;
    }
}

Reaction react(RunState& state, RoiMode& mode) {
    auto& page = static_cast<BackgroundRoiPage&>(mode);
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

ModeExit runBackgroundRoiMode(RunState& state) {
    BackgroundRoiPage page(state);
    return runRoiLoop(state, page, react, ModeExit::leave(SideExit::DeviceFailed));
}
