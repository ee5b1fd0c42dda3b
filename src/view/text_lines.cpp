#include "view/text_lines.h"

namespace {

// Line 0 lies above the box, the others step down inside its top edge.
constexpr std::array<double, kQuestionLine + 1> kLineOffset = {0.02, -0.04, -0.075, -0.11, -0.145};

}  // namespace

double textLineY(const PlotWindow& win, int line) {
    return win.ymax + kLineOffset.at(line) * win.dy;
}

void drawCentredText(Graphics& gfx, const PlotWindow& win, double y, const char* text) {
    gfx.ptxt(static_cast<float>((win.xmin + win.xmax) * 0.5), static_cast<float>(y), 0.0f, 0.5f,
             text);
}

void drawTextLines(Graphics& gfx, const PlotWindow& win, const TextLines& lines, int colour) {
    gfx.sci(colour);
    for (int line = 0; line < lines.count; ++line)
        drawCentredText(gfx, win, textLineY(win, line), lines.text.at(line));
}
