// Picking and deselecting the points of a fit, on the standard pattern (10 to 30 degrees in
// steps of 0.02, cts[i] = i) in a window 2 degrees wide: a pick is refused within 0.01
// degree of a selected point, a right click finds points within 0.006 degree.

#include "peaks/fit_pick.h"

#include <gtest/gtest.h>

#include "fit/click_index.h"
#include "view/run_state_fixture.h"

namespace {

class FitPickTest : public ::testing::Test, protected RunStateFixture {
  protected:
    FitSelection selection;
    const PatternStore& pattern = state->pattern;

    FitPickTest() { zoomTo(19, 21, 0, 1000); }

    FitMessage pick(float x, float y = 500) {
        return pickPoint(console, selection, pattern, state->view.win, x, y);
    }
    FitMessage deselect(float x) {
        return deselectPoint(console, selection, pattern, state->view.win, x);
    }
    std::vector<int> selected() const {
        return {selection.sel.begin(), selection.sel.begin() + selection.sellast + 1};
    }
};

}  // namespace

TEST_F(FitPickTest, AClickTakesThePointAtOrJustBelowIt) {
    EXPECT_EQ(clickIndex(pattern, 20.0f), 500);
    EXPECT_EQ(clickIndex(pattern, 20.019f), 500);
    EXPECT_EQ(clickIndex(pattern, 20.021f), 501);
    // 20.8f lies 0.0000008 degree below point 540: within 0.00005 of a step it counts as on it.
    EXPECT_EQ(clickIndex(pattern, 20.8f), 540);
    EXPECT_EQ(clickIndex(pattern, 20.7999f), 539);
}

TEST_F(FitPickTest, AClickBeyondThePatternTakesTheNearestEnd) {
    EXPECT_EQ(clickIndex(pattern, 9.0f), 0);
    EXPECT_EQ(clickIndex(pattern, 31.5f), 1000);
    // With angles that never advance every click still lands on a pattern point.
    state->pattern.tthstep = 0.0;
    EXPECT_EQ(clickIndex(pattern, 12.0f), 1000);
    EXPECT_EQ(clickIndex(pattern, 10.0f), 0);
    EXPECT_EQ(clickIndex(pattern, 8.0f), 0);
}

TEST_F(FitPickTest, NewEndsTurnTheOldEndsIntoPeaks) {
    pick(20.0f);
    pick(20.5f);
    pick(19.5f);  // before the first: the old first end is a peak now
    EXPECT_EQ(selected(), (std::vector<int>{475, 500, 525}));
    pick(20.8f);  // after the last: so is the old last end
    EXPECT_EQ(selected(), (std::vector<int>{475, 500, 525, 540}));
    pick(20.25f);  // between two peaks
    EXPECT_EQ(selected(), (std::vector<int>{475, 500, 512, 525, 540}));
    EXPECT_NE(transcript().find("ASFIT:Appending a bg point to last(4th) @ x:20.799999"),
              std::string::npos);
    EXPECT_NE(transcript().find("Inserting a peak point to 3th @ x:20.250000 , y:500.000000\n"),
              std::string::npos);
}

// In a window narrower than a hundred steps the too-close distance is less than a step:
// two picks within one step would otherwise select one point twice.
TEST_F(FitPickTest, APickOnAPointAlreadySelectedIsRefused) {
    zoomTo(19.9f, 20.1f, 0, 1000);  // 0.005 x dx = 0.001 degree
    pick(20.001f);
    EXPECT_EQ(pick(20.015f), FitMessage::FitTooClose);
    EXPECT_EQ(selected(), (std::vector<int>{500}));
}

// 0.003 x the window width is 0.006 degree here, less than the too-close distance.
TEST_F(FitPickTest, ADeselectFindsOnlyPointsWithinItsShorterDistance) {
    pick(19.5f);
    pick(20.0f);
    pick(20.5f);
    EXPECT_EQ(deselect(20.008f), FitMessage::FitNotFound);
    EXPECT_EQ(selection.sellast, 2);
    EXPECT_EQ(deselect(20.005f), FitMessage::FitHint);
    EXPECT_EQ(selected(), (std::vector<int>{475, 525}));
    EXPECT_NE(transcript().find("Deleting a point from 2th @ x:20.000000 , y:500.000000\n"),
              std::string::npos);
    EXPECT_EQ(selection.sel[2], 0);  // the vacated entry is cleared
}

TEST_F(FitPickTest, DeselectingAnEndMakesItsNeighbourTheEnd) {
    pick(19.5f);
    pick(20.0f);
    pick(20.5f);
    deselect(19.5f);
    EXPECT_EQ(selected(), (std::vector<int>{500, 525}));
}

TEST_F(FitPickTest, TwoPointsWithinReachRemoveTheFirstAndReportTheOther) {
    pick(20.0f);
    pick(20.12f);
    zoomTo(0, 40, 0, 1000);  // 0.003 x dx = 0.12 degree: both lie within reach of 20.06
    EXPECT_EQ(deselect(20.06f), FitMessage::FitHint);
    EXPECT_EQ(transcript().substr(transcript().find("ERROR")),
              "ERROR!!! THERE ARE POINTS TOO CLOSE!!!\n"
              "Deleting a point from 1th @ x:20.000000 , y:500.000000\n");
    EXPECT_EQ(selected(), (std::vector<int>{506}));
}

// Found by the random sessions: where the step does not match the angles (an .xy file whose
// first spacing differs from the rest, or one with decreasing angles), a click below a
// selected point could take a point above it and still be placed before it.
TEST_F(FitPickTest, APickIsPlacedByThePointItTakesNotByTheClick) {
    state->pattern.tthstep = 0.0199;             // the angles still advance by 0.02
    pick(19.975f);                               // point 501, at 20.02
    EXPECT_EQ(clickIndex(pattern, 20.0f), 502);  // at 20.04, above point 501
    pick(20.0f);
    EXPECT_EQ(selected(), (std::vector<int>{501, 502}));
}
