// The real program in a real giza window under Xvfb, its console fed through a pipe.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/plot_geometry.h"
#include "window/process_state.h"
#include "window/screenshot.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

const char* const kPatternFile = "pattern.xy";
const char* const kLoaded = "101 data points read.\n";

// A test directory holding a small .xy pattern: 101 points from 10 to 30 degrees in steps
// of 0.2, one peak at 20 degrees on a flat background, the standard deviations as counting
// statistics give them.
struct PatternDir {
    TempDir dir;
    PatternDir() {
        std::string text;
        for (int i = 0; i <= 100; ++i) {
            const double tth = 10.0 + 0.2 * i;
            const double cts = 100.0 + 900.0 * std::exp(-std::pow((tth - 20.0) / 0.5, 2));
            char line[64];
            std::snprintf(line, sizeof line, "%.4f %.2f %.3f\n", tth, cts, std::sqrt(cts));
            text += line;
        }
        writeFile(kPatternFile, text);
    }
};

std::vector<std::string> programOnPattern() {
    return lineBuffered({XRDPICK_BINARY, kPatternFile});
}

// The program started on the pattern, on a display of its own, with its window found.
class XrdpickWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(driver_.findWindow()) << program_.output() << program_.errors();
    }

    // Types q and expects the run to end with status 0.
    void quit() {
        EXPECT_TRUE(driver_.key("q", [&] { return program_.hasExited(); }))
            << "q did not end the run; output so far:\n"
            << program_.output();
        EXPECT_EQ(program_.waitForExit(kProgramEnd), 0);
        program_.waitForOutputEnd(kProgramEnd);
    }

    PatternDir patternDir_;
    XvfbDisplay display_;
    XInput input_{display_.name()};
    ChildProcess program_{programOnPattern(), display_.environment()};
    WindowDriver driver_{program_, input_};
};

}  // namespace

TEST_F(XrdpickWindowTest, OpensItsWindowAndATypedQEndsTheRunWithStatusZero) {
    ASSERT_NO_FATAL_FAILURE(quit());
    EXPECT_EQ(program_.output().find(kLoaded), 0u) << program_.output();
    // Q after an .xy pattern writes nothing.
    const std::filesystem::path& dir = patternDir_.dir.path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              1);
}

// The full-scale window of the pattern: 150 steps beyond each end, 10 % of the largest
// count below zero and above it.
const WorldWindow kFullScale = {-20.0f, 60.0f, -100.0f, 1100.0f};

bool isGrey(const Rgb& pixel) {
    return pixel.r == pixel.g && pixel.g == pixel.b;
}

// The brightest pixel within two of a screen point, relative to the window.
int brightestNear(const Image& picture, ScreenPoint at) {
    int brightest = 0;
    for (int y = at.y - 2; y <= at.y + 2; ++y)
        for (int x = at.x - 2; x <= at.x + 2; ++x)
            if (isGrey(picture.at(x, y))) brightest = std::max<int>(brightest, picture.at(x, y).r);
    return brightest;
}

TEST_F(XrdpickWindowTest, TheScreenIsBlackWithAWhiteFrameLabelsAndCurve) {
    const Image picture = driver_.picture();
    const ScreenRect& window = driver_.window();
    EXPECT_EQ(picture.at(0, 0), (Rgb{0, 0, 0}));
    const std::optional<PlotGeometry> geometry = driver_.geometry(kFullScale);
    ASSERT_TRUE(geometry) << "no frame in the window";
    const PlotBox& box = geometry->box();
    const auto inWindow = [&](WorldPoint point) {
        const ScreenPoint pixel = geometry->toScreen(point);
        return ScreenPoint{pixel.x - window.x, pixel.y - window.y};
    };
    // The frame's left edge half-way down, the curve at the peak and on the flat.
    const Rgb frame =
        picture.at(static_cast<int>(box.left), static_cast<int>(box.top + box.bottom) / 2);
    EXPECT_TRUE(isGrey(frame) && frame.r > 128);
    // A thin line between two pixel rows lights each of them only in part.
    EXPECT_GT(brightestNear(picture, inWindow({20.0, 1000.0})), 64);
    EXPECT_GT(brightestNear(picture, inWindow({12.0, 100.0})), 64);
    // Below the box, the axis labels and numbers: white ink only, and plenty of it.
    int ink = 0;
    for (int y = static_cast<int>(box.bottom) + 2; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& pixel = picture.at(x, y);
            if (pixel == Rgb{0, 0, 0}) continue;
            EXPECT_TRUE(isGrey(pixel)) << x << "," << y;
            if (!isGrey(pixel)) return;
            ++ink;
        }
    }
    EXPECT_GT(ink, 100);
    quit();
}

TEST_F(XrdpickWindowTest, ARightClickIsNotTheQuitKey) {
    // At full scale with no points, a right click goes over to the peak side, which reads
    // the cursor again; read as 'X' it would end the run.
    const ScreenRect window = driver_.window();
    ASSERT_TRUE(driver_.click({window.x + window.width / 2, window.y + window.height / 2}, 3));
    EXPECT_TRUE(waitUntilReadingCursor(program_.pid(), kCursorWait));
    EXPECT_FALSE(program_.hasExited());
    quit();
}

TEST_F(XrdpickWindowTest, KeyPPrintsToTheDeviceNamedOnTheConsoleAndReturnsToTheScreen) {
    const std::string devicePrompt = "Graphics device/type";
    ASSERT_TRUE(driver_.key("p", [&] { return program_.waitForOutput(devicePrompt, {}); }))
        << program_.output();
    program_.writeInput("print.png/png\n");
    ASSERT_TRUE(program_.waitForOutput(devicePrompt, kProgramEnd, 2)) << program_.output();
    // White paper with black ink.
    const std::optional<Image> print = readPng("print.png");
    ASSERT_TRUE(print) << "print.png is no PNG file";
    EXPECT_EQ(print->at(0, 0), (Rgb{255, 255, 255}));
    const auto ink = std::count_if(print->pixels.begin(), print->pixels.end(),
                                   [](const Rgb& p) { return isGrey(p) && p.r < 128; });
    const auto paper = std::count(print->pixels.begin(), print->pixels.end(), Rgb{255, 255, 255});
    EXPECT_GT(ink, 1000);
    EXPECT_GT(paper, static_cast<long>(print->pixels.size()) * 8 / 10);

    // An empty answer opens the screen again, in a new window.
    program_.writeInput("\n");
    ASSERT_TRUE(driver_.findWindow()) << program_.output() << program_.errors();
    quit();
    const std::string output = program_.output();
    const std::size_t asked = output.find("Enter... \"Filename.ext/output-device\" in next line\n");
    const std::size_t done = output.find("Output is done. Just hit <Enter> to continue...\n");
    EXPECT_NE(asked, std::string::npos) << output;
    EXPECT_NE(done, std::string::npos) << output;
    EXPECT_LT(asked, done);
    EXPECT_EQ(output.find("PGPLOT initialization fail!!!"), std::string::npos) << output;
}

TEST(XrdpickWithoutDisplay, TheRunEndsWithTheInitializationFailureNamingDisplayAndStatusOne) {
    PatternDir patternDir;
    // No DISPLAY at all, as over ssh without X forwarding, and one where no server answers.
    const std::optional<std::string> displays[] = {std::nullopt, ":149.7"};
    for (const std::optional<std::string>& display : displays) {
        ChildProcess program(programOnPattern(), {{"DISPLAY", display}});
        EXPECT_EQ(program.waitForExit(kProgramEnd), 1);
        program.waitForOutputEnd(kProgramEnd);
        const std::string output = program.output();
        const std::string failure = std::string(kLoaded) + "PGPLOT initialization fail!!!\n";
        ASSERT_EQ(output.compare(0, failure.size(), failure), 0) << output;
        const std::string reason = output.substr(failure.size());
        EXPECT_NE(reason.find("DISPLAY"), std::string::npos) << reason;
        if (display) {
            EXPECT_NE(reason.find(*display), std::string::npos) << reason;
        }
        EXPECT_EQ(std::count(reason.begin(), reason.end(), '\n'), 1) << reason;
        EXPECT_EQ(reason.back(), '\n');
    }
}
