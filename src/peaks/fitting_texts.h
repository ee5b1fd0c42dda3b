#pragma once
// What the fitting mode says in the plot: its four lines, the status on line 1, the
// question before leaving unfitted points, and its help.

#include "view/help_overlay.h"
#include "view/text_lines.h"

// The status shown on line 1 after the last pick, deselect or fit key.
enum class FitMessage {
    FitHint,      // how to pick; also after every successful pick or deselect
    FitNotFound,  // a right click near no selected point
    FitTooMany,   // eleven points are selected already
    FitTooClose,  // a pick on or next to a selected point
    FitNoPoints,  // a right click with nothing selected
    FitTooFew,    // F or G without two ends and a peak
};

TextLines fittingLines(FitMessage message);

inline constexpr const char* kUnfittedQuestion = "You didn't FIT yet... Are you sure? (y/N)";

extern const HelpText kFittingHelp;
