#pragma once
// The background side: region choice, background point picking, background point files.

#include "driver/side_outcome.h"

struct RunState;

// Runs the side, entered afresh, until it leaves for the peak side or quits.
SideOutcome runBackgroundSide(RunState& state);
