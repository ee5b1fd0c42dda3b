#include "peaks/peak_side.h"

#include "driver/run_state.h"

// Temporary stand-in until the peak side is written: a page saying so; any key or click
// goes back to the background side.
SideOutcome runPeakSide(RunState& state) {
    state.gfx.sci(1);
    state.gfx.env(0.0f, 1.0f, 0.0f, 1.0f, 0, -2);
    state.gfx.ptxt(0.5f, 0.5f, 0.0f, 0.5f, "The peak side is not built yet: any key goes back.");
    float x = 0.0f, y = 0.0f;
    char key = 'n';
    state.gfx.band(0, 0, 0.0f, 0.0f, &x, &y, &key);
    return {SideExit::ToOtherSide};
}
