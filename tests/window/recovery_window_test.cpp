// The real program cut off in the middle of a session, with background points not yet
// saved: when its X server dies, when a write finds the connection closed, when another
// client destroys its window, and when it is told to end, it saves those points to a
// recovery file next to the data file and ends with status 1.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "support/temp_dir.h"
#include "window/child_process.h"
#include "window/display_relay.h"
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

    enum class CutOffAt {
        Cursor,  // once the points are loaded and the program waits for the cursor
        Prompt,  // while the program asks for the points file, before it loads it
    };

    // Starts the program on `screen`, loads the points into its background list (key L,
    // then the file name on the console) and cuts the run off; returns its exit status.
    int runAndCutOff(const EnvironmentChanges& screen, CutOffAt at,
                     const std::function<void(ChildProcess&, WindowDriver&)>& cutOff) {
        ChildProcess program(lineBuffered({XRDPICK_BINARY, "pattern.xy"}), screen);
        WindowDriver driver(program, input);
        EXPECT_TRUE(driver.findWindow()) << program.output() << program.errors();
        EXPECT_TRUE(driver.key("l", [&] {
            return program.waitForOutput("FBG/GBG file name(blank to cancel)...? ", {});
        })) << program.output();
        if (at == CutOffAt::Prompt) cutOff(program, driver);
        program.writeInput("points.fbg\n");
        EXPECT_TRUE(program.waitForOutput(" bg point ", kReaction, 2)) << program.output();
        if (at == CutOffAt::Cursor) cutOff(program, driver);
        const std::optional<int> status = program.waitForExit(kProgramEnd);
        program.waitForOutputEnd(kProgramEnd);
        errors = program.errors();
        return status.value_or(-1);
    }
    int runAndCutOff(const std::function<void(ChildProcess&, WindowDriver&)>& cutOff) {
        return runAndCutOff(display.environment(), CutOffAt::Cursor, cutOff);
    }

    TempDir dir;
    XvfbDisplay display;
    XInput input{display.name()};
    std::string errors;
};

}  // namespace

TEST_F(RecoveryWindowTest, TheDeathOfTheXServerLeavesTheUnsavedPointsInARecoveryFile) {
    EXPECT_EQ(runAndCutOff([&](ChildProcess&, WindowDriver&) { display.kill(); }), 1);
    EXPECT_EQ(errors,
              "xrdpick: the connection to the display is lost; unsaved work saved in "
              "pattern.fbg.recovered\n");
    EXPECT_EQ(readFile("pattern.fbg.recovered"), kPoints);
    EXPECT_FALSE(fileExists("pattern.fbg"));
}

TEST_F(RecoveryWindowTest, SigtermLeavesTheUnsavedPointsInARecoveryFile) {
    EXPECT_EQ(
        runAndCutOff([](ChildProcess& program, WindowDriver&) { kill(program.pid(), SIGTERM); }),
        1);
    EXPECT_EQ(errors,
              "xrdpick: terminated (SIGTERM); unsaved work saved in pattern.fbg.recovered\n");
    EXPECT_EQ(readFile("pattern.fbg.recovered"), kPoints);
}

// A server that dies while the program writes to it: the write fails (the program would die
// of SIGPIPE) before any read could see the connection closed.
TEST_F(RecoveryWindowTest, AWriteToALostDisplayLeavesTheUnsavedPointsInARecoveryFile) {
    DisplayRelay relay(display.name());
    const auto clickAfterTheLoss = [&](ChildProcess& program, WindowDriver& driver) {
        relay.refuseWrites();
        const ScreenRect& window = driver.window();
        const ScreenPoint centre{window.x + window.width / 2, window.y + window.height / 2};
        EXPECT_TRUE(driver.click(centre, 1, [&] { return program.hasExited(); }));
    };
    EXPECT_EQ(runAndCutOff(relay.environment(), CutOffAt::Cursor, clickAfterTheLoss), 1);
    EXPECT_EQ(errors,
              "xrdpick: the connection to the display is lost; unsaved work saved in "
              "pattern.fbg.recovered\n");
    EXPECT_EQ(readFile("pattern.fbg.recovered"), kPoints);
}

// giza's own X error handler only prints the error: the program would wait forever for a
// cursor on a window that is gone.
TEST_F(RecoveryWindowTest, AWindowDestroyedByAnotherClientLeavesTheUnsavedPointsInARecoveryFile) {
    const auto destroy = [&](ChildProcess&, WindowDriver&) {
        const std::optional<std::string> window = input.waitForWindow("giza");
        ASSERT_TRUE(window);
        input.destroyWindow(*window);
    };
    EXPECT_EQ(runAndCutOff(display.environment(), CutOffAt::Prompt, destroy), 1);
    EXPECT_EQ(errors,
              "xrdpick: the display refused a request; unsaved work saved in "
              "pattern.fbg.recovered\n");
    EXPECT_EQ(readFile("pattern.fbg.recovered"), kPoints);
}

// `xrdpick ... | head`: a standard output closed early must not end the program.
TEST(ClosedOutputTest, AClosedStandardOutputDoesNotEndTheProgram) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGPIPE, SIG_DFL);
        dup2(fds[1], STDOUT_FILENO);
        execl(XRDPICK_BINARY, XRDPICK_BINARY, "--help", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
