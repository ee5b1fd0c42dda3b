#include "view/plot_page.h"

#include "view/colours.h"

void setUpPage(Graphics& gfx, PlotWindow& win, const char* topLabel) {
    gfx.sci(kColourFrame);
    gfx.env(win.xmin, win.xmax, win.ymin, win.ymax, 0, 1);
    gfx.qwin(&win.xmin, &win.xmax, &win.ymin, &win.ymax);
    win.updateSize();
    gfx.lab("tth (degrees)", "Intensity (arb. units)", topLabel);
}

void drawPatternCurve(Graphics& gfx, const PatternStore& pattern) {
    gfx.sci(kColourFrame);
    gfx.line(pattern.ilast + 1, pattern.tth.data(), pattern.cts.data());
}
