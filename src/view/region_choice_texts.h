#pragma once
// What a region-choice page says. Each side names its purpose, its unsaved points, its
// mouse and keyboard keys, where a right click on a selected region leads, and its help;
// the rest reads the same on both sides.

#include "view/help_overlay.h"
#include "view/text_lines.h"

struct RegionChoiceTexts {
    const char* chooseRegion;  // line 0
    const char* unsaved;       // follows it while points wait in memory
    const char* mouse;
    const char* keyboard;
    const char* rightClickOnRoi;  // the second line once a region is selected
    HelpText noCornerHelp;
    HelpText oneCornerHelp;
    HelpText roiSelectedHelp;
};

// The titles of the help once a corner is given and once a region is selected.
inline constexpr const char* kOneCornerHelpTitle = "---- One down, another click to go ----";
inline constexpr const char* kRoiSelectedHelpTitle = "---- ROI is now selected ----";

// Asked before leaving for the other side drops the points in memory.
inline constexpr const char* kLoseDataQuestion = "May lose your data... Are you sure? (y/N)";

// The lines while no region is selected; there is one more while points wait in memory.
TextLines regionChoiceLines(const RegionChoiceTexts& texts, bool hasPoints);
// The lines that replace them once a region is selected.
TextLines selectedRegionLines(const RegionChoiceTexts& texts);
