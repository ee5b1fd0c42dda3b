// Erased texts leave nothing behind on the real screen: once a region is chosen on either
// side, the rows of the instruction lines show pixel for pixel what a fresh page with the
// selected-region lines shows (drawn by the page probe), though the real program drew the
// instruction lines there first and erased them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/plot_geometry.h"
#include "window/screenshot.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

constexpr int kLeft = 1, kRight = 3;

// 101 points from 10 to 30 degrees, one peak at 20 on a flat background: the full-scale
// window is -20 to 60 degrees by -100 to 1100.
void writePattern(const std::string& path) {
    std::string text;
    for (int i = 0; i <= 100; ++i) {
        const double tth = 10.0 + 0.2 * i;
        char line[64];
        std::snprintf(line, sizeof line, "%.4f %.2f 1.0\n", tth,
                      100.0 + 900.0 * std::exp(-std::pow((tth - 20.0) / 0.5, 2)));
        text += line;
    }
    writeFile(path, text);
}
const WorldWindow kFullScale = {-20.0f, 60.0f, -100.0f, 1100.0f};

// The rows from above text line 0 to below line 3, as screen rows of the window.
struct Rows {
    int first = 0, last = 0;
};

Rows textRows(const PlotGeometry& geometry, const ScreenRect& window) {
    const double dy = kFullScale.ymax - kFullScale.ymin;
    return {geometry.toScreen({0.0, kFullScale.ymax + 0.06 * dy}).y - window.y,
            geometry.toScreen({0.0, kFullScale.ymax - 0.14 * dy}).y - window.y};
}

// The pixels of the rows that differ, but for the columns within 3 of the given ones.
int differingPixels(const Image& a, const Image& b, Rows rows, const std::vector<int>& skipped) {
    int differing = 0;
    for (int x = 0; x < a.width; ++x) {
        if (std::any_of(skipped.begin(), skipped.end(),
                        [x](int c) { return std::abs(x - c) <= 3; }))
            continue;
        for (int y = rows.first; y <= rows.last; ++y) differing += !(a.at(x, y) == b.at(x, y));
    }
    return differing;
}

// The region's corners, low in the box, below the text rows.
const WorldPoint kCorner1 = {0, 100}, kCorner2 = {40, 300};

class EraseWindowTest : public ::testing::Test {
  protected:
    // The fresh page of a side with its region selected, as the page probe draws it.
    Image freshPage(const std::string& side, std::optional<PlotGeometry>& geometry,
                    ScreenRect& window) {
        XvfbDisplay display;
        XInput input(display.name());
        ChildProcess probe({XRDPICK_PAGE_PROBE, "pattern.xy", side}, display.environment());
        WindowDriver driver(probe, input);
        EXPECT_TRUE(driver.findWindow()) << probe.errors();
        EXPECT_TRUE(probe.waitForOutput("waiting\n", kCursorWait)) << probe.output();
        const Image page = driver.picture();
        geometry = driver.geometry(kFullScale);
        window = driver.window();
        return page;
    }

    // The real program's page of a side once a region low in the box is selected, and its
    // page before.
    void realPages(bool peakSide, Image& before, Image& selected) {
        XvfbDisplay display;
        XInput input(display.name());
        ChildProcess program({XRDPICK_BINARY, "pattern.xy"}, display.environment());
        WindowDriver driver(program, input);
        ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();
        const std::optional<PlotGeometry> full = driver.geometry(kFullScale);
        ASSERT_TRUE(full) << "no frame in the window";
        if (peakSide) {
            ASSERT_TRUE(driver.click(full->toScreen({40, 500}), kRight));
        }
        before = driver.picture();
        ASSERT_TRUE(driver.click(full->toScreen(kCorner1), kLeft));
        ASSERT_TRUE(driver.click(full->toScreen(kCorner2), kLeft));
        selected = driver.picture();
        ASSERT_TRUE(driver.key("q", [&] { return program.hasExited(); }));
        EXPECT_EQ(program.waitForExit(kProgramEnd), 0);
    }

    TempDir dir;
};

}  // namespace

TEST_F(EraseWindowTest, TheInstructionRowsOfEachSideShowWhatAFreshPageShows) {
    writePattern("pattern.xy");
    for (const bool peakSide : {false, true}) {
        const std::string side = peakSide ? "peak" : "background";
        std::optional<PlotGeometry> geometry;
        ScreenRect window;
        const Image fresh = freshPage(side, geometry, window);
        ASSERT_TRUE(geometry) << "no frame on the fresh page";
        Image before, selected;
        ASSERT_NO_FATAL_FAILURE(realPages(peakSide, before, selected));
        ASSERT_EQ(selected.width, fresh.width);
        ASSERT_EQ(selected.height, fresh.height);
        const Rows rows = textRows(*geometry, window);
        // The peak side marks the corners with lines through the box, which the fresh page
        // does not draw.
        const std::vector<int> marks = {geometry->toScreen(kCorner1).x - window.x,
                                        geometry->toScreen(kCorner2).x - window.x};
        // The rows held the instruction lines before; afterwards not one pixel of them.
        EXPECT_GT(differingPixels(before, fresh, rows, marks), 100) << side;
        EXPECT_EQ(differingPixels(selected, fresh, rows, marks), 0) << side;
    }
}
