// A test-only program for the window tests: draws, on a fresh screen page, what the
// region-choice mode of a side shows once a region is selected: the pattern at full scale
// and the side's selected-region lines, with no instruction lines ever drawn before them.
// The real program draws them after erasing the instruction lines; the test compares.
//
// Usage: page_probe PATTERN background|peak
// Loads the pattern, draws the page, prints "waiting" and reads the cursor once. Exit
// status 0, 1 when the device does not open, 2 for bad usage.

#include <iostream>
#include <memory>
#include <string>

#include "background/background_texts.h"
#include "console/console.h"
#include "open/load.h"
#include "peaks/peak_texts.h"
#include "view/colours.h"
#include "view/full_scale.h"
#include "view/pgplot_graphics.h"
#include "view/plot_page.h"
#include "view/screen.h"

int main(int argc, char** argv) {
    Console console(std::cin, std::cout);
    const std::string side = argc == 3 ? argv[2] : "";
    if (side != "background" && side != "peak") {
        console.print("Usage: page_probe PATTERN background|peak\n");
        return 2;
    }
    auto pattern = std::make_unique<PatternStore>();
    DataFileName dataFile;
    if (!loadPattern({argv[1]}, console, *pattern, dataFile)) return 2;

    PgplotGraphics gfx(console);
    if (!openScreen(console, gfx, ScreenColours{})) return 1;
    ViewState view;
    setFullScale(view, *pattern);
    setUpPage(gfx, view.win, dataFile.name.c_str());
    drawPatternCurve(gfx, *pattern);
    const TextLines lines = side == "background" ? roiSelectedLines() : peakRoiSelectedLines();
    drawTextLines(gfx, view.win, lines, kColourNotice);
    gfx.sci(kColourFrame);

    console.print("waiting\n");
    console.flush();
    float x = 0.0f, y = 0.0f;
    char ch = '\0';
    gfx.band(0, 0, 0.0f, 0.0f, &x, &y, &ch);
    gfx.end();
    return 0;
}
