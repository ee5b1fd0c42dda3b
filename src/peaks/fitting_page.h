#pragma once
// The page of the fitting mode and its cursor read.

#include "peaks/fitting_texts.h"
#include "peaks/peak_state.h"

struct RunState;

// Draws the page in the current window: the pattern, the mode's lines with the status on
// line 1, the stored peak positions with the FWHM arrows of the latest fit (whether or not
// the region choice shows them), and the selection. Then reads a vertical-line cursor into
// pickPos and `key`; false when the device gives no cursor input.
bool drawFittingPageAndRead(RunState& state, const FitSelection& selection, FitMessage message);
