#include "view/roi_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "run_state_fixture.h"
#include "view/cursor.h"
#include "view/marks.h"

namespace {

// A region-choice mode that draws one marker per point and records what the cycle asks.
class FakeMode : public RoiMode {
  public:
    explicit FakeMode(RunState& state) : state_(state) {}

    int emptied = 0;
    int overlays = 0;
    int firstMarks = 0;
    int selectionMarks = 0;

    void emptyList() override {
        ++emptied;
        state_.points.empty();
    }
    bool hasPoints() const override { return state_.points.last >= 0; }
    TextLines instructionLines() const override { return {{"line 0", "line 1"}, 2}; }
    TextLines selectedRoiLines() const override { return {{"selected 0"}, 1}; }
    void drawOverlay() override {
        ++overlays;
        state_.gfx.pt1(state_.points.x[0], state_.points.y[0], 8);
    }
    int firstCornerBand() const override { return 6; }
    int secondCornerBand() const override { return 2; }
    void markFirstCorner() override { ++firstMarks; }
    void markSelectedRoi() override { ++selectionMarks; }

  private:
    RunState& state_;
};

class RoiPageTest : public ::testing::Test, protected RunStateFixture {
  protected:
    FakeMode mode{*state};
    ViewState& view = state->view;

    void addPoint() {
        state->points.x[0] = 20.0f;
        state->points.y[0] = 500.0f;
        state->points.last = 0;
    }
    int indexOf(const std::string& name, int from = 0) const {
        for (int i = from; i < static_cast<int>(gfx.calls.size()); ++i)
            if (gfx.calls[i].name == name) return i;
        return -1;
    }
    std::vector<std::string> textsBetween(int from, int to) const {
        std::vector<std::string> texts;
        for (int i = from; i < to; ++i)
            if (gfx.calls[i].name == "ptxt") texts.push_back(gfx.calls[i].text);
        return texts;
    }
};

}  // namespace

TEST_F(RoiPageTest, FullScaleResetEmptiesTheListAndShowsTheWholePattern) {
    addPoint();
    view.flag = ViewFlag::FullScaleReset;
    ASSERT_EQ(drawRoiPage(*state, mode), PageResult::Ready);
    EXPECT_EQ(mode.emptied, 1);
    EXPECT_EQ(state->points.last, -1);
    EXPECT_EQ(mode.overlays, 0);
    const GraphicsCall* env = gfx.lastNamed("env");
    ASSERT_NE(env, nullptr);
    EXPECT_EQ(env->values, (std::vector<float>{7, 33, -100, 1100, 0, 1}));
    // No point drawn: the next page recomputes the full scale again.
    EXPECT_EQ(view.flag, ViewFlag::FullScaleReset);
}

TEST_F(RoiPageTest, FullScaleKeepsThePointsAndShowsThemFromThenOn) {
    addPoint();
    zoomTo(20, 24, 0, 100);
    view.flag = ViewFlag::FullScale;
    drawRoiPage(*state, mode);
    EXPECT_EQ(mode.emptied, 0);
    EXPECT_EQ(mode.overlays, 1);
    EXPECT_FLOAT_EQ(view.win.xmin, 7);
    EXPECT_EQ(view.flag, ViewFlag::KeepShown);
}

TEST_F(RoiPageTest, KeepFlagsDrawTheCurrentWindowAndHiddenSkipsTheOverlay) {
    addPoint();
    zoomTo(20, 24, 0, 100);
    view.flag = ViewFlag::KeepHidden;
    drawRoiPage(*state, mode);
    EXPECT_EQ(gfx.lastNamed("env")->values, (std::vector<float>{20, 24, 0, 100, 0, 1}));
    EXPECT_EQ(mode.overlays, 0);
    EXPECT_EQ(view.flag, ViewFlag::KeepHidden);
}

TEST_F(RoiPageTest, DrawsFrameLabelsCurveAndInstructionsThenWaitsInColour11) {
    view.key = 'A';
    drawRoiPage(*state, mode);
    const GraphicsCall* lab = gfx.lastNamed("lab");
    ASSERT_NE(lab, nullptr);
    EXPECT_EQ(lab->text, "tth (degrees)|Intensity (arb. units)|quartz.xy");
    EXPECT_EQ(lab->colour, 1);
    const GraphicsCall* curve = gfx.lastNamed("line");
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->values.size(), 2u * 1001u);
    EXPECT_EQ(curve->colour, 1);
    EXPECT_EQ(gfx.textsInColour(2), (std::vector<std::string>{"line 0", "line 1"}));
    EXPECT_EQ(gfx.calls.back().name, "sci");
    EXPECT_EQ(gfx.calls.back().values[0], 11);
    EXPECT_EQ(view.key, 'n');
}

TEST_F(RoiPageTest, ShowsTheStateOfTheRegion) {
    view.roi = RoiState::OneCorner;
    drawRoiPage(*state, mode);
    EXPECT_EQ(mode.firstMarks, 1);
    EXPECT_EQ(mode.selectionMarks, 0);

    gfx.clearCalls();
    view.roi = RoiState::RoiSelected;
    drawRoiPage(*state, mode);
    EXPECT_EQ(mode.firstMarks, 2);
    EXPECT_EQ(mode.selectionMarks, 1);
    // The instructions are erased by drawing them again in the background colour.
    EXPECT_EQ(gfx.textsInColour(0), (std::vector<std::string>{"line 0", "line 1"}));
    EXPECT_EQ(gfx.textsInColour(2), (std::vector<std::string>{"line 0", "line 1", "selected 0"}));
    EXPECT_EQ(gfx.calls.back().colour, 1);
}

TEST_F(RoiPageTest, ReadsTheCursorOfEachState) {
    view.corner1 = {21, 300};
    gfx.push(22, 400, 'A');
    ASSERT_TRUE(readRoiCursor(*state, mode));
    EXPECT_EQ(gfx.lastNamed("band")->values[0], 6);
    EXPECT_FLOAT_EQ(view.corner1.x, 22);

    view.roi = RoiState::OneCorner;
    gfx.push(23, 500, 'B');
    ASSERT_TRUE(readRoiCursor(*state, mode));
    EXPECT_EQ(gfx.lastNamed("band")->values, (std::vector<float>{2, 0, 22, 400}));
    EXPECT_FLOAT_EQ(view.corner2.y, 500);
    EXPECT_EQ(view.key, 'B');

    view.roi = RoiState::RoiSelected;
    gfx.push(24, 600, 'D');
    ASSERT_TRUE(readRoiCursor(*state, mode));
    EXPECT_EQ(gfx.lastNamed("band")->values[0], 0);
    EXPECT_FLOAT_EQ(view.pickPos.x, 24);
    EXPECT_FLOAT_EQ(view.corner2.x, 23);
}

TEST_F(RoiPageTest, PrintSendsOnePageWithoutInstructionsThenReturnsToTheScreen) {
    addPoint();
    zoomTo(20, 24, 0, 1000);
    view.key = 'P';
    ASSERT_EQ(drawRoiPage(*state, mode), PageResult::Ready);

    const int firstEnd = indexOf("end");
    const int hardcopy = indexOf("begin");
    const int secondEnd = indexOf("end", hardcopy);
    const int screen = indexOf("begin", secondEnd);
    ASSERT_TRUE(firstEnd >= 0 && firstEnd < hardcopy && hardcopy < secondEnd && secondEnd < screen);
    EXPECT_EQ(gfx.calls[hardcopy].text, "?");
    EXPECT_EQ(gfx.calls[hardcopy].values, (std::vector<float>{0, 1, 1}));
    EXPECT_EQ(gfx.calls[screen].text, "?");
    EXPECT_EQ(gfx.calls[hardcopy + 1].name, "ask");
    EXPECT_EQ(gfx.calls[hardcopy + 1].values[0], 1);
    EXPECT_EQ(gfx.calls[screen + 1].name, "ask");
    EXPECT_EQ(gfx.calls[screen + 1].values[0], 0);

    // The printed page: window, pattern and points, no text.
    EXPECT_NE(indexOf("env", hardcopy), -1);
    EXPECT_LT(indexOf("env", hardcopy), secondEnd);
    EXPECT_LT(indexOf("pt1", hardcopy), secondEnd);
    EXPECT_TRUE(textsBetween(hardcopy, secondEnd).empty());
    // Then the screen page, with its instructions.
    EXPECT_EQ(textsBetween(screen, gfx.calls.size()),
              (std::vector<std::string>{"line 0", "line 1"}));
    EXPECT_EQ(mode.overlays, 2);
    EXPECT_EQ(transcript(),
              "Enter... \"Filename.ext/output-device\" in next line\n"
              "Output is done. Just hit <Enter> to continue...\n");
    EXPECT_EQ(view.key, 'n');
}

TEST_F(RoiPageTest, ARefusedHardcopyDeviceReopensTheScreenAndCarriesOn) {
    addPoint();
    zoomTo(20, 24, 0, 1000);
    gfx.beginResults = {0};
    view.key = 'p';
    ASSERT_EQ(drawRoiPage(*state, mode), PageResult::Ready);
    EXPECT_EQ(transcript(),
              "Enter... \"Filename.ext/output-device\" in next line\n"
              "PGPLOT initialization fail!!!\n");
    const GraphicsCall* open = gfx.lastNamed("open");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text, "/gw");
    EXPECT_EQ(gfx.count("begin"), 1);
    EXPECT_EQ(gfx.count("env"), 1);  // only the screen page
    EXPECT_EQ(state->points.last, 0);
    EXPECT_EQ(mode.overlays, 1);
}

TEST_F(RoiPageTest, ARefusedReturnDeviceFallsBackToTheScreen) {
    gfx.beginResults = {1, 0};
    view.key = 'p';
    ASSERT_EQ(drawRoiPage(*state, mode), PageResult::Ready);
    EXPECT_NE(transcript().find("Output is done."), std::string::npos);
    EXPECT_NE(transcript().find("PGPLOT initialization fail!!!\n"), std::string::npos);
    EXPECT_EQ(gfx.lastNamed("open")->text, "/gw");
    EXPECT_EQ(gfx.count("env"), 2);  // printed page and screen page
}

TEST_F(RoiPageTest, LosingTheScreenDeviceEndsThePage) {
    gfx.beginResults = {0};
    gfx.openResult = 0;
    view.key = 'p';
    EXPECT_EQ(drawRoiPage(*state, mode), PageResult::DeviceLost);
    EXPECT_EQ(gfx.count("env"), 0);
}
