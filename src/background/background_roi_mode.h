#pragma once
// The region-choice mode of the background side: scroll, zoom by two corners, load and
// save points, leave for the extraction mode or the peak side, or quit.

#include "background/mode_exit.h"

struct RunState;

ModeExit runBackgroundRoiMode(RunState& state);
