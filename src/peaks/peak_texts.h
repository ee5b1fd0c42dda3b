#pragma once
// What the region-choice mode of the peak side says in the plot: instruction lines,
// questions and help.

#include "view/region_choice_texts.h"
#include "view/text_lines.h"

extern const RegionChoiceTexts kPeakRoiTexts;

// With the entry's number (from 1) and its two-theta.
inline constexpr const char* kDeletePeakQuestion =
    "Deleting %dth point, tth = %f ; Are you sure? (y/N)";
