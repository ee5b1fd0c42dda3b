// The real program in a real giza window under Xvfb, its console fed through a pipe.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/process_state.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

// A small .xy pattern: 101 points from 10 to 30 degrees in steps of 0.2, one peak at 20
// degrees on a flat background, the standard deviations as counting statistics give them.
void writePattern(const std::string& path) {
    std::string text;
    for (int i = 0; i <= 100; ++i) {
        const double tth = 10.0 + 0.2 * i;
        const double cts = 100.0 + 900.0 * std::exp(-std::pow((tth - 20.0) / 0.5, 2));
        char line[64];
        std::snprintf(line, sizeof line, "%.4f %.2f %.3f\n", tth, cts, std::sqrt(cts));
        text += line;
    }
    writeFile(path, text);
}

const char* const kLoaded = "101 data points read.\n";

}  // namespace

TEST(XrdpickWindow, OpensItsWindowAndATypedQEndsTheRunWithStatusZero) {
    TempDir dir;
    writePattern("pattern.xy");
    XvfbDisplay display;
    XInput input(display.name());
    ChildProcess program(lineBuffered({XRDPICK_BINARY, "pattern.xy"}), display.environment());
    WindowDriver driver(program, input);

    ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();
    EXPECT_TRUE(driver.key("q", [&] { return program.hasExited(); }))
        << "q did not end the run; output so far:\n"
        << program.output();
    EXPECT_EQ(program.waitForExit(kProgramEnd), 0);
    program.waitForOutputEnd(kProgramEnd);
    EXPECT_EQ(program.output().find(kLoaded), 0u) << program.output();
    // Q after an .xy pattern writes nothing.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(XrdpickWindow, WithoutADisplayTheRunEndsWithTheInitializationFailureAndStatusOne) {
    TempDir dir;
    writePattern("pattern.xy");
    ChildProcess program(lineBuffered({XRDPICK_BINARY, "pattern.xy"}), {{"DISPLAY", std::nullopt}});
    EXPECT_EQ(program.waitForExit(kProgramEnd), 1);
    program.waitForOutputEnd(kProgramEnd);
    EXPECT_EQ(program.output(), std::string(kLoaded) + "PGPLOT initialization fail!!!\n");
}

TEST(XrdpickWindow, ARightClickIsNotTheQuitKey) {
    TempDir dir;
    writePattern("pattern.xy");
    XvfbDisplay display;
    XInput input(display.name());
    ChildProcess program(lineBuffered({XRDPICK_BINARY, "pattern.xy"}), display.environment());
    WindowDriver driver(program, input);
    ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();

    // At full scale with no points, a right click goes over to the peak side, which reads
    // the cursor again; read as 'X' it would end the run.
    const ScreenRect window = driver.window();
    ASSERT_TRUE(driver.click({window.x + window.width / 2, window.y + window.height / 2}, 3));
    EXPECT_TRUE(waitUntilReadingCursor(program.pid(), kCursorWait));
    EXPECT_FALSE(program.hasExited());

    EXPECT_TRUE(driver.key("q", [&] { return program.hasExited(); }));
    EXPECT_EQ(program.waitForExit(kProgramEnd), 0);
}

TEST(XrdpickWindow, KeyPPrintsToTheDeviceNamedOnTheConsoleAndReturnsToTheScreen) {
    TempDir dir;
    writePattern("pattern.xy");
    XvfbDisplay display;
    XInput input(display.name());
    ChildProcess program(lineBuffered({XRDPICK_BINARY, "pattern.xy"}), display.environment());
    WindowDriver driver(program, input);
    ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();

    const std::string devicePrompt = "Graphics device/type";
    ASSERT_TRUE(driver.key("p", [&] { return program.waitForOutput(devicePrompt, {}); }))
        << program.output();
    program.writeInput("print.png/png\n");
    ASSERT_TRUE(program.waitForOutput(devicePrompt, kProgramEnd, 2)) << program.output();
    EXPECT_TRUE(fileExists("print.png"));
    EXPECT_EQ(readFile("print.png").compare(0, 4, "\x89PNG"), 0);

    // An empty answer opens the screen again, in a new window.
    program.writeInput("\n");
    ASSERT_TRUE(driver.findWindow()) << program.output() << program.errors();
    EXPECT_TRUE(driver.key("q", [&] { return program.hasExited(); }));
    EXPECT_EQ(program.waitForExit(kProgramEnd), 0);
    program.waitForOutputEnd(kProgramEnd);
    const std::string output = program.output();
    const std::size_t asked = output.find("Enter... \"Filename.ext/output-device\" in next line\n");
    const std::size_t done = output.find("Output is done. Just hit <Enter> to continue...\n");
    EXPECT_NE(asked, std::string::npos) << output;
    EXPECT_NE(done, std::string::npos) << output;
    EXPECT_LT(asked, done);
    EXPECT_EQ(output.find("PGPLOT initialization fail!!!"), std::string::npos) << output;
}
