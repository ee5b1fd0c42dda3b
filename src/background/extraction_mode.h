#pragma once
// The background points extraction mode: a left click inside the box picks a point, a
// right click removes the one under the cursor, S saves them all.

#include "background/mode_exit.h"

struct RunState;

// Entered from a selected region, already zoomed to it.
ModeExit runExtractionMode(RunState& state);
