#pragma once
// The cursor loop of a region-choice mode, shared by both sides: draw a page, read the
// cursor of the current region state, let the mode's table judge the input, and either
// read again on the same page, draw a new page, or leave with the mode's exit.

#include "driver/run_state.h"
#include "view/cursor.h"
#include "view/roi_page.h"
#include "view/scroll.h"

template <typename Exit>
struct RoiReaction {
    enum Kind { ReadAgain, NewPage, Leave } kind;
    Exit exit{};

    static RoiReaction readAgain() { return {ReadAgain}; }
    static RoiReaction newPage() { return {NewPage}; }
    static RoiReaction leave(Exit exit) { return {Leave, exit}; }
};

// `react(state, page)` judges the input in state.view.key; `deviceFailed` is the exit
// when no page can be drawn or no cursor read.
template <typename Exit, typename React>
Exit runRoiLoop(RunState& state, RoiMode& page, React react, Exit deviceFailed) {
    for (;;) {
        if (drawRoiPage(state, page) == PageResult::DeviceLost) return deviceFailed;
        RoiReaction<Exit> reaction = RoiReaction<Exit>::readAgain();
        while (reaction.kind == RoiReaction<Exit>::ReadAgain) {
            if (!readRoiCursor(state, page)) {
                reportLostCursor(state.console);
                return deviceFailed;
            }
            reaction = react(state, page);
        }
        if (reaction.kind == RoiReaction<Exit>::Leave) return reaction.exit;
    }
}

// A click beyond a side of the box scrolls the window (or is refused at the pattern's
// edge); either way the mode draws a new page. False for a click inside the box.
inline bool scrollsAt(RunState& state, const CursorPos& at) {
    ViewState& view = state.view;
    if (!meetsSideTest(view.win, at.x, at.y)) return false;
    scrollWindow(view.win, at.x, at.y,
                 patternScrollLimits(state.pattern, view.maxcts, ScrollEdge::MoveAtLimit));
    return true;
}
