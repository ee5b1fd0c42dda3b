// The region-choice mode of the background side with no corner given: every key of its
// table.

#include <algorithm>

#include "background_session.h"

namespace {

using NoCorner = BackgroundSession;

const std::vector<std::string> kHelpLines = {
    "============= H E L P =============",
    "---- Zooming/ROI setting mode for background extraction ----",
    "Left mouse click in the coordination box - Specify one position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click - Cancel/Go back to previous step.",
    "Right mouse click when you specified ROI - Enter the background points picking mode.",
    "B - Cancel/Go back to previous step.",
    "S - Save current background points into file.",
    "L - Load background points from file.",
    "R - Refresh.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
    "W - On/Off mouse cursor position writing mode.",
    "T - On/Off background points showing.",
    "Press any key/click to remove this help.",
};

}  // namespace

TEST_F(NoCorner, FirstPageShowsTheWholePatternWithAnEmptyList) {
    key('q');
    run();
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(windows()[0], kFullScale);
    EXPECT_EQ(gfx.lastNamed("lab")->text, "tth (degrees)|Intensity (arb. units)|quartz.xy");
    EXPECT_EQ(pageTexts(0, 2),
              (std::vector<std::string>{kChooseRegion, kMouseLine, kKeyboardLine}));
    EXPECT_EQ(bands(), (std::vector<std::vector<float>>{{0, 0, 0, 0}}));
    EXPECT_EQ(gfx.lastNamed("band")->colour, 11);
}

TEST_F(NoCorner, CancelKeysAtFullScaleWithoutPointsGoStraightToThePeakSideAndBack) {
    for (const char cancel : {'D', 'b', 'B'}) {
        restart();
        key(cancel);
        key('B');  // the peak side at full scale with no points: straight back
        key('Q');
        run();
        EXPECT_EQ(result.status, 0);
        ASSERT_EQ(pageCount(), 3) << cancel;
        EXPECT_TRUE(pageHasText(1, kPeakSide));
        EXPECT_EQ(windows()[2], kFullScale);
        EXPECT_FALSE(gfx.drewText(kLoseData));
    }
}

TEST_F(NoCorner, CancelOnAZoomedViewReturnsToFullScaleKeepingThePoints) {
    enterExtraction();    // page 1: picking in kRegion
    click(19, 300);       // page 2
    key('b');             // page 3: region choice, still zoomed
    rightClick(20, 500);  // page 4: full scale, the point kept
    key('Q');
    run();
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(windows()[3], kRegion);
    EXPECT_EQ(windows()[4], kFullScale);
    EXPECT_EQ(pointMarkers(4), 1);
    EXPECT_TRUE(pageHasText(4, kUnsavedPoints));
    EXPECT_FALSE(gfx.drewText(kLoseData));
}

TEST_F(NoCorner, LeavingWithPointsAsksFirstAndOnlyYesLeaves) {
    enterExtraction();
    click(19, 300);
    key('B');  // page 3: region choice at full scale with the point
    key('b');  // the question
    key('n');  // page 4: no
    key('D');  // the question again
    key('A');  // page 5: a click is no as well
    key('B');  // the question again
    key('Y');  // page 6: the peak side
    key('B');  // page 7: back, entered afresh
    key('q');
    run();
    ASSERT_EQ(pageCount(), 8);
    const std::vector<std::string> texts = gfx.texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), kLoseData), 3);
    for (const GraphicsCall* question : gfx.named("ptxt")) {
        if (question->text == kLoseData) {
            EXPECT_EQ(question->colour, 4);
        }
    }
    EXPECT_EQ(pointMarkers(4), 1);
    EXPECT_EQ(pointMarkers(5), 1);
    EXPECT_TRUE(pageHasText(6, kPeakSide));
    // Both sides share the list: coming back, it is empty.
    EXPECT_EQ(pointMarkers(7), 0);
    EXPECT_EQ(pageTexts(7, 2),
              (std::vector<std::string>{kChooseRegion, kMouseLine, kKeyboardLine}));
}

TEST_F(NoCorner, TTogglesThePointsAndLetsScrollingTakeEffect) {
    enterExtraction();
    click(19, 300);
    key('b');  // page 3: shown
    key('T');  // page 4: hidden
    key('t');  // page 5: shown
    key('q');
    run();
    ASSERT_EQ(pageCount(), 6);
    EXPECT_EQ(pointMarkers(3), 1);
    EXPECT_EQ(pointMarkers(4), 0);
    EXPECT_TRUE(pageHasText(4, kUnsavedPoints));  // hidden, but still in memory
    EXPECT_EQ(pointMarkers(5), 1);
}

TEST_F(NoCorner, ScrollingHasNoEffectUntilTheViewIsKept) {
    click(34, 500);  // page 1: beyond the right side, yet full scale again
    key('t');        // page 2: the window is kept from now on
    click(34, 500);  // page 3: half a window to the right
    key('q');
    run();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(windows()[1], kFullScale);
    EXPECT_EQ(windows()[2], kFullScale);
    EXPECT_EQ(windows()[3], (std::vector<float>{20, 46, -100, 1100}));
}

// The window moves while its centre has not passed the pattern's end (or while the bottom
// has not passed maxcts, the top not dropped below zero): at the limit itself it moves once
// more, one step further than in the picking mode.
TEST_F(NoCorner, ScrollingStopsAtEachEdgeOfThePattern) {
    const struct {
        float x, y;
        int moves;  // clicks that move before the first refused one
        std::vector<float> last;
    } edges[] = {
        {100, 400, 6, {30, 34, 200, 600}},
        {-100, 400, 6, {6, 10, 200, 600}},
        {20, 5000, 5, {18, 22, 1200, 1600}},
        {20, -5000, 4, {18, 22, -600, -200}},
    };
    for (const auto& edge : edges) {
        restart();
        zoomToRegion();
        for (int i = 0; i <= edge.moves; ++i) gfx.push(edge.x, edge.y, 'A');
        key('q');
        run();
        const auto drawn = windows();
        ASSERT_EQ(drawn.size(), static_cast<std::size_t>(edge.moves + 3));
        EXPECT_NE(drawn[drawn.size() - 2], drawn[drawn.size() - 3]);
        EXPECT_EQ(drawn[drawn.size() - 2], edge.last);
        EXPECT_EQ(drawn.back(), edge.last);  // refused, and drawn again
    }
}

TEST_F(NoCorner, SaveWithoutPointsWritesNothingAndRedraws) {
    key('s');
    key('S');
    key('q');
    run();
    EXPECT_EQ(pageCount(), 3);
    EXPECT_FALSE(fileExists("quartz.fbg"));
    EXPECT_FALSE(fileExists("quartz.gbg"));
    EXPECT_FALSE(transcriptHas("backgroud file saving"));
}

TEST_F(NoCorner, PrintSendsThePageToTheNamedDeviceAndComesBack) {
    for (const char print : {'p', 'P'}) {
        restart();
        key(print);
        key('q');
        run();
        EXPECT_EQ(occurrences("Enter... \"Filename.ext/output-device\" in next line\n"), 1);
        EXPECT_EQ(occurrences("Output is done. Just hit <Enter> to continue...\n"), 1);
        ASSERT_EQ(gfx.count("begin"), 2);
        for (const GraphicsCall* begin : gfx.named("begin")) EXPECT_EQ(begin->text, "?");
        // Page 1 is the printed one, without instructions; page 2 is on the screen.
        ASSERT_EQ(pageCount(), 3);
        EXPECT_TRUE(pageTexts(1).empty());
        EXPECT_EQ(pageTexts(2, 2),
                  (std::vector<std::string>{kChooseRegion, kMouseLine, kKeyboardLine}));
        EXPECT_EQ(result.status, 0);
    }
}

TEST_F(NoCorner, QuitKeysEndTheRunAndOnlyLowerCaseXWritesThePattern) {
    for (const char quit : {'q', 'Q', 'x', 'X'}) {
        restart();
        key(quit);
        run();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(gfx.calls.back().name, "end");
        EXPECT_EQ(transcriptHas(kWritersRan), quit == 'x') << quit;
    }
}

TEST_F(NoCorner, WritingModeMarksClicksUntilWAgain) {
    key('w');
    click(20, 500);
    click(21.5f, 600);
    key('W');  // page 1
    key('W');
    key('Q');  // quits from within the writing mode
    run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(pageCount(), 2);
    const std::vector<std::string> marks = gfx.textsInColour(6);
    EXPECT_EQ(marks, (std::vector<std::string>{"(20.0000, 500.0000)", "(21.5000, 600.0000)"}));
    EXPECT_TRUE(pageCalls(1).size() > 0);
    EXPECT_TRUE(pageTexts(1, 6).empty());  // the marks went with the new page
}

TEST_F(NoCorner, HelpShowsTheModesKeysAndGoesAwayWithAnyInput) {
    for (const char help : {'h', 'H'}) {
        restart();
        key(help);
        click(20, 500);  // removes the help and does nothing else
        key('q');
        run();
        ASSERT_EQ(pageCount(), 2);
        const std::vector<std::string> texts = pageTexts(0);
        ASSERT_GE(texts.size(), kHelpLines.size());
        EXPECT_EQ(std::vector<std::string>(texts.end() - kHelpLines.size(), texts.end()),
                  kHelpLines);
        const GraphicsCall* closing = gfx.named("ptxt")[texts.size() - 1];
        EXPECT_NEAR(closing->values[1], 1100 - 0.74 * 1200, 1e-3);
        EXPECT_EQ(closing->colour, 4);
        // The removing click set no corner: the page waits for the first corner again.
        EXPECT_EQ(bands().back()[0], 0);
        EXPECT_EQ(gfx.count("pt1"), 0);
    }
}

TEST_F(NoCorner, HelpRemovedWithPPrints) {
    key('h');
    key('p');
    key('q');
    run();
    EXPECT_TRUE(transcriptHas("Output is done."));
    EXPECT_EQ(gfx.count("begin"), 2);
}

TEST_F(NoCorner, RefreshDrawsANewPage) {
    key('r');
    key('R');
    key('q');
    run();
    EXPECT_EQ(pageCount(), 3);
    EXPECT_EQ(windows()[2], kFullScale);
}

TEST_F(NoCorner, LoadWithABlankNameReadsTheCursorAgainWithoutANewPage) {
    writeFile("bg.fbg", "20.5 500 0\n");
    key('L');  // blank: no new page
    key('l');  // page 1, with the loaded point
    key('q');
    run("\nbg.fbg\n");
    ASSERT_EQ(pageCount(), 2);
    EXPECT_EQ(pointMarkers(1), 1);
    EXPECT_EQ(occurrences("FBG/GBG file name(blank to cancel)...? "), 2);
}

TEST_F(NoCorner, ALeftClickInsideGivesTheFirstCorner) {
    click(20, 500);
    key('b');
    key('q');
    run();
    const GraphicsCall* mark = gfx.named("pt1").at(0);
    EXPECT_EQ(mark->values, (std::vector<float>{20, 500, 2775}));
    EXPECT_TRUE(pageHasText(0, "(20.0000, 500.0000)"));
    // The second corner is read with a rectangle anchored at the first.
    EXPECT_EQ(bands()[1], (std::vector<float>{2, 0, 20, 500}));
    EXPECT_EQ(pageCount(), 2);
}

TEST_F(NoCorner, OtherKeysAndTypedButtonLettersDoNothing) {
    for (const char other : {'a', 'd', 'c', 'f', 'z', 'y', '1'}) key(other);
    key('q');
    run();
    EXPECT_EQ(pageCount(), 1);
    EXPECT_EQ(gfx.count("band"), 8);
    EXPECT_EQ(gfx.count("pt1"), 0);
    EXPECT_FALSE(transcriptHas(kWritersRan));
}
