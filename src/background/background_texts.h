#pragma once
// What the background modes say in the plot: instruction lines, questions and help.

#include "view/help_overlay.h"
#include "view/region_choice_texts.h"
#include "view/text_lines.h"

// The region-choice mode's lines and help.
extern const RegionChoiceTexts kBackgroundRoiTexts;

enum class PickMessage { None, DeselectNotFound, PickTooClose };
TextLines extractionLines(PickMessage message);

extern const HelpText kExtractionHelp;
