#include "peaks/evaluation_mode.h"

#include <array>

#include "driver/run_state.h"
#include "peaks/autoscale.h"
#include "view/colours.h"
#include "view/cursor.h"
#include "view/help_overlay.h"
#include "view/zoom.h"

namespace {

constexpr std::array<const char*, 7> kHelpLines = {
    "Left mouse click in the coordination box - I like it.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - I don't like it.",
    "Right mouse click out of the coordination box - Autoscaling.",
    "R - Refresh.",
    "B - Return to the first scale.",
    "W - Select current mouse cursor position for zoom-in.",
};
const HelpText kEvaluationHelp = {"---- Fitting result evaluation mode ----", kHelpLines};

// The cursor position is one corner; the other is where 'w' is pressed again, with a
// rectangle drawn from the first meanwhile. A rectangle without width or height keeps the
// window. False when the cursor gives out.
bool zoomByCorners(RunState& state) {
    ViewState& view = state.view;
    view.corner1 = view.pickPos;
    state.gfx.sci(kColourFrame);
    state.gfx.pt1(view.corner1.x, view.corner1.y, 2775);
    do {
        if (!readCursor(state.gfx, kBandRectangle, view.corner1, view.corner2, view.key))
            return false;
    } while (view.key != 'w' && view.key != 'W');
    zoomToRoi(view);
    return true;
}

}  // namespace

Verdict runEvaluation(RunState& state, const FitScene& scene, const ScrollLimits& limits) {
    ViewState& view = state.view;
    const PlotWindow start = view.win;
    for (;;) {
        drawEvaluationPage(state.gfx, view.win, scene);
        view.key = 'n';
        if (!readCursor(state.gfx, kBandPlain, view.pickPos, view.pickPos, view.key))
            return Verdict::DeviceLost;
        const CursorPos at = view.pickPos;
        switch (view.key) {
            case 'h':
            case 'H':
                // The click that removes the help decides wherever it is.
                switch (showHelp(state.gfx, view, kEvaluationHelp, kBandPlain)) {
                    case 'A':
                        return Verdict::Accept;
                    case 'D':
                        return Verdict::Reject;
                    default:
                        break;
                }
                break;
            case 'b':
            case 'B':
                view.win = start;
                break;
            case 'w':
            case 'W':
                if (!zoomByCorners(state)) return Verdict::DeviceLost;
                break;
            case 'A':
                if (!meetsSideTest(view.win, at.x, at.y)) return Verdict::Accept;
                scrollWindow(view.win, at.x, at.y, limits);
                break;
            case 'D':
                if (!meetsSideTest(view.win, at.x, at.y)) return Verdict::Reject;
                autoscaleWindow(state, kFittingAutoscale);
                break;
            default:  // 'r', 'R' and every other input: a new page
                break;
        }
    }
}
