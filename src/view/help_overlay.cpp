#include "view/help_overlay.h"

#include "view/colours.h"
#include "view/cursor.h"
#include "view/text_lines.h"

double helpLineY(const PlotWindow& win, int line) {
    return win.ymax - (0.26 + 0.04 * line) * win.dy;
}

void drawHelpOverlay(Graphics& gfx, const PlotWindow& win, const HelpText& help) {
    gfx.sci(kColourFrame);
    drawCentredText(gfx, win, win.ymax - 0.18 * win.dy, "============= H E L P =============");
    gfx.sci(kColourNotice);
    drawCentredText(gfx, win, win.ymax - 0.22 * win.dy, help.title);
    gfx.sci(kColourDialogue);
    int line = 0;
    for (const char* text : help.lines) drawCentredText(gfx, win, helpLineY(win, line++), text);
    drawCentredText(gfx, win, helpLineY(win, line), "Press any key/click to remove this help.");
}

char showHelp(Graphics& gfx, ViewState& view, const HelpText& help, int bandMode) {
    drawHelpOverlay(gfx, view.win, help);
    CursorPos removedAt;
    readCursor(gfx, bandMode, view.corner1, removedAt, view.key);
    return view.key;
}
