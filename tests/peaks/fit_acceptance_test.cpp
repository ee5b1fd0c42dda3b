// What an accepted fit leaves in the peak list and the FitBlock.

#include "peaks/fit_acceptance.h"

#include <gtest/gtest.h>

#include <sstream>

#include "console/console.h"

namespace {

class FitAcceptanceTest : public ::testing::Test {
  protected:
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    PointList list;
    FitBlock block;
    FitResult result;

    FitAcceptanceTest() {
        block.fill(kUnset);
        block[0] = 150.0;
        result.calc = {100, 300, 200};
        result.peakCount = 3;
        result.peaks[0] = {20.01, 5.0, 0.11, 0};
        result.peaks[1] = {20.03, 6.0, 0.12, 1};
        result.peaks[2] = {20.05, 7.0, 0.13, 2};
    }
    void fillList(int last) {
        for (int i = 0; i <= last; ++i) {
            list.x[i] = 10.0f + i;
            list.y[i] = 1.0f;
        }
        list.last = last;
    }
};

}  // namespace

TEST_F(FitAcceptanceTest, ThePeaksFollowTheLastEntryWithTheirCalculatedHeights) {
    fillList(4);
    storeAcceptedPeaks(console, list, block, result);
    ASSERT_EQ(list.last, 7);
    EXPECT_EQ(list.x[4], 14.0f);
    EXPECT_EQ(list.x[5], 20.01f);
    EXPECT_EQ(list.x[7], 20.05f);
    EXPECT_EQ(list.y[5], 100.0f);
    EXPECT_EQ(list.y[6], 300.0f);
    EXPECT_EQ(list.y[7], 200.0f);
    EXPECT_EQ(block[0], 150.0);
    EXPECT_EQ(block[1], 0.11);
    EXPECT_EQ(block[3], 0.13);
    EXPECT_EQ(block[4], kUnset);
    EXPECT_EQ(out.str(), "");
}

// 198 entries: room for two of the three; the third width stays out of the FitBlock too,
// so the arrows pair the kept widths with the kept entries.
TEST_F(FitAcceptanceTest, AFullListKeepsWhatFitsAndSaysHowManyPositionsWereNotKept) {
    fillList(197);
    storeAcceptedPeaks(console, list, block, result);
    EXPECT_EQ(list.last, 199);
    EXPECT_EQ(list.x[199], 20.03f);
    EXPECT_EQ(block[2], 0.12);
    EXPECT_EQ(block[3], kUnset);
    EXPECT_EQ(out.str(), "The peak list is full: 1 fitted position(s) not kept.\n");

    storeAcceptedPeaks(console, list, block, result);
    EXPECT_EQ(list.last, 199);
    EXPECT_EQ(list.x[199], 20.03f);
    EXPECT_EQ(block[1], 0.11);  // from before: nothing was kept this time
    EXPECT_NE(out.str().find("The peak list is full: 3 fitted position(s) not kept.\n"),
              std::string::npos);
}
