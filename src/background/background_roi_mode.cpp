#include "background/background_roi_mode.h"

#include "background/background_load.h"
#include "background/background_roi_page.h"
#include "background/background_save.h"
#include "driver/run_state.h"
#include "view/region_choice_mode.h"
#include "view/zoom.h"

namespace {

// The background side's region choice: a right click never autoscales nor deletes, and
// the selected region is zoomed as it is, both to go on choosing and for extraction.
class BackgroundRoiRules : public RegionChoiceRules {
  public:
    explicit BackgroundRoiRules(RunState& state) : state_(state) {}

    // A saved list leaves memory: the side starts afresh at full scale.
    void save() override {
        if (saveBackgroundPoints(state_.console, state_.points, state_.dataFile) ==
            SaveResult::Saved)
            state_.view.flag = ViewFlag::FullScaleReset;
    }

    bool load() override {
        return loadBackgroundPoints(state_.console, state_.points, state_.pattern, state_.view) !=
               LoadResult::Cancelled;
    }

    bool usesRightClickBeyondBox(const CursorPos&) override { return false; }
    bool usesRightClickInBox(const CursorPos&) override { return false; }
    // A region of zero width or height cannot be shown: it is dropped instead.
    void zoomIn() override { zoomToRoi(state_.view); }
    bool zoomForNextMode() override { return zoomToRoi(state_.view); }
    bool onOwnKey(char) override { return false; }

  private:
    RunState& state_;
};

ModeExit modeExit(const RegionChoiceOutcome& outcome) {
    switch (outcome.exit) {
        case RegionChoiceExit::ToNextMode:
            return ModeExit::to(BackgroundMode::Extraction);
        case RegionChoiceExit::ToOtherSide:
            return ModeExit::leave(SideExit::ToOtherSide);
        case RegionChoiceExit::Quit:
            return ModeExit::leave(SideExit::Quit, outcome.key);
        case RegionChoiceExit::DeviceFailed:
            break;
    }
    return ModeExit::leave(SideExit::DeviceFailed);
}

}  // namespace

ModeExit runBackgroundRoiMode(RunState& state) {
    BackgroundRoiPage page(state);
    BackgroundRoiRules rules(state);
    return modeExit(runRegionChoiceMode(state, page, rules));
}
