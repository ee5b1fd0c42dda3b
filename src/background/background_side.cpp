#include "background/background_side.h"

#include "background/background_roi_mode.h"
#include "background/extraction_mode.h"
#include "driver/run_state.h"

SideOutcome runBackgroundSide(RunState& state) {
    BackgroundMode mode = BackgroundMode::RoiSetting;
    for (;;) {
        const ModeExit exit = mode == BackgroundMode::RoiSetting ? runBackgroundRoiMode(state)
                                                                 : runExtractionMode(state);
        if (exit.leavesSide) return exit.outcome;
        mode = exit.next;
    }
}
