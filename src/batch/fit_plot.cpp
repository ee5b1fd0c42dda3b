#include "batch/fit_plot.h"

#include <algorithm>
#include <filesystem>

#include "view/device_colours.h"
#include "view/evaluation_page.h"

namespace {

// The region with a margin on either side; heights from the largest count down to the
// deepest difference, with room above for the labels, the statistics and the legend.
PlotWindow regionWindow(const RegionFit& fit, const PatternStore& pattern) {
    const FitResult& result = fit.result;
    const int nd = static_cast<int>(result.calc.size());
    const float low = pattern.tth[fit.firstIndex], high = pattern.tth[fit.firstIndex + nd - 1];
    float top = 0.0f, bottom = 0.0f;
    for (int i = 0; i < nd; ++i) {
        top = std::max({top, pattern.cts[fit.firstIndex + i], result.calc[i]});
        bottom = std::min(bottom, result.diff[i]);
    }
    PlotWindow win;
    const float margin = 0.05f * (high - low);
    win.xmin = low - margin;
    win.xmax = high + margin;
    win.ymin = std::min(-0.1f * top, 1.1f * bottom);
    win.ymax = 1.5f * top;
    if (!(win.ymax > win.ymin)) win.ymax = win.ymin + 1.0f;
    win.updateSize();
    return win;
}

}  // namespace

bool plotFit(Graphics& gfx, const std::string& path, const std::string& title,
             const PatternStore& pattern, const RegionFit& fit) {
    // The device reports no failure to write its file; the file itself tells, so a
    // picture of an earlier run must not stand in for it.
    std::error_code failed;
    std::filesystem::remove(path, failed);
    if (gfx.open((path + "/png").c_str()) <= 0) return false;
    gfx.ask(false);
    setDeviceColours(gfx, ScreenColours{});  // paper and ink, and PGPLOT's red for the fit
    PlotWindow win = regionWindow(fit, pattern);
    drawFitPicture(gfx, win, {pattern, pattern.ilast, fit.firstIndex, fit.result}, title.c_str());
    gfx.end();
    return std::filesystem::exists(path, failed);
}
