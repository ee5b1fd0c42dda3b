#include "view/region_choice_mode.h"

#include <optional>

#include "view/full_scale.h"
#include "view/help_overlay.h"
#include "view/plot_context.h"
#include "view/position_writing.h"
#include "view/scroll.h"
#include "view/yes_no.h"

namespace {

// What one input leads to: another cursor read on the same page, a new page, or leaving.
struct Reaction {
    enum Kind { ReadAgain, NewPage, Leave } kind;
    RegionChoiceOutcome outcome{RegionChoiceExit::Quit};
};

const Reaction kReadAgain{Reaction::ReadAgain};
const Reaction kNewPage{Reaction::NewPage};

Reaction leave(RegionChoiceExit exit, char key = 'n') {
    return {Reaction::Leave, {exit, key}};
}

class RegionChoiceTable {
  public:
    RegionChoiceTable(PlotContext& state, RoiMode& page, RegionChoiceRules& rules)
        : state_(state), view_(state.view), page_(page), rules_(rules) {}

    Reaction react() {
        switch (view_.roi) {
            case RoiState::NoCorner:
                return onNoCorner();
            case RoiState::OneCorner:
                return onOneCorner();
            case RoiState::RoiSelected:
                return onRoiSelected();
        }
        return kReadAgain;
    }

  private:
    Reaction onNoCorner() {
        switch (view_.key) {
            case 'D':
                if (rules_.usesRightClickBeyondBox(view_.corner1) ||
                    rules_.usesRightClickNearPoint(view_.corner1))
                    return kNewPage;
                return cancelOrLeave();
            case 'b':
            case 'B':
                return cancelOrLeave();
            case 't':
            case 'T':
                view_.flag =
                    view_.flag == ViewFlag::KeepShown ? ViewFlag::KeepHidden : ViewFlag::KeepShown;
                return kNewPage;
            case 's':
            case 'S':
                rules_.save();
                return kNewPage;
            case 'l':
            case 'L':
                return rules_.load() ? kNewPage : kReadAgain;
            case 'p':
            case 'P':
                return kNewPage;  // `key` stays, so the new page is printed
            case 'r':
            case 'R':
                return kNewPage;
            case 'q':
            case 'Q':
            case 'x':
            case 'X':
                return leave(RegionChoiceExit::Quit, view_.key);
            case 'w':
            case 'W':
                if (const std::optional<char> quitKey = runPositionWriting(state_.gfx, view_))
                    return leave(RegionChoiceExit::Quit, *quitKey);
                return kNewPage;
            case 'h':
            case 'H':
                showHelp(state_.gfx, view_, rules_.texts().noCornerHelp, page_.firstCornerBand());
                return kNewPage;
            case 'A':
                if (scrollsAt(view_.corner1)) return kNewPage;
                view_.roi = RoiState::OneCorner;
                showFirstCorner(state_, page_);
                return kReadAgain;
            default:
                return rules_.onOwnKey(view_.key) ? kNewPage : kReadAgain;
        }
    }

    Reaction onOneCorner() {
        switch (view_.key) {
            case 'A':
                if (scrollsAt(view_.corner2)) return kNewPage;
                view_.roi = RoiState::RoiSelected;
                showSelectedRoi(state_, page_);
                return kReadAgain;
            case 'D':
                if (!rules_.usesRightClickBeyondBox(view_.corner2)) view_.roi = RoiState::NoCorner;
                return kNewPage;
            case 'c':
            case 'C':
            case 'b':
            case 'B':
                view_.roi = RoiState::NoCorner;
                return kNewPage;
            case 'h':
            case 'H':
                showHelp(state_.gfx, view_, oneCornerHelp(rules_.texts()),
                         page_.secondCornerBand());
                return kNewPage;
            default:  // quitting needs the corner cancelled first
                return kReadAgain;
        }
    }

    Reaction onRoiSelected() {
        switch (view_.key) {
            case 'A':
                if (scrollsAt(view_.pickPos)) return kNewPage;
                view_.roi = RoiState::NoCorner;
                rules_.zoomIn();
                return kNewPage;
            case 'D':
                if (rules_.usesRightClickBeyondBox(view_.pickPos)) return kNewPage;
                view_.roi = RoiState::NoCorner;
                // A region that cannot be drawn is dropped instead of taken further.
                return rules_.zoomForNextMode() ? leave(RegionChoiceExit::ToNextMode) : kNewPage;
            case 'q':
            case 'Q':
            case 'x':
            case 'X':
                return leave(RegionChoiceExit::Quit, view_.key);
            case 'b':
            case 'B':
                view_.roi = RoiState::NoCorner;
                return kNewPage;
            case 'f':
            case 'F':
                view_.roi = RoiState::NoCorner;
                view_.flag = ViewFlag::FullScale;
                return kNewPage;
            case 'h':
            case 'H':
                showHelp(state_.gfx, view_, roiSelectedHelp(rules_.texts()), kBandPlain);
                return kNewPage;
            default:
                return kReadAgain;
        }
    }

    // A zoomed view goes back to full scale; at full scale the user leaves for the other
    // side, confirming first when points would be lost.
    Reaction cancelOrLeave() {
        if (!isFullScale(view_.win, state_.pattern, view_.maxcts)) {
            view_.flag = ViewFlag::FullScale;
            return kNewPage;
        }
        if (state_.points.last < 0 || askYesNo(state_.gfx, view_, kLoseDataQuestion))
            return leave(RegionChoiceExit::ToOtherSide);
        return kNewPage;
    }

    // A click beyond a side of the box scrolls the window (or is refused at the pattern's
    // edge); either way a new page follows. False for a click inside the box.
    bool scrollsAt(const CursorPos& at) {
        if (!meetsSideTest(view_.win, at.x, at.y)) return false;
        scrollWindow(view_.win, at.x, at.y,
                     patternScrollLimits(state_.pattern, view_.maxcts, ScrollEdge::MoveAtLimit));
        return true;
    }

    PlotContext& state_;
    ViewState& view_;
    RoiMode& page_;
    RegionChoiceRules& rules_;
};

}  // namespace

RegionChoiceOutcome runRegionChoiceMode(PlotContext& state, RoiMode& page,
                                        RegionChoiceRules& rules) {
    RegionChoiceTable table(state, page, rules);
    for (;;) {
        if (drawRoiPage(state, page) == PageResult::DeviceLost)
            return {RegionChoiceExit::DeviceFailed};
        Reaction reaction = kReadAgain;
        while (reaction.kind == Reaction::ReadAgain) {
            if (!readRoiCursor(state, page)) {
                reportLostCursor(state.console);
                return {RegionChoiceExit::DeviceFailed};
            }
            reaction = table.react();
        }
        if (reaction.kind == Reaction::Leave) return reaction.outcome;
    }
}
