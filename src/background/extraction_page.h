#pragma once
// The page of the background points extraction mode and its cursor read.

#include "background/background_texts.h"

struct RunState;

// Draws the page in the current window and reads the cursor into pickPos and `key`: a line
// from the point of highest two-theta while the list has points, a plain cursor otherwise.
// False when the device gives no cursor input.
bool drawExtractionPageAndRead(RunState& state, PickMessage message);
