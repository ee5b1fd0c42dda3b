#pragma once
// In-plot text lines, centred on the box: line 0 above it, lines 1 to 3 inside its top,
// and the question line below them.

#include <array>

#include "view/graphics.h"
#include "view/view_state.h"

inline constexpr int kQuestionLine = 4;

// The height of text line 0 .. kQuestionLine in the current window.
double textLineY(const PlotWindow& win, int line);

// One line of text centred on the box at height y.
void drawCentredText(Graphics& gfx, const PlotWindow& win, double y, const char* text);

// A mode's texts for lines 0, 1, ... (at most four).
struct TextLines {
    std::array<const char*, 4> text{};
    int count = 0;
};

// Draws the lines from line 0 on in the given colour; drawn again in the background colour
// they are erased.
void drawTextLines(Graphics& gfx, const PlotWindow& win, const TextLines& lines, int colour);
