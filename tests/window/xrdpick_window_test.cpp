// The real program in a real giza window under Xvfb, its console fed through a pipe.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/process_state.h"
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
    EXPECT_TRUE(fileExists("print.png"));
    EXPECT_EQ(readFile("print.png").compare(0, 4, "\x89PNG"), 0);

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

TEST(XrdpickWithoutDisplay, TheRunEndsWithTheInitializationFailureAndStatusOne) {
    PatternDir patternDir;
    ChildProcess program(programOnPattern(), {{"DISPLAY", std::nullopt}});
    EXPECT_EQ(program.waitForExit(kProgramEnd), 1);
    program.waitForOutputEnd(kProgramEnd);
    EXPECT_EQ(program.output(), std::string(kLoaded) + "PGPLOT initialization fail!!!\n");
}
