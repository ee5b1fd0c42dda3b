// What a command prints reaches the user before the program waits for the next click: the
// console is flushed before every cursor read of the background modes, so that a console
// behind a pipe shows it too.

#include <gtest/gtest.h>

#include <istream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "background/background_side.h"
#include "console/console.h"
#include "driver/run_state.h"
#include "support/scripted_graphics.h"
#include "view/run_state_fixture.h"

namespace {

// Holds what is written until it is flushed, as a pipe's buffer does.
class PipeBuffer : public std::streambuf {
  public:
    std::string published;

  protected:
    int overflow(int ch) override {
        if (ch != traits_type::eof()) pending_.push_back(static_cast<char>(ch));
        return ch;
    }
    int sync() override {
        published += pending_;
        pending_.clear();
        return 0;
    }

  private:
    std::string pending_;
};

// Notes, at every cursor read, what the user has been shown on the console so far.
class WatchingGraphics : public ScriptedGraphics {
  public:
    explicit WatchingGraphics(const PipeBuffer& pipe) : pipe_(pipe) {}
    std::vector<std::string> shownAtRead;

    int band(int mode, int posn, float xref, float yref, float* x, float* y, char* ch) override {
        shownAtRead.push_back(pipe_.published);
        return ScriptedGraphics::band(mode, posn, xref, yref, x, y, ch);
    }

  private:
    const PipeBuffer& pipe_;
};

}  // namespace

TEST(ConsoleFlush, APickIsShownBeforeTheNextClickIsAwaited) {
    PipeBuffer pipe;
    std::ostream out(&pipe);
    std::istringstream in;
    Console console(in, out);
    WatchingGraphics gfx(pipe);
    RunState state(console, gfx);
    fillPattern(state.pattern, 10.0, 0.02, 1001, [](int i) { return float(i); });
    state.dataFile = {"quartz.xy", 'x'};

    gfx.push(18, 200, 'A');
    gfx.push(22, 600, 'A');
    gfx.push(20, 400, 'D');  // picking in the region
    gfx.push(20, 300, 'A');  // the pick
    gfx.push(21, 300, 'b');  // back to the region choice
    gfx.push(20, 300, 'q');
    EXPECT_EQ(runBackgroundSide(state).exit, SideExit::Quit);

    const std::string pick = "BG:Appending a bg point to last(1th) @ x:20.000000 , y:300.000000\n";
    ASSERT_EQ(gfx.shownAtRead.size(), 6u);
    EXPECT_EQ(gfx.shownAtRead[3], "");
    EXPECT_EQ(gfx.shownAtRead[4], pick);  // picking mode
    EXPECT_EQ(gfx.shownAtRead[5], pick);  // region choice
}
