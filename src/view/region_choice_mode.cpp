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

bool isQuitKey(char key) {
    return key == 'q' || key == 'Q' || key == 'x' || key == 'X';
}

class RegionChoiceTable {
  public:
    RegionChoiceTable(PlotContext& state, RegionChoicePage& page, RegionChoiceRules& rules)
        : state_(state), view_(state.view), page_(page), rules_(rules) {}

    Reaction react() {
        // A click beyond a side of the box acts alike in every region state: the left
        // button scrolls the window (or is refused at the pattern's edge), and the right
        // one is the side's to use.
        const CursorPos& at = clickPosition();
        if (view_.key == 'A' && meetsSideTest(view_.win, at.x, at.y)) {
            scrollWindow(
                view_.win, at.x, at.y,
                patternScrollLimits(state_.pattern, view_.maxcts, ScrollEdge::MoveAtLimit));
            return kNewPage;
        }
        if (view_.key == 'D' && rules_.usesRightClickBeyondBox(at)) return kNewPage;
        // Quitting needs a waiting corner cancelled first.
        if (isQuitKey(view_.key))
            return view_.roi == RoiState::OneCorner ? kReadAgain
                                                    : leave(RegionChoiceExit::Quit, view_.key);
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
    // Where the cursor read of the current region state put the click.
    const CursorPos& clickPosition() const {
        switch (view_.roi) {
            case RoiState::NoCorner:
                return view_.corner1;
            case RoiState::OneCorner:
                return view_.corner2;
            case RoiState::RoiSelected:
                break;
        }
        return view_.pickPos;
    }

    Reaction onNoCorner() {
        switch (view_.key) {
            case 'A':
                return giveCorner();
            case 'D':
                if (rules_.usesRightClickInBox(view_.corner1)) return kNewPage;
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
            case 'P':  // `key` stays, so the new page is printed
            case 'r':
            case 'R':
                return kNewPage;
            case 'w':
            case 'W':
                if (const std::optional<char> quitKey = runPositionWriting(state_.gfx, view_))
                    return leave(RegionChoiceExit::Quit, *quitKey);
                return kNewPage;
            case 'h':
            case 'H':
                showHelp(state_.gfx, view_, page_.texts().noCornerHelp, page_.firstCornerBand());
                return kNewPage;
            default:
                return rules_.onOwnKey(view_.key) ? kNewPage : kReadAgain;
        }
    }

    Reaction onOneCorner() {
        switch (view_.key) {
            case 'A':
                return giveCorner();
            case 'D':
            case 'c':
            case 'C':
            case 'b':
            case 'B':
                view_.roi = RoiState::NoCorner;
                return kNewPage;
            case 'h':
            case 'H':
                showHelp(state_.gfx, view_, oneCornerHelp(page_.texts()), page_.secondCornerBand());
                return kNewPage;
            default:
                return kReadAgain;
        }
    }

    Reaction onRoiSelected() {
        switch (view_.key) {
            case 'A':
                view_.roi = RoiState::NoCorner;
                rules_.zoomIn();
                return kNewPage;
            case 'D':
                view_.roi = RoiState::NoCorner;
                // A region that cannot be drawn is dropped instead of taken further.
                return rules_.zoomForNextMode() ? leave(RegionChoiceExit::ToNextMode) : kNewPage;
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
                showHelp(state_.gfx, view_, roiSelectedHelp(page_.texts()), kBandPlain);
                return kNewPage;
            default:
                return kReadAgain;
        }
    }

    // A left click inside the box gives the next corner, shown on the same page.
    Reaction giveCorner() {
        if (view_.roi == RoiState::NoCorner) {
            view_.roi = RoiState::OneCorner;
            showFirstCorner(state_, page_);
        } else {
            view_.roi = RoiState::RoiSelected;
            showSelectedRoi(state_, page_);
        }
        return kReadAgain;
    }

    // A zoomed view goes back to full scale; at full scale the user leaves for the other
    // side, confirming first when points would be lost.
    Reaction cancelOrLeave() {
        if (!isFullScale(view_.win, state_.pattern, view_.maxcts)) {
            view_.flag = ViewFlag::FullScale;
            return kNewPage;
        }
        if (!page_.hasPoints() || askYesNo(state_.gfx, view_, kLoseDataQuestion))
            return leave(RegionChoiceExit::ToOtherSide);
        return kNewPage;
    }

    PlotContext& state_;
    ViewState& view_;
    RegionChoicePage& page_;
    RegionChoiceRules& rules_;
};

}  // namespace

RegionChoiceOutcome runRegionChoiceMode(PlotContext& state, RegionChoicePage& page,
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
