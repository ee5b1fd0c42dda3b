#pragma once
// One fit run: W/R and the *.fit file asked for when needed, the region turned into data
// points with start values, the engine run, and the evaluation page on which the user
// accepts or rejects the result.

#include "peaks/peak_state.h"

struct RunState;

// Negative results: the fit did not run (or its evaluation could not), and nothing changed
// but what the W/R prompt had already settled.
inline constexpr int kFitTooFewPoints = -1;    // no peak between two ends
inline constexpr int kFitTooManyPoints = -2;   // more than eleven points
inline constexpr int kFitFileNotCreated = -3;  // the *.fit file named could not be created
inline constexpr int kFitInputEnded = -4;      // the console input ended at a prompt
inline constexpr int kFitDeviceLost = -5;      // the device gives no cursor input
inline constexpr int kFitOutsidePattern = -6;  // a point lies outside the pattern

// Fits the selection with fwhmMode 'f' (one FWHM per peak) or 'g' (common FWHM), from the
// FitBlock that the caller filled: [0] tthstep, [1..4] the window, [5] tthmin, [6] maxcts.
// Returns 1 when the user accepted the fit: its peaks are appended to the peak list (as
// many as it has room for), their FWHMs are in the FitBlock and the block is in the *.fit
// file. Returns 0 when the user rejected it. Either way FitBlock[0] then holds the mean
// background and FitBlock[1..sellast] the unset value where no FWHM was stored. The
// evaluation works in the view's window and leaves it as the user left it. A pattern whose
// angles decrease is fitted as its ascending twin, peaks and file lines from the lowest
// angle up.
int ASFIT(RunState& state, const FitSelection& selection, char fwhmMode);
