#include "peaks/peak_roi_mode.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

// The mode on its own, entered as the driver enters the side, with a scripted cursor. The
// standard pattern's full scale is 7 to 33 by -100 to 1100; from 18.01 to 22.01 the
// largest intensity is 600.
class PeakRoiModeTest : public ::testing::Test, protected RunStateFixture {
  protected:
    ViewState& view = state->view;
    PointList& list = state->points;
    FitBlock& block = state->peaks.fitBlock;

    PeakRoiModeTest() {
        view.flag = ViewFlag::FullScaleReset;
        view.roi = RoiState::NoCorner;
    }
    void key(char ch) { gfx.push(20, 500, ch); }
    void click(float x, float y) { gfx.push(x, y, 'A'); }
    void rightClick(float x, float y) { gfx.push(x, y, 'D'); }
    // Two positions from the latest fit, with their widths, in a kept window.
    void storeFittedPeaks() {
        zoomTo(7, 33, -100, 1100);
        list.last = 1;
        list.x[0] = 19.0f;
        list.y[0] = 400.0f;
        list.x[1] = 21.0f;
        list.y[1] = 600.0f;
        block[0] = 100.0;
        block[1] = 0.1;
        block[2] = 0.2;
    }
    int drawn(int symbol) const {
        int count = 0;
        for (const GraphicsCall* call : gfx.named("pt1"))
            if (call->values[2] == symbol) ++count;
        return count;
    }
    std::vector<float> window() const {
        return {view.win.xmin, view.win.xmax, view.win.ymin, view.win.ymax};
    }
};

}  // namespace

TEST_F(PeakRoiModeTest, EnteringAfreshEmptiesTheListAndTheFitBlock) {
    storeFittedPeaks();
    view.flag = ViewFlag::FullScaleReset;
    key('q');
    EXPECT_EQ(runPeakRoiMode(*state).exit, PeakRoiExit::Quit);
    EXPECT_EQ(list.last, -1);
    for (double entry : block) EXPECT_EQ(entry, kUnset);
    EXPECT_EQ(drawn(31), 0);
}

TEST_F(PeakRoiModeTest, LowerCaseVPutsWorBackSoThatTheNextFitAsks) {
    state->peaks.wor = 0.25f;
    key('V');
    key('q');
    runPeakRoiMode(*state);
    EXPECT_EQ(state->peaks.wor, 0.25f);
    key('v');
    key('Q');
    const PeakRoiOutcome outcome = runPeakRoiMode(*state);
    EXPECT_EQ(state->peaks.wor, 100.0f);
    EXPECT_EQ(outcome.key, 'Q');
    EXPECT_EQ(transcript(), "W/R is reset\n");
}

TEST_F(PeakRoiModeTest, THidesThePositionsAndTheirArrowsAndShowsThemAgain) {
    storeFittedPeaks();
    key('t');
    key('q');
    runPeakRoiMode(*state);
    EXPECT_EQ(drawn(31), 2);  // the first page only
    EXPECT_EQ(drawn(28), 2);
    EXPECT_EQ(drawn(29), 2);
    EXPECT_EQ(view.flag, ViewFlag::KeepHidden);
    gfx.clearCalls();
    key('t');
    key('q');
    runPeakRoiMode(*state);
    EXPECT_EQ(drawn(31), 2);  // hidden on the first page, shown on the second
    EXPECT_EQ(drawn(28), 2);
}

TEST_F(PeakRoiModeTest, DeletingAPositionLeavesTheWidthsToTheEntriesThenLast) {
    storeFittedPeaks();
    rightClick(21.0f, 500);  // near the second position
    key('y');
    key('q');
    runPeakRoiMode(*state);
    EXPECT_EQ(list.last, 0);
    EXPECT_EQ(block[2], 0.2);
    // The later page pairs the last width with the remaining entry and draws no other.
    const GraphicsCall* arrow = gfx.lastNamed("pt1");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->values, (std::vector<float>{19.1f, 250.0f, 28}));
    EXPECT_EQ(drawn(29), 3);
}

TEST_F(PeakRoiModeTest, ARightClickOnASelectedRangeZoomsForFitting) {
    click(22.01f, 300);
    click(18.01f, 900);
    rightClick(20, 400);
    const PeakRoiOutcome outcome = runPeakRoiMode(*state);
    EXPECT_EQ(outcome.exit, PeakRoiExit::ToFitting);
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, -60, 780}));
    EXPECT_EQ(view.roi, RoiState::NoCorner);
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(PeakRoiModeTest, ARightClickOnASelectedBoxKeepsItsUpperEdgeForFitting) {
    key('c');
    click(18.01f, 300);
    click(22.01f, 200);
    rightClick(20, 250);
    EXPECT_EQ(runPeakRoiMode(*state).exit, PeakRoiExit::ToFitting);
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, -30, 300}));
    EXPECT_EQ(state->peaks.roiMethod, RoiMethod::Box);  // kept for the next region
}

TEST_F(PeakRoiModeTest, ABoxBelowZeroIsDroppedInsteadOfFitted) {
    key('c');
    click(18.01f, -50);
    click(22.01f, -20);
    rightClick(20, -30);  // refused: a new page without the region
    key('q');
    EXPECT_EQ(runPeakRoiMode(*state).exit, PeakRoiExit::Quit);
    EXPECT_EQ(window(), (std::vector<float>{7, 33, -100, 1100}));
    EXPECT_EQ(view.roi, RoiState::NoCorner);
}

TEST_F(PeakRoiModeTest, ARangeWithoutWidthIsDroppedInsteadOfZoomed) {
    click(20.01f, 300);
    click(20.01f, 700);
    click(20.01f, 500);  // zoom refused: a new page without the region
    key('q');
    EXPECT_EQ(runPeakRoiMode(*state).exit, PeakRoiExit::Quit);
    EXPECT_EQ(window(), (std::vector<float>{7, 33, -100, 1100}));
    EXPECT_EQ(gfx.count("env"), 2);
}

TEST_F(PeakRoiModeTest, CancellingAtFullScaleWithAnEmptyListGoesToTheBackgroundSide) {
    key('b');
    EXPECT_EQ(runPeakRoiMode(*state).exit, PeakRoiExit::ToBackground);
}

TEST_F(PeakRoiModeTest, LosingTheCursorEndsTheModeInsteadOfWaiting) {
    class NoCursor : public ScriptedGraphics {
      public:
        int band(int, int, float, float, float*, float*, char*) override { return 0; }
    } device;
    RunState lost(console, device);
    lost.pattern = state->pattern;
    EXPECT_EQ(runPeakRoiMode(lost).exit, PeakRoiExit::DeviceFailed);
    EXPECT_NE(transcript().find("gives no cursor input"), std::string::npos);
}
