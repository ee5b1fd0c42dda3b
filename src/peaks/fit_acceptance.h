#pragma once
// What an accepted fit leaves in memory: its peaks appended to the peak list and their
// FWHMs in the FitBlock, which pairs them with the last entries of the list.

#include "fit/fit_result.h"
#include "peaks/peak_state.h"
#include "points/point_list.h"

class Console;

// Appends position and calculated height of each peak while the list has room, and says how
// many positions were not kept when it fills up. FitBlock[1..] gets the FWHM of each kept
// peak; the entry after them stays unset.
void storeAcceptedPeaks(Console& console, PointList& peaks, FitBlock& fitBlock,
                        const FitResult& result);
