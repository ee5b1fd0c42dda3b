// The fitting mode's keys in whole-program sessions (see fit_session.h): leaving it, the
// W/R reset, help, save and quit.

#include "fit_session.h"

namespace {

using FitModeKeys = FitSession;

const std::string kUnfitted = "You didn't FIT yet... Are you sure? (y/N)";

}  // namespace

TEST_F(FitModeKeys, WithNothingSelectedLowerBKeepsTheWindowAndUpperBGoesToFullScale) {
    enterFitting();
    key('b');             // page 3: the region choice, still zoomed
    rightClick(20, 300);  // the region choice without a corner: back to full scale (page 4)
    click(19.01f, 300);
    click(21.01f, 300);
    rightClick(20, 300);  // page 5: fitting again
    key('B');             // page 6: the region choice at full scale
    key('q');
    run();
    EXPECT_TRUE(pageHasText(3, kPeakSideLine));
    EXPECT_EQ(windows()[3], kFittingWindow);
    EXPECT_TRUE(pageHasText(6, kPeakSideLine));
    EXPECT_EQ(windows()[6], (std::vector<float>{7, 33, -110, 1210}));
    EXPECT_FALSE(gfx.drewText(kUnfitted));
}

// The question stands lower than the usual question line: at 1430 - 0.18 x 1540.
TEST_F(FitModeKeys, WithPointsSelectedTheQuestionDecides) {
    enterFitting();
    pick(20.0f);  // page 3
    key('b');
    key('n');  // page 4: staying, with the point
    key('B');
    key('y');  // page 5: the region choice with the window kept
    key('q');
    run();
    const std::vector<const GraphicsCall*> asked = gfx.named("ptxt");
    const auto question = std::find_if(asked.begin(), asked.end(), [](const GraphicsCall* call) {
        return call->text == kUnfitted;
    });
    ASSERT_NE(question, asked.end());
    EXPECT_EQ((*question)->colour, 2);
    EXPECT_FLOAT_EQ((*question)->values[1], 1430 - 0.18f * 1540);
    EXPECT_EQ(gfx.count("curs"), 2);
    EXPECT_EQ(markers(4, 8).size(), 1u);
    EXPECT_TRUE(pageHasText(5, kPeakSideLine));
    EXPECT_EQ(windows()[5], kFittingWindow);
}

TEST_F(FitModeKeys, AnUpperYAnswerReturnsAtFullScaleAndDropsTheSelection) {
    enterFitting();
    pick(20.0f);
    key('b');
    key('Y');  // page 4: full scale
    click(19.01f, 300);
    click(21.01f, 300);
    rightClick(20, 300);  // page 5: fitting with an empty selection
    key('q');
    run();
    EXPECT_EQ(windows()[4], (std::vector<float>{7, 33, -110, 1210}));
    EXPECT_TRUE(markers(5, 8).empty());
}

// 's' answers the question as it answers every command here: the positions are saved and
// the side starts afresh at full scale.
TEST_F(FitModeKeys, AnSAnswerToTheQuestionSaves) {
    enterFitting();
    pickAroundThePeak();
    key('F');
    acceptFit();  // page 7
    pick(19.6f);  // page 8
    key('b');
    key('s');  // page 9: the region choice
    key('q');
    run("0\nrun.fit\n");
    EXPECT_EQ(readFile("quartz.cdt"), " 20.0000\n");
    EXPECT_TRUE(pageHasText(9, kPeakSideLine));
    EXPECT_EQ(windows()[9], (std::vector<float>{7, 33, -110, 1210}));
    EXPECT_TRUE(markers(9, 31).empty());
}

TEST_F(FitModeKeys, LowerVResetsWorAndUpperVDoesNothing) {
    enterFitting();
    key('V');  // page 3
    key('v');  // page 4
    key('q');
    run();
    EXPECT_EQ(occurrences("W/R is reset\n"), 1);
    EXPECT_EQ(pageCount(), 5);
}

TEST_F(FitModeKeys, TheKeyThatRemovesTheHelpCountsOnlyAsASave) {
    enterFitting();
    key('h');
    key('q');  // removes the help: no quit
    key('H');
    key('S');  // saves: with an empty list, back to the region choice
    key('Q');
    run();
    EXPECT_TRUE(gfx.drewText("---- Asymmetric profile fitting mode ----"));
    EXPECT_TRUE(gfx.drewText("F/G - Start fitting with individual/common FWHM."));
    EXPECT_TRUE(gfx.drewText("Q - Instant Quit."));
    ASSERT_EQ(pageCount(), 5);
    EXPECT_TRUE(pageHasText(4, kPeakSideLine));
    EXPECT_EQ(windows()[4], kFittingWindow);
    EXPECT_FALSE(fileExists("quartz.cdt"));
}

TEST_F(FitModeKeys, EachQuitKeyEndsTheRun) {
    enterFitting();
    key('X');
    run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(gfx.calls.back().name, "end");
    EXPECT_FALSE(transcriptHas(kWritersRan));

    restart();
    enterFitting();
    key('x');
    run("\n\n\n\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(transcriptHas(kWritersRan));
}
