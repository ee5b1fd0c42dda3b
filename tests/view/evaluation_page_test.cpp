// The evaluation page, in the window 19..21 by 0..1000 (0.03 of its height is 30), for a
// region of three points from 20.00 degrees (pattern points 500 to 502, cts[i] = i).

#include "view/evaluation_page.h"

#include <gtest/gtest.h>

#include "view/run_state_fixture.h"

namespace {

class EvaluationPageTest : public ::testing::Test, protected RunStateFixture {
  protected:
    FitResult result;

    EvaluationPageTest() {
        zoomTo(19, 21, 0, 1000);
        result.calc = {490.0f, 700.0f, 510.0f};
        result.diff = {10.0f, -199.0f, -8.0f};
        result.peakCount = 1;
        result.peaks[0] = {20.025, 35.5, 0.1, 1};
        result.eta = 0.4;
        result.wor = 0.06;
        result.chisq = 1.234567;
        result.lowBkgnd = 480.0;
        result.highBkgnd = 520.0;
    }
    void draw() { drawEvaluationPage(gfx, state->view.win, {state->pattern, 1000, 500, result}); }
    const GraphicsCall* text(const std::string& wanted) const {
        for (const GraphicsCall* call : gfx.named("ptxt"))
            if (call->text == wanted) return call;
        return nullptr;
    }
    std::vector<const GraphicsCall*> markers(int symbol) const {
        std::vector<const GraphicsCall*> found;
        for (const GraphicsCall* call : gfx.named("pt1"))
            if (call->values[2] == symbol) found.push_back(call);
        return found;
    }
};

}  // namespace

TEST_F(EvaluationPageTest, ThePageIsTitledAndSaysHowToJudgeTheFit) {
    draw();
    EXPECT_EQ(gfx.lastNamed("lab")->text, "tth (degrees)|Intensity (arb. units)|Fitting Results");
    const std::vector<std::pair<std::string, float>> lines = {
        {"White lines are observed, Red lines are calculated data", 960.0f},
        {"If you are happy with this, Click Left mouse button - to keep this results", 925.0f},
        {"If you are NOT happy, Click Right mouse button - to go back w/o any changes", 890.0f},
        {"For Zoom-in, use 'w' and returning to first scale, hit 'b'", 855.0f},
    };
    for (const auto& [wanted, y] : lines) {
        const GraphicsCall* call = text(wanted);
        ASSERT_NE(call, nullptr) << wanted;
        EXPECT_EQ(call->values, (std::vector<float>{20, y, 0, 0.5f})) << wanted;
        EXPECT_EQ(call->colour, 3);
    }
}

// PGPLOT's escapes turn \gy and \gx into eta and chi, \u2\d into a raised 2.
TEST_F(EvaluationPageTest, TheFitStatisticsStandAboveTheBox) {
    draw();
    const GraphicsCall* call = text("W/R = 0.0600     \\gy = 0.400000     \\gx\\u2\\d = 1.2346");
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->values, (std::vector<float>{20, 1020, 0, 0.5f}));
    EXPECT_EQ(call->colour, 13);
}

TEST_F(EvaluationPageTest, ObservedCalculatedAndDifferenceCurves) {
    draw();
    const std::vector<const GraphicsCall*> lines = gfx.named("line");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]->values.size(), 2u * 1001);
    EXPECT_EQ(lines[0]->colour, 1);
    const float t0 = state->pattern.tth[500], t1 = state->pattern.tth[501],
                t2 = state->pattern.tth[502];
    EXPECT_EQ(lines[1]->values, (std::vector<float>{t0, 490, t1, 700, t2, 510}));
    EXPECT_EQ(lines[1]->colour, 2);
    EXPECT_EQ(lines[2]->values, (std::vector<float>{t0, 10, t1, -199, t2, -8}));
    EXPECT_EQ(lines[2]->colour, 13);
    const std::vector<const GraphicsCall*> ends = markers(8);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0]->values, (std::vector<float>{t0, 480, 8}));
    EXPECT_EQ(ends[1]->values, (std::vector<float>{t2, 520, 8}));
    EXPECT_EQ(ends[0]->colour, 12);
}

// The top at the marked point's calculated 700, the arrows half way down to the mean
// background 500, position and intensity labels 30 above the top, the FWHM below.
TEST_F(EvaluationPageTest, EachPeakHasItsMarksAndLabels) {
    draw();
    ASSERT_EQ(markers(31).size(), 1u);
    EXPECT_EQ(markers(31)[0]->values, (std::vector<float>{20.025f, 700, 31}));
    EXPECT_EQ(markers(29)[0]->values, (std::vector<float>{19.975f, 600, 29}));
    EXPECT_EQ(markers(28)[0]->values, (std::vector<float>{20.075f, 600, 28}));
    EXPECT_EQ(markers(28)[0]->colour, 11);

    const GraphicsCall* position = text("20.025000");
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->values, (std::vector<float>{20.025f, 730, 90, 0}));
    EXPECT_EQ(position->colour, 6);
    const GraphicsCall* fwhm = text("0.100000");
    ASSERT_NE(fwhm, nullptr);
    EXPECT_EQ(fwhm->values, (std::vector<float>{20.025f, 500, -90, 0}));
    EXPECT_EQ(fwhm->colour, 11);
    const GraphicsCall* intensity = text("(\\gI\\dhkl\\u=35.500000)");
    ASSERT_NE(intensity, nullptr);
    EXPECT_EQ(intensity->values, (std::vector<float>{20.125f, 730, 90, 0}));
    EXPECT_EQ(intensity->colour, 11);
    EXPECT_EQ(gfx.calls.back().name, "sci");
    EXPECT_EQ(gfx.calls.back().values[0], 1);
}

// A picture for a file says what it shows in the colours it shows it in, and nothing of
// clicks; its title names the fit, and the statistics stand inside the box, clear of it.
TEST_F(EvaluationPageTest, APictureNamesItsFitAndEachCurveInItsOwnColour) {
    drawFitPicture(gfx, state->view.win, {state->pattern, 1000, 500, result}, "a.xy, region 2: ok");
    EXPECT_EQ(gfx.lastNamed("lab")->text,
              "tth (degrees)|Intensity (arb. units)|a.xy, region 2: ok");
    for (const char* instruction : {"White lines are observed, Red lines are calculated data",
                                    "If you are happy with this, Click Left mouse button - to keep "
                                    "this results"})
        EXPECT_EQ(text(instruction), nullptr);
    const GraphicsCall* statistics =
        text("W/R = 0.0600     \\gy = 0.400000     \\gx\\u2\\d = 1.2346");
    ASSERT_NE(statistics, nullptr);
    EXPECT_LT(statistics->values[1], 1000.0f);  // inside the box, below the title
    // Each legend entry in the colour of what it names, as the curves and marks are drawn.
    const std::vector<std::pair<std::string, int>> legend = {
        {"observed", 1},         {"calculated", 2}, {"difference", 13},
        {"background ends", 12}, {"position", 6},   {"FWHM, intensity", 11}};
    for (const auto& [entry, colour] : legend) {
        const GraphicsCall* call = text(entry);
        ASSERT_NE(call, nullptr) << entry;
        EXPECT_EQ(call->colour, colour) << entry;
        EXPECT_LT(call->values[1], statistics->values[1]) << entry;
    }
    const std::vector<const GraphicsCall*> lines = gfx.named("line");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1]->colour, 2);
    EXPECT_EQ(lines[2]->colour, 13);
    EXPECT_EQ(text("Kalpha2 lines"), nullptr);  // single lines: no Kα2 part
}

// A doublet fit's picture draws the Kα2 companions apart, in their own colour, and names
// them in the legend.
TEST_F(EvaluationPageTest, APictureOfDoubletsDrawsTheKalpha2PartInItsOwnColour) {
    result.kalpha2 = {480.0f, 560.0f, 520.0f};
    drawFitPicture(gfx, state->view.win, {state->pattern, 1000, 500, result}, "a.xy, region 2: ok");
    const std::vector<const GraphicsCall*> lines = gfx.named("line");
    ASSERT_EQ(lines.size(), 4u);
    const float t0 = state->pattern.tth[500], t1 = state->pattern.tth[501],
                t2 = state->pattern.tth[502];
    EXPECT_EQ(lines[3]->values, (std::vector<float>{t0, 480, t1, 560, t2, 520}));
    EXPECT_EQ(lines[3]->colour, 4);
    for (const GraphicsCall* line : {lines[0], lines[1], lines[2]}) EXPECT_NE(line->colour, 4);
    const GraphicsCall* entry = text("Kalpha2 lines");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->colour, 4);
}
