#include "peaks/peak_roi_mode.h"

#include <cstdio>

#include "driver/run_state.h"
#include "peaks/autoscale.h"
#include "peaks/peak_files.h"
#include "peaks/peak_list.h"
#include "peaks/peak_roi_page.h"
#include "peaks/peak_texts.h"
#include "peaks/peak_zoom.h"
#include "view/region_choice_mode.h"
#include "view/scroll.h"
#include "view/yes_no.h"

namespace {

// The peak side's region choice: a right click beyond the box autoscales, one inside it
// near a stored position offers to delete it; 'c' changes the region method and 'v'
// resets w/r.
class PeakRoiRules : public RegionChoiceRules {
  public:
    explicit PeakRoiRules(RunState& state) : state_(state) {}

    void save() override { savePeakPositions(state_); }
    bool load() override { return loadPeakPositions(state_) != PeakLoad::Cancelled; }

    // Fits the intensity range to the data in view.
    bool usesRightClickBeyondBox(const CursorPos& at) override {
        if (!meetsSideTest(state_.view.win, at.x, at.y)) return false;
        autoscaleWindow(state_, kRoiAutoscale);
        return true;
    }

    // Only strictly inside the box, and near a stored position in two-theta.
    bool usesRightClickInBox(const CursorPos& at) override {
        const PlotWindow& win = state_.view.win;
        const int near = strictlyInside(win, at.x, at.y) ? peakNear(state_.points, at.x, win) : -1;
        if (near < 0) return false;
        char question[160];  // room for any float in %f
        std::snprintf(question, sizeof question, kDeletePeakQuestion, near + 1,
                      state_.points.x[near]);
        if (askYesNo(state_.gfx, state_.view, question)) removePeak(state_.points, near);
        return true;
    }

    void zoomIn() override { zoomToPeakRoi(state_); }
    bool zoomForNextMode() override { return zoomForFitting(state_); }

    bool onOwnKey(char key) override {
        switch (key) {
            case 'c':
            case 'C':
                state_.peaks.roiMethod =
                    state_.peaks.roiMethod == RoiMethod::Box ? RoiMethod::XRange : RoiMethod::Box;
                return true;
            case 'v':  // lower case only: 'V' does nothing
                state_.console.print("W/R is reset\n");
                state_.peaks.wor = kWorAsk;
                return false;
            default:
                return false;
        }
    }

  private:
    RunState& state_;
};

PeakRoiExit peakRoiExit(RegionChoiceExit exit) {
    switch (exit) {
        case RegionChoiceExit::ToNextMode:
            return PeakRoiExit::ToFitting;
        case RegionChoiceExit::ToOtherSide:
            return PeakRoiExit::ToBackground;
        case RegionChoiceExit::Quit:
            return PeakRoiExit::Quit;
        case RegionChoiceExit::DeviceFailed:
            break;
    }
    return PeakRoiExit::DeviceFailed;
}

}  // namespace

PeakRoiOutcome runPeakRoiMode(RunState& state) {
    PeakRoiPage page(state);
    PeakRoiRules rules(state);
    const RegionChoiceOutcome outcome = runRegionChoiceMode(state, page, rules);
    return {peakRoiExit(outcome.exit), outcome.key};
}
