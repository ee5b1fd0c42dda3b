// The fitting mode's console behind a buffer, and when the device stops giving cursor
// input: the run must end instead of waiting on a cursor that never answers.

#include "peaks/fitting_mode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "driver/run_state.h"
#include "fit_patterns.h"
#include "support/temp_dir.h"
#include "view/run_state_fixture.h"

namespace {

// Answers the scripted events, then reports no cursor input, as a file device would.
class CursorLosingGraphics : public ScriptedGraphics {
  public:
    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override {
        if (events.empty()) return 0;
        return ScriptedGraphics::band(mode, posn, xref, yref, x, y, ch);
    }
};

class FittingModeDeviceTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::istringstream in{"0\nrun.fit\n"};
    std::ostringstream out;
    Console console{in, out};
    CursorLosingGraphics gfx;
    std::unique_ptr<RunState> state = std::make_unique<RunState>(console, gfx);

    FittingModeDeviceTest() {
        fillPattern(state->pattern, 10.0, 0.02, 1001, [](int i) {
            return gaussianCounts(10.0 + 0.02 * i, 100.0, {{20.0, 1000.0, 0.1}});
        });
        PlotWindow& win = state->view.win;
        win = {19, 21, -110, 1430};
        win.updateSize();
        state->view.maxcts = 1100.0f;
        state->view.flag = ViewFlag::KeepShown;
    }
    void pickAroundThePeak() {
        for (float x : {19.5f, 20.5f, 20.0f}) gfx.push(x, 500, 'A');
    }
};

const char* const kLost = "The graphics device gives no cursor input: the run ends.\n";

}  // namespace

TEST_F(FittingModeDeviceTest, ALostCursorEndsTheRun) {
    EXPECT_EQ(runFittingMode(*state).exit, FittingExit::DeviceFailed);
    EXPECT_EQ(out.str(), kLost);
}

TEST_F(FittingModeDeviceTest, ACursorLostOnTheEvaluationPageEndsTheRun) {
    pickAroundThePeak();
    gfx.push(20, 500, 'F');
    EXPECT_EQ(runFittingMode(*state).exit, FittingExit::DeviceFailed);
    EXPECT_NE(out.str().find(std::string("Error in ASFIT... returning = -5\n") + kLost),
              std::string::npos);
    EXPECT_EQ(state->points.last, -1);
}

TEST_F(FittingModeDeviceTest, ACursorLostDuringAnEvaluationZoomEndsTheRun) {
    pickAroundThePeak();
    gfx.push(20, 500, 'F');
    gfx.push(19.5f, 200, 'w');
    EXPECT_EQ(runFittingMode(*state).exit, FittingExit::DeviceFailed);
    EXPECT_NE(out.str().find("returning = -5\n"), std::string::npos);
}

namespace {

// Notes at every cursor read what the console file holds, that is, what has been flushed.
class ConsoleWatchingGraphics : public ScriptedGraphics {
  public:
    std::vector<std::string> shown;

    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override {
        shown.push_back(readFile("console.txt"));
        return ScriptedGraphics::band(mode, posn, xref, yref, x, y, ch);
    }
};

}  // namespace

// A file stream holds short lines until flushed, as a pipe does.
TEST(FittingModeConsoleTest, APicksLineIsShownBeforeTheNextCursorRead) {
    TempDir dir;
    std::istringstream in;
    std::ofstream out("console.txt");
    Console console(in, out);
    ConsoleWatchingGraphics gfx;
    const auto state = std::make_unique<RunState>(console, gfx);
    fillPattern(state->pattern, 10.0, 0.02, 1001, [](int i) { return float(i); });
    state->view.win = {19, 21, 0, 1000};
    state->view.win.updateSize();
    gfx.push(20.0f, 500, 'A');
    gfx.push(20.5f, 500, 'A');
    gfx.push(20.5f, 500, 'q');
    runFittingMode(*state);
    ASSERT_EQ(gfx.shown.size(), 3u);
    EXPECT_EQ(gfx.shown[2],
              "ASFIT:Appending a bg point to last(2th) @ x:20.500000 , y:500.000000\n");
}
