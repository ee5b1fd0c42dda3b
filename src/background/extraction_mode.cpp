#include "background/extraction_mode.h"

#include <optional>

#include "background/background_save.h"
#include "background/extraction_page.h"
#include "background/insert_point.h"
#include "background/pick.h"
#include "driver/run_state.h"
#include "view/cursor.h"
#include "view/help_overlay.h"
#include "view/scroll.h"

namespace {

// A click strictly inside picks; beyond a side it scrolls, leaving the message of the last
// pick in place; exactly on an edge it does neither.
void pickOrScroll(RunState& state, PickMessage& message) {
    ViewState& view = state.view;
    const CursorPos at = view.pickPos;
    if (!strictlyInside(view.win, at.x, at.y)) {
        scrollWindow(view.win, at.x, at.y,
                     patternScrollLimits(state.pattern, view.maxcts, ScrollEdge::StayAtLimit));
        return;
    }
    if (tooCloseToPick(state.points, at.x, at.y, view.win)) {
        message = PickMessage::PickTooClose;
        return;
    }
    message = PickMessage::None;
    insertPoint(state.console, state.points, at.x, at.y);
}

// Empty list: back to the region choice in the same window. Saved: the side starts afresh
// at full scale. Failed: the points stay and the page is drawn again, to try elsewhere.
std::optional<ModeExit> save(RunState& state) {
    switch (saveBackgroundPoints(state.console, state.points, state.dataFile)) {
        case SaveResult::NothingToSave:
            return ModeExit::to(BackgroundMode::RoiSetting);
        case SaveResult::Saved:
            state.view.flag = ViewFlag::FullScaleReset;
            return ModeExit::to(BackgroundMode::RoiSetting);
        case SaveResult::Failed:
            break;
    }
    return std::nullopt;
}

}  // namespace

ModeExit runExtractionMode(RunState& state) {
    ViewState& view = state.view;
    PickMessage message = PickMessage::None;  // stays on every page until the next pick
    for (;;) {
        if (!drawExtractionPageAndRead(state, message)) {
            reportLostCursor(state.console);
            return ModeExit::leave(SideExit::DeviceFailed);
        }
        switch (view.key) {
            case 'h':
            case 'H':
                if (const char key = showHelp(state.gfx, view, kExtractionHelp, kBandPlain);
                    key == 's' || key == 'S') {
                    if (const std::optional<ModeExit> exit = save(state)) return *exit;
                }
                break;
            case 'q':
            case 'Q':
            case 'x':
            case 'X':
                return ModeExit::leave(SideExit::Quit, view.key);
            case 'b':
                return ModeExit::to(BackgroundMode::RoiSetting);
            case 'B':
                view.flag = ViewFlag::FullScale;
                return ModeExit::to(BackgroundMode::RoiSetting);
            case 'A':
                pickOrScroll(state, message);
                break;
            case 'D':
                if (state.points.last >= 0) {
                    message = deselectPoint(state.console, state.points, view.pickPos.x,
                                            view.pickPos.y, view.win)
                                  ? PickMessage::None
                                  : PickMessage::DeselectNotFound;
                }
                break;
            case 's':
            case 'S':
                if (const std::optional<ModeExit> exit = save(state)) return *exit;
                break;
            default:  // 'r', 'R' and every other input: a new page
                break;
        }
    }
}
