#include "view/scroll.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The pattern runs from 10 to 30 degrees with maxcts = 1000.
constexpr ScrollLimits kMoveAtLimit{10.0, 30.0, 1000.0, ScrollEdge::MoveAtLimit};
constexpr ScrollLimits kStayAtLimit{10.0, 30.0, 1000.0, ScrollEdge::StayAtLimit};

PlotWindow window(float xmin, float xmax, float ymin, float ymax) {
    PlotWindow win{xmin, xmax, ymin, ymax};
    win.updateSize();
    return win;
}

void expectWindow(const PlotWindow& win, float xmin, float xmax, float ymin, float ymax) {
    EXPECT_FLOAT_EQ(win.xmin, xmin);
    EXPECT_FLOAT_EQ(win.xmax, xmax);
    EXPECT_FLOAT_EQ(win.ymin, ymin);
    EXPECT_FLOAT_EQ(win.ymax, ymax);
    EXPECT_FLOAT_EQ(win.dx, xmax - xmin);
    EXPECT_FLOAT_EQ(win.dy, ymax - ymin);
}

}  // namespace

TEST(SideTest, CountsTheEdgesAsInsideTheBox) {
    const PlotWindow win = window(20, 24, 0, 100);
    EXPECT_FALSE(meetsSideTest(win, 22, 50));
    EXPECT_FALSE(meetsSideTest(win, 24, 50));
    EXPECT_FALSE(meetsSideTest(win, 22, 0));
    EXPECT_TRUE(meetsSideTest(win, 24.01f, 50));
    EXPECT_TRUE(meetsSideTest(win, 19.99f, 50));
    EXPECT_TRUE(meetsSideTest(win, 22, 100.5f));
    EXPECT_TRUE(meetsSideTest(win, 22, -0.5f));
}

TEST(StrictlyInside, ExcludesTheEdges) {
    const PlotWindow win = window(20, 24, 0, 100);
    EXPECT_TRUE(strictlyInside(win, 22, 50));
    EXPECT_FALSE(strictlyInside(win, 20, 50));
    EXPECT_FALSE(strictlyInside(win, 24, 50));
    EXPECT_FALSE(strictlyInside(win, 22, 0));
    EXPECT_FALSE(strictlyInside(win, 22, 100));
}

TEST(Scroll, MovesHalfAWindowTowardsEachSide) {
    for (const ScrollLimits& limits : {kMoveAtLimit, kStayAtLimit}) {
        PlotWindow right = window(20, 24, 0, 100);
        scrollWindow(right, 25, 50, limits);
        expectWindow(right, 22, 26, 0, 100);
        PlotWindow left = window(20, 24, 0, 100);
        scrollWindow(left, 19, 50, limits);
        expectWindow(left, 18, 22, 0, 100);
        PlotWindow up = window(20, 24, 0, 100);
        scrollWindow(up, 22, 101, limits);
        expectWindow(up, 20, 24, 50, 150);
        PlotWindow down = window(20, 24, 0, 100);
        scrollWindow(down, 22, -1, limits);
        expectWindow(down, 20, 24, -50, 50);
    }
}

TEST(Scroll, BeyondACornerMovesBothWays) {
    PlotWindow upRight = window(20, 24, 0, 100);
    scrollWindow(upRight, 25, 150, kMoveAtLimit);
    expectWindow(upRight, 22, 26, 50, 150);
    PlotWindow downLeft = window(20, 24, 0, 100);
    scrollWindow(downLeft, 19, -1, kStayAtLimit);
    expectWindow(downLeft, 18, 22, -50, 50);
}

TEST(Scroll, InsideTheBoxOrOnItsEdgeDoesNothing) {
    PlotWindow win = window(20, 24, 0, 100);
    scrollWindow(win, 24, 100, kMoveAtLimit);
    expectWindow(win, 20, 24, 0, 100);
}

// At each limit the window centre lies exactly on the last point (or the bottom exactly
// at maxcts, the top exactly at zero): the region-choice rule still moves there, the
// picking rule does not. Half a unit further, both refuse.
TEST(Scroll, RightStopsOnceTheCentrePassesTheLastPoint) {
    PlotWindow atLimit = window(28, 32, 0, 100);
    scrollWindow(atLimit, 33, 50, kMoveAtLimit);
    expectWindow(atLimit, 30, 34, 0, 100);
    atLimit = window(28, 32, 0, 100);
    scrollWindow(atLimit, 33, 50, kStayAtLimit);
    expectWindow(atLimit, 28, 32, 0, 100);
    for (const ScrollLimits& limits : {kMoveAtLimit, kStayAtLimit}) {
        PlotWindow beyond = window(28.5f, 32.5f, 0, 100);
        scrollWindow(beyond, 33, 50, limits);
        expectWindow(beyond, 28.5f, 32.5f, 0, 100);
    }
}

TEST(Scroll, LeftStopsOnceTheCentrePassesTheFirstPoint) {
    PlotWindow atLimit = window(8, 12, 0, 100);
    scrollWindow(atLimit, 7, 50, kMoveAtLimit);
    expectWindow(atLimit, 6, 10, 0, 100);
    atLimit = window(8, 12, 0, 100);
    scrollWindow(atLimit, 7, 50, kStayAtLimit);
    expectWindow(atLimit, 8, 12, 0, 100);
    for (const ScrollLimits& limits : {kMoveAtLimit, kStayAtLimit}) {
        PlotWindow beyond = window(7.5f, 11.5f, 0, 100);
        scrollWindow(beyond, 7, 50, limits);
        expectWindow(beyond, 7.5f, 11.5f, 0, 100);
    }
}

TEST(Scroll, UpStopsOnceTheBottomPassesMaxcts) {
    PlotWindow atLimit = window(20, 24, 1000, 1100);
    scrollWindow(atLimit, 22, 1200, kMoveAtLimit);
    expectWindow(atLimit, 20, 24, 1050, 1150);
    atLimit = window(20, 24, 1000, 1100);
    scrollWindow(atLimit, 22, 1200, kStayAtLimit);
    expectWindow(atLimit, 20, 24, 1000, 1100);
    for (const ScrollLimits& limits : {kMoveAtLimit, kStayAtLimit}) {
        PlotWindow beyond = window(20, 24, 1001, 1101);
        scrollWindow(beyond, 22, 1200, limits);
        expectWindow(beyond, 20, 24, 1001, 1101);
    }
}

TEST(Scroll, DownStopsOnceTheTopIsBelowZero) {
    PlotWindow atLimit = window(20, 24, -100, 0);
    scrollWindow(atLimit, 22, -200, kMoveAtLimit);
    expectWindow(atLimit, 20, 24, -150, -50);
    atLimit = window(20, 24, -100, 0);
    scrollWindow(atLimit, 22, -200, kStayAtLimit);
    expectWindow(atLimit, 20, 24, -100, 0);
    for (const ScrollLimits& limits : {kMoveAtLimit, kStayAtLimit}) {
        PlotWindow beyond = window(20, 24, -101, -1);
        scrollWindow(beyond, 22, -200, limits);
        expectWindow(beyond, 20, 24, -101, -1);
    }
}

TEST(Scroll, ARefusedSideDoesNotStopTheOther) {
    PlotWindow win = window(28.5f, 32.5f, 0, 100);
    scrollWindow(win, 33, 101, kMoveAtLimit);
    expectWindow(win, 28.5f, 32.5f, 50, 150);
}

TEST(PatternScrollLimits, RunFromTthminToTthmaxUpToMaxcts) {
    PatternStore pattern;
    pattern.tthmin = 5.0;
    pattern.tthmax = 85.0;
    const ScrollLimits limits = patternScrollLimits(pattern, 321.0f, ScrollEdge::StayAtLimit);
    EXPECT_DOUBLE_EQ(limits.tthFirst, 5.0);
    EXPECT_DOUBLE_EQ(limits.tthLast, 85.0);
    EXPECT_DOUBLE_EQ(limits.ctsTop, 321.0);
    EXPECT_EQ(limits.edge, ScrollEdge::StayAtLimit);
}

// Found by the random sessions: with decreasing angles tthmax is the lower end, and a zoomed
// window could move neither way. The limits run from the lower angle (here 10 to 30 degrees,
// read from 30 down).
TEST(PatternScrollLimits, OfDecreasingAnglesRunFromTheLowerAngle) {
    PatternStore pattern;
    pattern.tthmin = 30.0;
    pattern.tthstep = -0.02;
    pattern.tthmax = 10.0;
    const ScrollLimits limits = patternScrollLimits(pattern, 1000.0f, ScrollEdge::MoveAtLimit);
    EXPECT_DOUBLE_EQ(limits.tthFirst, 10.0);
    EXPECT_DOUBLE_EQ(limits.tthLast, 30.0);
    PlotWindow win = window(20, 24, 0, 100);
    scrollWindow(win, 25, 50, limits);
    expectWindow(win, 22, 26, 0, 100);
    scrollWindow(win, 21, 50, limits);
    expectWindow(win, 20, 24, 0, 100);
}

// Found by the random sessions: a window zoomed down to one float step, moved by half of it,
// rounded both bounds onto the same value and had no inside left.
TEST(Scroll, AWindowOneFloatStepHighKeepsItsInside) {
    const float ymin = std::nextafter(500.0f, 1000.0f);  // an odd last bit: rounds up
    const float ymax = std::nextafter(ymin, 1000.0f);
    PlotWindow win = window(20, 24, ymin, ymax);
    scrollWindow(win, 22, 600, kMoveAtLimit);
    EXPECT_LT(win.ymin, win.ymax);
    EXPECT_GT(win.dy, 0.0f);
}
