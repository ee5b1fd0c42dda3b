#include "background/pick.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console.h"

namespace {

// A window 100 degrees wide and 1000 units high: half a percent is 0.5 degree and 5 units,
// three tenths of a percent 0.3 degree and 3 units.
class PickTest : public ::testing::Test {
  protected:
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    PointList list;
    PlotWindow win{0, 100, 0, 1000};

    void SetUp() override { win.updateSize(); }
    void add(float tth, float cts) {
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = cts;
    }
};

}  // namespace

TEST_F(PickTest, IsRefusedWithinHalfAPercentOfTheWindowInBothDirections) {
    add(20, 500);
    add(60, 500);
    EXPECT_TRUE(tooCloseToPick(list, 60.25f, 497.5f, win));
    EXPECT_TRUE(tooCloseToPick(list, 19.75f, 502.5f, win));
}

TEST_F(PickTest, IsAllowedAtHalfAPercentOrFartherInEitherDirection) {
    add(20, 500);
    EXPECT_FALSE(tooCloseToPick(list, 20.5f, 500, win));  // exactly half a percent away
    EXPECT_FALSE(tooCloseToPick(list, 20, 505, win));
    EXPECT_FALSE(tooCloseToPick(list, 20.25f, 520, win));  // close in tth only
    EXPECT_FALSE(tooCloseToPick(list, 21, 501, win));      // close in intensity only
}

TEST_F(PickTest, DeselectRemovesThePointUnderTheCursor) {
    add(20, 500);
    add(40, 600);
    add(60, 700);
    EXPECT_TRUE(deselectPoint(console, list, 40.2f, 602, win));
    EXPECT_EQ(list.last, 1);
    EXPECT_FLOAT_EQ(list.x[1], 60);
    EXPECT_EQ(out.str(), "Deleting a bg point from 2th @ x:40.000000 , y:600.000000\n");
}

TEST_F(PickTest, DeselectFindsNothingAtThreeTenthsOfAPercent) {
    add(20, 500);
    EXPECT_FALSE(deselectPoint(console, list, 20.31f, 500, win));
    EXPECT_FALSE(deselectPoint(console, list, 20, 503.5f, win));
    EXPECT_EQ(list.last, 0);
    EXPECT_EQ(out.str(), "");
}

TEST_F(PickTest, DeselectWithTwoCandidatesRemovesTheFirstAndReportsTheOther) {
    add(20, 500);
    add(20.1f, 501);
    add(20.5f, 502);
    // Only the first two lie within 0.3 degree and 3 units of the click.
    EXPECT_TRUE(deselectPoint(console, list, 20.05f, 500.5f, win));
    EXPECT_EQ(list.last, 1);
    EXPECT_FLOAT_EQ(list.x[0], 20.1f);
    EXPECT_FLOAT_EQ(list.x[1], 20.5f);
    EXPECT_EQ(out.str(),
              "ERROR!!! THERE ARE POINTS TOO CLOSE!!!\n"
              "Deleting a bg point from 1th @ x:20.000000 , y:500.000000\n");
}
