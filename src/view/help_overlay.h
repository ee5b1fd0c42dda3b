#pragma once
// The help overlay of a mode: drawn over the current page without clearing it, removed by
// the next key or click, which the caller reads.

#include <span>

#include "view/graphics.h"
#include "view/view_state.h"

struct HelpText {
    const char* title;                   // names the mode
    std::span<const char* const> lines;  // one per key or click, in the mode's order
};

void drawHelpOverlay(Graphics& gfx, const PlotWindow& win, const HelpText& help);

// The height of help line `line` (0 = first line after the title); the closing line
// follows the last help line.
double helpLineY(const PlotWindow& win, int line);

// Draws the overlay and waits for the key or click that removes it, with the mode's band
// (anchored at corner1); `view.key` holds that key afterwards.
char showHelp(Graphics& gfx, ViewState& view, const HelpText& help, int bandMode);
