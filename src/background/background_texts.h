#pragma once
// What the background modes say in the plot: instruction lines, questions and help.

#include "view/help_overlay.h"
#include "view/text_lines.h"

// Region-choice mode: its lines depend on whether points wait in memory.
TextLines roiInstructionLines(bool hasPoints);
TextLines roiSelectedLines();
inline constexpr const char* kLoseDataQuestion = "May lose your data... Are you sure? (y/N)";

enum class PickMessage { None, DeselectNotFound, PickTooClose };
TextLines extractionLines(PickMessage message);

extern const HelpText kNoCornerHelp;
extern const HelpText kOneCornerHelp;
extern const HelpText kRoiSelectedHelp;
extern const HelpText kExtractionHelp;
