#include "peaks/peak_roi_page.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

// The standard pattern has maxcts = 1000.
class PeakRoiPageTest : public ::testing::Test, protected RunStateFixture {
  protected:
    PeakRoiPage page{*state};
    ViewState& view = state->view;

    PeakRoiPageTest() {
        zoomTo(18, 22, 100, 500);
        view.maxcts = 1000.0f;
        view.corner1 = {19.0f, 200.0f};
        view.corner2 = {21.0f, 400.0f};
    }
    void useBox() { state->peaks.roiMethod = RoiMethod::Box; }
};

}  // namespace

TEST_F(PeakRoiPageTest, ATwoThetaRangeReadsBothCornersWithAVerticalLine) {
    EXPECT_EQ(page.firstCornerBand(), 6);
    EXPECT_EQ(page.secondCornerBand(), 6);
    useBox();
    EXPECT_EQ(page.firstCornerBand(), 0);
    EXPECT_EQ(page.secondCornerBand(), 2);
}

TEST_F(PeakRoiPageTest, TheFirstCornerOfARangeIsAVerticalLineWithItsPosition) {
    page.markFirstCorner();
    const float reach = 1000.0f + 1e10f * 1000.0f;
    ASSERT_EQ(gfx.count("move"), 1);
    EXPECT_EQ(gfx.lastNamed("move")->values, (std::vector<float>{19, -reach}));
    EXPECT_EQ(gfx.lastNamed("draw")->values, (std::vector<float>{19, reach}));
    EXPECT_EQ(gfx.lastNamed("draw")->colour, 6);
    EXPECT_EQ(gfx.lastNamed("pt1")->values, (std::vector<float>{19, 200, 2775}));
    EXPECT_EQ(gfx.lastNamed("ptxt")->text, "(19.0000, 200.0000)");
}

TEST_F(PeakRoiPageTest, TheFirstCornerOfABoxIsItsPositionOnly) {
    useBox();
    page.markFirstCorner();
    EXPECT_EQ(gfx.count("move"), 0);
    EXPECT_EQ(gfx.count("draw"), 0);
    EXPECT_EQ(gfx.lastNamed("pt1")->values, (std::vector<float>{19, 200, 2775}));
}

TEST_F(PeakRoiPageTest, ASelectedRangeAddsTheSecondLine) {
    page.markSelectedRoi();
    EXPECT_EQ(gfx.lastNamed("ptxt")->text, "(21.0000, 400.0000)");
    ASSERT_EQ(gfx.count("draw"), 1);
    EXPECT_EQ(gfx.lastNamed("draw")->values[0], 21);
    EXPECT_EQ(gfx.count("rect"), 0);
}

TEST_F(PeakRoiPageTest, ASelectedBoxIsOutlinedInTheMarkColour) {
    useBox();
    page.markSelectedRoi();
    EXPECT_EQ(gfx.count("draw"), 0);
    ASSERT_EQ(gfx.count("rect"), 1);
    EXPECT_EQ(gfx.lastNamed("rect")->values, (std::vector<float>{19, 21, 200, 400}));
    EXPECT_EQ(gfx.lastNamed("rect")->colour, 6);
}

TEST_F(PeakRoiPageTest, WithoutPositiveIntensityTheLineStillCrossesTheWindow) {
    view.maxcts = 0.0f;
    zoomTo(18, 22, -1100, 100);
    page.markFirstCorner();
    EXPECT_LT(gfx.lastNamed("move")->values[1], -1100.0f);
    EXPECT_GT(gfx.lastNamed("draw")->values[1], 100.0f);
}

TEST_F(PeakRoiPageTest, WithNoCornerBothCornersWaitAtTheWindowCentre) {
    page.startPage();
    EXPECT_EQ(view.corner1.x, 20.0f);
    EXPECT_EQ(view.corner1.y, 300.0f);
    EXPECT_EQ(view.corner2.x, 20.0f);
    EXPECT_EQ(view.corner2.y, 300.0f);
}

TEST_F(PeakRoiPageTest, AGivenCornerStaysWhereItWas) {
    view.roi = RoiState::OneCorner;
    page.startPage();
    EXPECT_EQ(view.corner1.x, 19.0f);
    view.roi = RoiState::RoiSelected;
    page.startPage();
    EXPECT_EQ(view.corner2.x, 21.0f);
}

TEST_F(PeakRoiPageTest, EmptyingTheListAlsoForgetsTheLatestWidths) {
    state->points.last = 0;
    state->points.x[0] = 20.0f;
    state->peaks.fitBlock[1] = 0.2;
    page.emptyList();
    EXPECT_FALSE(page.hasPoints());
    EXPECT_EQ(state->peaks.fitBlock[1], kUnset);
}
