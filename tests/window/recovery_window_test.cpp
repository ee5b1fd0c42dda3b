// The real program cut off in the middle of a session, with background points not yet
// saved: when its X server dies, and when it is told to end, it saves those points to a
// recovery file next to the data file and ends with status 1.

#include <gtest/gtest.h>
#include <signal.h>

#include <functional>
#include <string>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/window_driver.h"
#include "window/window_timeouts.h"
#include "window/x_input.h"
#include "window/xvfb_display.h"

namespace {

// Values that float holds exactly, so the file read back and written again is the same.
const std::string kPoints = "12.500000\t150.250000\t0.0\n20.750000\t600.500000\t0.0\n";

class RecoveryWindowTest : public ::testing::Test {
  protected:
    RecoveryWindowTest() {
        std::string pattern;
        for (int i = 0; i <= 500; ++i)
            pattern += std::to_string(10.0 + 0.04 * i) + " " + std::to_string(i) + " 1.0\n";
        writeFile("pattern.xy", pattern);
        writeFile("points.fbg", kPoints);
    }

    // Starts the program, loads the points into its background list (key L, then the file
    // name on the console) and cuts the run off; returns its exit status.
    int runAndCutOff(const std::function<void(ChildProcess&)>& cutOff) {
        ChildProcess program(lineBuffered({XRDPICK_BINARY, "pattern.xy"}), display.environment());
        WindowDriver driver(program, input);
        EXPECT_TRUE(driver.findWindow()) << program.output() << program.errors();
        EXPECT_TRUE(driver.key("l", [&] {
            return program.waitForOutput("FBG/GBG file name(blank to cancel)...? ", {});
        })) << program.output();
        program.writeInput("points.fbg\n");
        EXPECT_TRUE(program.waitForOutput(" bg point ", kReaction, 2)) << program.output();
        cutOff(program);
        const std::optional<int> status = program.waitForExit(kProgramEnd);
        program.waitForOutputEnd(kProgramEnd);
        errors = program.errors();
        return status.value_or(-1);
    }

    TempDir dir;
    XvfbDisplay display;
    XInput input{display.name()};
    std::string errors;
};

}  // namespace

TEST_F(RecoveryWindowTest, TheDeathOfTheXServerLeavesTheUnsavedPointsInARecoveryFile) {
    EXPECT_EQ(runAndCutOff([&](ChildProcess&) { display.kill(); }), 1);
    EXPECT_EQ(errors,
              "xrdpick: the connection to the display is lost; unsaved work saved in "
              "pattern.fbg.recovered\n");
    EXPECT_EQ(readFile("pattern.fbg.recovered"), kPoints);
    EXPECT_FALSE(fileExists("pattern.fbg"));
}

TEST_F(RecoveryWindowTest, SigtermLeavesTheUnsavedPointsInARecoveryFile) {
    EXPECT_EQ(runAndCutOff([](ChildProcess& program) { kill(program.pid(), SIGTERM); }), 1);
    EXPECT_EQ(errors,
              "xrdpick: terminated (SIGTERM); unsaved work saved in pattern.fbg.recovered\n");
    EXPECT_EQ(readFile("pattern.fbg.recovered"), kPoints);
}
