#pragma once
// What a region-choice page says. Each side names its purpose, its unsaved points, its
// mouse and keyboard keys, where a right click on a selected region leads, and the lines
// of its help; the titles and the lines that read the same on both sides are here.

#include <span>

#include "view/help_overlay.h"
#include "view/text_lines.h"

struct RegionChoiceTexts {
    const char* chooseRegion;  // line 0
    const char* unsaved;       // follows it while points wait in memory
    const char* mouse;
    const char* keyboard;
    const char* rightClickOnRoi;  // the second line once a region is selected
    HelpText noCornerHelp;
    std::span<const char* const> oneCornerHelpLines;
    std::span<const char* const> roiSelectedHelpLines;
};

// Help lines both sides give.
inline constexpr const char* kHelpFirstCorner =
    "Left mouse click in the coordination box - Specify one position of ROI.";
inline constexpr const char* kHelpSecondCorner =
    "Left mouse click in the coordination box - Specify another position of ROI.";
inline constexpr const char* kHelpRescale =
    "Left mouse click in the coordination box - Rescale to given ROI.";
inline constexpr const char* kHelpScroll =
    "Left mouse click out of the coordination box - Move to that direction.";
inline constexpr const char* kHelpCancelKey = "B - Cancel/Go back to previous step.";
inline constexpr const char* kHelpRefresh = "R - Refresh.";
inline constexpr const char* kHelpSaveQuit =
    "X - Save & Quit current data into other data file(s).";
inline constexpr const char* kHelpQuit = "Q - Instant Quit.";
inline constexpr const char* kHelpPositionWriting =
    "W - On/Off mouse cursor position writing mode.";

// Asked before leaving for the other side drops the points in memory.
inline constexpr const char* kLoseDataQuestion = "May lose your data... Are you sure? (y/N)";

// The lines while no region is selected; there is one more while points wait in memory.
TextLines regionChoiceLines(const RegionChoiceTexts& texts, bool hasPoints);
// The lines that replace them once a region is selected.
TextLines selectedRegionLines(const RegionChoiceTexts& texts);

// The help once a corner is given, and once a region is selected.
HelpText oneCornerHelp(const RegionChoiceTexts& texts);
HelpText roiSelectedHelp(const RegionChoiceTexts& texts);
