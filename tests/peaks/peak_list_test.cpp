#include "peaks/peak_list.h"

#include <gtest/gtest.h>

#include "peaks/peak_state.h"
#include "points/point_list.h"
#include "view/view_state.h"

namespace {

class PeakListTest : public ::testing::Test {
  protected:
    PointList list;

    void add(float tth, float cts) {
        ++list.last;
        list.x[list.last] = tth;
        list.y[list.last] = cts;
    }
    std::vector<float> tths() const {
        return std::vector<float>(list.x.begin(), list.x.begin() + list.last + 1);
    }
    // A window 10 degrees wide: entries within 0.03 degree are near.
    static PlotWindow window() {
        PlotWindow win{15, 25, 0, 1000};
        win.updateSize();
        return win;
    }
};

}  // namespace

TEST_F(PeakListTest, EmptyingClearsTheListAndTheFitBlock) {
    PeakSideState peaks;
    add(20, 300);
    peaks.fitBlock[0] = 100.0;
    peaks.fitBlock[1] = 0.2;
    emptyPeakList(list, peaks);
    EXPECT_EQ(list.last, -1);
    EXPECT_EQ(list.x[0], kUnset);
    EXPECT_EQ(list.y[0], kUnset);
    for (double entry : peaks.fitBlock) EXPECT_EQ(entry, kUnset);
}

TEST_F(PeakListTest, TheFirstEntryWithinReachIsFoundWhateverItsHeight) {
    add(20.02f, 900);
    add(20.0f, 100);
    add(21.0f, 500);
    EXPECT_EQ(peakNear(list, 20.01f, window()), 0);
    EXPECT_EQ(peakNear(list, 19.98f, window()), 1);
    EXPECT_EQ(peakNear(list, 20.98f, window()), 2);
    EXPECT_EQ(peakNear(list, 20.5f, window()), -1);
}

TEST_F(PeakListTest, TheReachFollowsTheWindowWidth) {
    add(20.0f, 100);
    PlotWindow wide{0, 100, 0, 1000};
    wide.updateSize();
    EXPECT_EQ(peakNear(list, 20.25f, window()), -1);
    EXPECT_EQ(peakNear(list, 20.25f, wide), 0);
}

TEST_F(PeakListTest, AnEmptyListHasNothingNear) {
    list.x[0] = 20.0f;  // a stale value beyond the end does not count
    EXPECT_EQ(peakNear(list, 20.0f, window()), -1);
}

TEST_F(PeakListTest, RemovingMovesTheLaterEntriesDown) {
    add(19, 100);
    add(20, 200);
    add(21, 300);
    removePeak(list, 1);
    EXPECT_EQ(tths(), (std::vector<float>{19, 21}));
    EXPECT_EQ(list.y[1], 300);
    EXPECT_EQ(list.x[2], kUnset);
    removePeak(list, 1);
    EXPECT_EQ(tths(), (std::vector<float>{19}));
    removePeak(list, 0);
    EXPECT_EQ(list.last, -1);
    EXPECT_EQ(list.x[0], kUnset);
}

TEST_F(PeakListTest, RemovingAnEntryThatDoesNotExistChangesNothing) {
    add(19, 100);
    removePeak(list, 1);
    removePeak(list, -1);
    EXPECT_EQ(tths(), (std::vector<float>{19}));
}

TEST_F(PeakListTest, AFullListCanLoseItsLastEntry) {
    for (int i = 0; i < kPointListCapacity; ++i) add(10.0f + i, 100);
    removePeak(list, 0);
    EXPECT_EQ(list.last, kPointListCapacity - 2);
    EXPECT_EQ(list.x[0], 11.0f);
    EXPECT_EQ(list.x[kPointListCapacity - 1], kUnset);
}
