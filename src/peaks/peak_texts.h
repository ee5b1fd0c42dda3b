#pragma once
// What the region-choice mode of the peak side says in the plot: instruction lines,
// questions and help.

#include "view/help_overlay.h"
#include "view/text_lines.h"

// Its lines depend on whether peak positions wait in memory.
TextLines peakRoiInstructionLines(bool hasPeaks);
TextLines peakRoiSelectedLines();

inline constexpr const char* kPeakLoseDataQuestion = "May lose your data... Are you sure? (y/N)";
// With the entry's number (from 1) and its two-theta.
inline constexpr const char* kDeletePeakQuestion =
    "Deleting %dth point, tth = %f ; Are you sure? (y/N)";

extern const HelpText kPeakNoCornerHelp;
extern const HelpText kPeakOneCornerHelp;
extern const HelpText kPeakRoiSelectedHelp;
