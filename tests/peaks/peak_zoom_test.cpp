#include "peaks/peak_zoom.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

// The standard pattern (cts[i] = i, 0.02 degree steps from 10): from 18.01 to 22.01 the
// largest intensity is that of point 600, 600.
class PeakZoomTest : public ::testing::Test, protected RunStateFixture {
  protected:
    ViewState& view = state->view;

    PeakZoomTest() { zoomTo(7, 33, -100, 1100); }

    void corners(RoiMethod method, float x1, float y1, float x2, float y2) {
        state->peaks.roiMethod = method;
        view.corner1 = {x1, y1};
        view.corner2 = {x2, y2};
        view.flag = ViewFlag::FullScale;
    }
    std::vector<float> window() const {
        return {view.win.xmin, view.win.xmax, view.win.ymin, view.win.ymax};
    }
};

}  // namespace

TEST_F(PeakZoomTest, ATwoThetaRangeIsAutoscaledToElevenTenthsOfItsLargestIntensity) {
    corners(RoiMethod::XRange, 22.01f, 700, 18.01f, 300);
    ASSERT_TRUE(zoomToPeakRoi(*state));
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, -60, 660}));
    EXPECT_FLOAT_EQ(view.win.dx, 4.0f);
    EXPECT_FLOAT_EQ(view.win.dy, 720.0f);
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(PeakZoomTest, ABoxKeepsBothRangesInEitherCornerOrder) {
    corners(RoiMethod::Box, 22.01f, 700, 18.01f, 300);
    ASSERT_TRUE(zoomToPeakRoi(*state));
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, 300, 700}));
    corners(RoiMethod::Box, 18.01f, 700, 22.01f, 300);
    ASSERT_TRUE(zoomToPeakRoi(*state));
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, 300, 700}));
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(PeakZoomTest, FittingATwoThetaRangeLeavesThirteenTenthsOfItsLargestIntensity) {
    corners(RoiMethod::XRange, 18.01f, 300, 22.01f, 300);
    ASSERT_TRUE(zoomForFitting(*state));
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, -60, 780}));
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(PeakZoomTest, FittingABoxKeepsItsUpperEdgeAndPutsTheLowerBelowZero) {
    corners(RoiMethod::Box, 22.01f, 300, 18.01f, 450);
    ASSERT_TRUE(zoomForFitting(*state));
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, -45, 450}));
    EXPECT_FLOAT_EQ(view.win.dy, 495.0f);
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(PeakZoomTest, ARegionWithoutWidthIsRefused) {
    for (RoiMethod method : {RoiMethod::XRange, RoiMethod::Box}) {
        corners(method, 20, 300, 20, 700);
        EXPECT_FALSE(zoomToPeakRoi(*state));
        EXPECT_FALSE(zoomForFitting(*state));
        EXPECT_EQ(window(), (std::vector<float>{7, 33, -100, 1100}));
        EXPECT_EQ(view.flag, ViewFlag::FullScale);
    }
}

TEST_F(PeakZoomTest, ABoxWithoutHeightIsRefusedForZoomingButNotForATwoThetaRange) {
    corners(RoiMethod::Box, 18.01f, 300, 22.01f, 300);
    EXPECT_FALSE(zoomToPeakRoi(*state));
    corners(RoiMethod::XRange, 18.01f, 300, 22.01f, 300);
    EXPECT_TRUE(zoomToPeakRoi(*state));
}

TEST_F(PeakZoomTest, ABoxWhollyBelowZeroCannotBeFitted) {
    corners(RoiMethod::Box, 18.01f, -50, 22.01f, -10);
    EXPECT_FALSE(zoomForFitting(*state));
    corners(RoiMethod::Box, 18.01f, -50, 22.01f, 0);
    EXPECT_FALSE(zoomForFitting(*state));
    EXPECT_EQ(window(), (std::vector<float>{7, 33, -100, 1100}));
    corners(RoiMethod::Box, 18.01f, -50, 22.01f, 10);  // only the upper edge counts
    EXPECT_TRUE(zoomForFitting(*state));
    EXPECT_EQ(window(), (std::vector<float>{18.01f, 22.01f, -1, 10}));
}
