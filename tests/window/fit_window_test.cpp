// One fit in the real program, in a real giza window under Xvfb, on the shipped example
// pattern: the region of the three overlapping peaks at 67.74, 68.14 and 68.31 degrees
// chosen with the mouse, its ends and peaks picked, the fit started with F, W/R and the
// *.fit file typed on the console, the result accepted on the evaluation page and saved.
//
// The evaluation page is the README's picture docs/evaluation-page.png (keepPicture).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/plot_geometry.h"
#include "window/process_state.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

// The counts of the example pattern: 10 to 80 degrees in steps of 0.02.
std::vector<double> readCounts(const std::string& path) {
    std::istringstream lines(readFile(path));
    std::vector<double> cts;
    double tth = 0.0, count = 0.0, sig = 0.0;
    while (lines >> tth >> count >> sig) cts.push_back(count);
    return cts;
}

int indexAt(double tth) {
    return static_cast<int>(std::trunc((tth - 10.0) / 0.02));
}

// The window of the fitting mode for a region chosen between two two-theta values: up to
// 1.3 times the largest count in range, down to -0.1 times it.
WorldWindow fittingWindow(const std::vector<double>& cts, double from, double to) {
    const double top =
        *std::max_element(cts.begin() + indexAt(from), cts.begin() + indexAt(to) + 1);
    return {static_cast<float>(from), static_cast<float>(to), static_cast<float>(-0.1 * top),
            static_cast<float>(1.3 * top)};
}

bool fileHolds(const std::string& path, const std::string& text) {
    return fileExists(path) && readFile(path).find(text) != std::string::npos;
}

constexpr int kLeft = 1, kRight = 3;

class FitWindowTest : public ::testing::Test {
  protected:
    TempDir dir;
    XvfbDisplay display;
    XInput input{display.name()};
};

}  // namespace

TEST_F(FitWindowTest, ThreePeaksArePickedFittedAcceptedAndSavedInTheRealWindow) {
    std::filesystem::copy_file(std::string(XRDPICK_EXAMPLES) + "/quartz.xy", "quartz.xy");
    const std::vector<double> cts = readCounts("quartz.xy");
    ASSERT_EQ(cts.size(), 3501u);
    const double maxcts = *std::max_element(cts.begin(), cts.end());
    const WorldWindow fullScale = {7.0f, 83.0f, static_cast<float>(-0.1 * maxcts),
                                   static_cast<float>(1.1 * maxcts)};

    ChildProcess program({XRDPICK_BINARY, "quartz.xy"}, display.environment());
    program.writeInput("0.06\nquartz.fit\n");  // W/R as the model made the pattern
    WindowDriver driver(program, input);
    ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();
    const std::optional<PlotGeometry> measured = driver.geometry(fullScale);
    ASSERT_TRUE(measured) << "no frame in the window";
    const PlotGeometry& full = *measured;

    // To the peak side, the two-theta range around the three peaks, the fitting mode.
    ASSERT_TRUE(driver.click(full.toScreen({40, 1000}), kRight));
    const ScreenPoint from = full.toScreen({66.81, 1000});
    const ScreenPoint to = full.toScreen({69.21, 1000});
    ASSERT_TRUE(driver.click(from, kLeft));
    ASSERT_TRUE(driver.click(to, kLeft));
    ASSERT_TRUE(driver.click(full.toScreen({68, 1000}), kRight));
    const double regionFrom = full.toWorld(from).x, regionTo = full.toWorld(to).x;
    const PlotGeometry zoomed = full.withWorld(fittingWindow(cts, regionFrom, regionTo));

    // The region's ends lie where the clicked pixels put them, within half a pixel of the
    // full scale (0.06 degree) of the values aimed at: the background ends are picked
    // just inside them.
    for (double tth : {regionFrom + 0.05, regionTo - 0.05, 67.74, 68.14, 68.31})
        ASSERT_TRUE(driver.click(zoomed.toScreen({tth, 500}), kLeft));
    ASSERT_TRUE(driver.key("F", [&] {
        return program.output().find("Convergence by") != std::string::npos;
    })) << program.output();
    ASSERT_TRUE(waitUntilReadingCursor(program.pid(), kCursorWait));  // the evaluation page
    EXPECT_TRUE(keepPicture("evaluation-page", driver.picture()));

    ASSERT_TRUE(driver.click(zoomed.toScreen({68, 500}), kLeft, [] {
        return fileHolds("quartz.fit",
                         "#--------------------------------------------------------#");
    }));
    ASSERT_TRUE(driver.key("S", [] { return fileExists("quartz.cdt"); }));
    ASSERT_TRUE(driver.key("q", [&] { return program.hasExited(); }));
    EXPECT_EQ(program.waitForExit(kProgramEnd), 0);

    // Positions as close to the model as the session on this region shows (within 0.01
    // degree, half a step), and the same positions in the .cdt file.
    std::istringstream results(readFile("quartz.fit"));
    std::string line, cdt;
    std::vector<double> positions;
    while (std::getline(results, line)) {
        if (line.empty() || line[0] == '#') continue;
        positions.push_back(std::stod(line));
        char saved[32];
        std::snprintf(saved, sizeof saved, "%8.4f\n", positions.back());
        cdt += saved;
    }
    ASSERT_EQ(positions.size(), 3u) << readFile("quartz.fit");
    EXPECT_NEAR(positions[0], 67.74, 0.01);
    EXPECT_NEAR(positions[1], 68.14, 0.01);
    EXPECT_NEAR(positions[2], 68.31, 0.01);
    EXPECT_EQ(readFile("quartz.cdt"), cdt);
}
