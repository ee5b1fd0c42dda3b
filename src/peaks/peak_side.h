#pragma once
// The peak side: region choice, the fitting mode with its fit runs, peak position files.

#include "driver/side_outcome.h"

struct RunState;

// Runs the side, entered afresh, until it goes back to the background side or quits.
SideOutcome runPeakSide(RunState& state);
