// The region-choice mode of the peak side with no corner given: every key of its table.

#include "peak_session.h"

namespace {

using PeakNoCorner = PeakSession;

const std::vector<std::string> kHelpLines = {
    "============= H E L P =============",
    "---- Zooming/ROI setting mode for asymmetric profile fitting ----",
    "Left mouse click in the coordination box - Specify one position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Cancel/Go back to previous step.",
    "Right mouse click out of the coordination box - Autoscale.",
    "Right mouse click when you specified ROI - Enter the asymmetric profile fitting mode.",
    "B - Cancel/Go back to previous step.",
    "S - Save current peak positions into file.",
    "C - Change ROI specifying method(toggle).",
    "V - Reset w/r value to refine.",
    "L - Load peak positions from file.",
    "R - Refresh.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
    "W - On/Off mouse cursor position writing mode.",
    "T - On/Off peak positions showing.",
    "Press any key/click to remove this help.",
};

const std::vector<std::string> kEmptyListLines = {kPeakChooseRegion, kPeakMouseLine,
                                                  kPeakKeyboardLine};
const std::vector<std::string> kStoredListLines = {kPeakChooseRegion, kPeakUnsaved, kPeakMouseLine,
                                                   kPeakKeyboardLine};

}  // namespace

TEST_F(PeakNoCorner, TheSideOpensAtFullScaleWithAVerticalLineCursorAtTheCentre) {
    enterPeakSide();
    key('q');
    run();
    EXPECT_EQ(result.status, 0);
    ASSERT_EQ(pageCount(), 2);
    EXPECT_EQ(windows()[1], kFullScale);
    EXPECT_EQ(pageTexts(1, 2), kEmptyListLines);
    EXPECT_EQ(bands().back(), (std::vector<float>{6, 0, 20, 500}));
    EXPECT_EQ(gfx.lastNamed("band")->colour, 11);
}

TEST_F(PeakNoCorner, LowerCaseVResetsWorWithoutANewPageAndUpperCaseDoesNothing) {
    enterPeakSide();
    key('V');
    key('v');
    key('V');
    key('v');
    key('q');
    run();
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(occurrences("W/R is reset\n"), 2);
    EXPECT_EQ(pageNamed(1, "band").size(), 5u);
}

TEST_F(PeakNoCorner, CTogglesBetweenATwoThetaRangeAndABox) {
    enterPeakSide();     // vertical lines
    key('c');            // page 2: plain cursor, then a rectangle
    click(18.01f, 300);  // the first corner
    key('b');            // page 3
    key('C');            // page 4: vertical lines again
    click(18.01f, 300);
    key('b');  // page 5
    key('q');
    run();
    ASSERT_EQ(pageCount(), 6);
    const auto read = bands();
    ASSERT_EQ(read.size(), 8u);
    EXPECT_EQ(read[1], (std::vector<float>{6, 0, 20, 500}));
    EXPECT_EQ(read[2], (std::vector<float>{0, 0, 20, 500}));
    EXPECT_EQ(read[3], (std::vector<float>{2, 0, 18.01f, 300}));
    EXPECT_EQ(read[4], (std::vector<float>{0, 0, 20, 500}));
    EXPECT_EQ(read[5], (std::vector<float>{6, 0, 20, 500}));
    EXPECT_EQ(read[6], (std::vector<float>{6, 0, 18.01f, 300}));
}

TEST_F(PeakNoCorner, LoadedPositionsAreShownAndTHidesThem) {
    writeFile("some.cdt", " 19.0000\n 21.0000\n");
    enterPeakSide();
    key('l');  // page 2
    key('t');  // page 3: hidden
    key('T');  // page 4: shown
    key('q');
    run("some.cdt\n");
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(peakMarkers(2), (std::vector<float>{19, 21}));
    EXPECT_EQ(pageTexts(2, 2), kStoredListLines);
    EXPECT_TRUE(pageHasText(2, "19.000000"));
    EXPECT_TRUE(pageHasText(2, "21.000000"));
    EXPECT_TRUE(peakMarkers(3).empty());
    EXPECT_FALSE(pageHasText(3, "19.000000"));
    EXPECT_EQ(pageTexts(3, 2), kStoredListLines);  // hidden, still in memory
    EXPECT_EQ(peakMarkers(4), (std::vector<float>{19, 21}));
}

TEST_F(PeakNoCorner, ABlankLoadAnswerReadsTheCursorAgainWithoutANewPage) {
    writeFile("some.cdt", " 19.0000\n");
    enterPeakSide();
    key('L');  // blank
    key('L');  // page 2
    key('q');
    run("\nsome.cdt\n");
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(occurrences(kLoadPrompt), 2);
    EXPECT_EQ(peakMarkers(2), (std::vector<float>{19}));
}

// The window is 26 degrees wide: a right click within 0.078 degree of an entry finds it.
TEST_F(PeakNoCorner, TheDeleteQuestionNamesTheFirstCloseEntryOfTheList) {
    writeFile("close.cdt", " 20.0625\n 20.0000\n 25.0000\n");
    enterPeakSide();
    key('l');                  // page 2
    rightClick(20.01f, 500);   // both 20.0625 and 20.0 are close: the first is asked about
    key('n');                  // page 3: kept
    rightClick(20.01f, 1050);  // only two-theta counts
    key('y');                  // page 4: 20.0625 deleted
    rightClick(20.01f, 500);
    key('Y');  // page 5: 20.0 deleted
    key('q');
    run("close.cdt\n");
    ASSERT_EQ(pageCount(), 6);
    EXPECT_EQ(textCount("Deleting 1th point, tth = 20.062500 ; Are you sure? (y/N)"), 2);
    EXPECT_EQ(textCount("Deleting 1th point, tth = 20.000000 ; Are you sure? (y/N)"), 1);
    for (const GraphicsCall* question : gfx.named("ptxt")) {
        if (question->text.rfind("Deleting", 0) != 0) continue;
        EXPECT_EQ(question->colour, 4);
        EXPECT_FLOAT_EQ(question->values[1], 1100 - 0.145 * 1200);
    }
    EXPECT_EQ(peakMarkers(3), (std::vector<float>{20.0625f, 20, 25}));
    EXPECT_EQ(peakMarkers(4), (std::vector<float>{20, 25}));
    EXPECT_EQ(peakMarkers(5), (std::vector<float>{25}));
}

TEST_F(PeakNoCorner, ASecondEntryIsNamedByItsNumberInTheList) {
    writeFile("two.cdt", " 15.0000\n 20.0000\n");
    enterPeakSide();
    key('l');
    rightClick(20.05f, 500);
    key('y');
    key('q');
    run("two.cdt\n");
    EXPECT_TRUE(gfx.drewText("Deleting 2th point, tth = 20.000000 ; Are you sure? (y/N)"));
    EXPECT_EQ(peakMarkers(3), (std::vector<float>{15}));
}

TEST_F(PeakNoCorner, ARightClickAwayFromEntriesReturnsToFullScaleThenLeavesAfterAsking) {
    writeFile("some.cdt", " 19.0000\n 21.0000\n");
    enterPeakSide();
    key('l');                // page 2
    zoomXRange();            // page 3: zoomed
    rightClick(20.5f, 300);  // page 4: full scale, positions kept
    rightClick(20.5f, 300);  // the question
    key('n');                // page 5: no
    key('B');                // the question again
    key('y');                // page 6: the background side, entered afresh
    key('q');
    run("some.cdt\n");
    ASSERT_EQ(pageCount(), 7);
    EXPECT_NE(windows()[3], kFullScale);
    EXPECT_EQ(windows()[4], kFullScale);
    EXPECT_EQ(peakMarkers(4), (std::vector<float>{19, 21}));
    EXPECT_EQ(textCount(kLoseData), 2);
    EXPECT_EQ(peakMarkers(5), (std::vector<float>{19, 21}));
    EXPECT_EQ(pageTexts(6, 2),
              (std::vector<std::string>{kChooseRegion, kMouseLine, kKeyboardLine}));
    EXPECT_EQ(pointMarkers(6), 0);  // the shared list was emptied
}

TEST_F(PeakNoCorner, CancelKeysAtFullScaleWithAnEmptyListLeaveWithoutAsking) {
    for (const char cancel : {'D', 'b', 'B'}) {
        restart();
        enterPeakSide();
        gfx.push(20, 500, cancel);  // page 2: the background side
        key('q');
        run();
        ASSERT_EQ(pageCount(), 3) << cancel;
        EXPECT_TRUE(pageHasText(2, kChooseRegion));
        EXPECT_FALSE(gfx.drewText(kLoseData));
    }
}

TEST_F(PeakNoCorner, ARightClickOnTheEdgeOfTheBoxCancelsEvenNextToAnEntry) {
    writeFile("edge.cdt", "  7.0000\n");
    enterPeakSide();
    key('l');
    rightClick(7.0f, 500);  // on the left edge, exactly at the entry
    key('n');
    key('q');
    run("edge.cdt\n");
    EXPECT_TRUE(gfx.drewText(kLoseData));
    EXPECT_FALSE(gfx.drewText("Deleting 1th point, tth = 7.000000 ; Are you sure? (y/N)"));
}

TEST_F(PeakNoCorner, ComingBackFromTheBackgroundSideFindsTheListEmpty) {
    writeFile("some.cdt", " 19.0000\n");
    enterPeakSide();
    key('l');             // page 2
    key('b');             // the question
    key('y');             // page 3: background side
    rightClick(20, 500);  // page 4: the peak side again
    key('q');
    run("some.cdt\n");
    ASSERT_EQ(pageCount(), 5);
    EXPECT_TRUE(peakMarkers(4).empty());
    EXPECT_EQ(pageTexts(4, 2), kEmptyListLines);
}

TEST_F(PeakNoCorner, ARightClickOutsideAutoscalesTheZoomedWindow) {
    enterPeakSide();
    key('c');  // page 2: box
    click(18.01f, 100);
    click(22.01f, 300);
    click(20, 200);        // page 3: the box
    rightClick(25, 200);   // page 4: right of the box
    rightClick(20, 5000);  // page 5: above it, the same again
    key('q');
    run();
    ASSERT_EQ(pageCount(), 6);
    EXPECT_EQ(windows()[3], (std::vector<float>{18.01f, 22.01f, 100, 300}));
    EXPECT_EQ(windows()[4], (std::vector<float>{18.01f, 22.01f, -60, 660}));
    EXPECT_EQ(windows()[5], (std::vector<float>{18.01f, 22.01f, -60, 660}));
}

TEST_F(PeakNoCorner, ALeftClickOutsideScrollsOnceTheWindowIsKept) {
    enterPeakSide();
    click(34, 500);  // page 2: an empty list keeps the view at full scale
    key('t');        // page 3: kept from now on
    click(34, 500);  // page 4: half a window to the right
    key('q');
    run();
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(windows()[2], kFullScale);
    EXPECT_EQ(windows()[4], (std::vector<float>{20, 46, -100, 1100}));
    EXPECT_EQ(bands().back(), (std::vector<float>{6, 0, 33, 500}));  // the new centre
}

TEST_F(PeakNoCorner, SavingWritesTheFileAndStartsTheSideAfresh) {
    writeFile("some.cdt", " 21.0000\n 19.0000\n");
    enterPeakSide();
    key('l');      // page 2
    zoomXRange();  // page 3
    key('s');      // page 4: saved, full scale, empty
    zoomXRange();  // page 5
    key('S');      // page 6: nothing to save, the window stays
    key('q');
    run("some.cdt\n");
    ASSERT_EQ(pageCount(), 7);
    EXPECT_EQ(readFile("quartz.cdt"), " 19.0000\n 21.0000\n");
    EXPECT_EQ(occurrences("Fitting results file saving... Filename : quartz.cdt\n"), 1);
    EXPECT_EQ(windows()[4], kFullScale);
    EXPECT_TRUE(peakMarkers(4).empty());
    EXPECT_FALSE(pageHasText(4, kPeakUnsaved));
    EXPECT_EQ(windows()[6], windows()[5]);
    EXPECT_NE(windows()[6], kFullScale);
}

TEST_F(PeakNoCorner, ASaveThatCannotCreateItsFileKeepsThePositionsAndTheRun) {
    std::filesystem::create_directory("quartz.cdt");  // no file can take its place
    writeFile("some.cdt", " 19.0000\n");
    enterPeakSide();
    key('l');  // page 2
    key('s');  // page 3: still there
    key('q');
    run("some.cdt\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(transcriptHas("Error!!! - Fitting results file opening\n"));
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(peakMarkers(3), (std::vector<float>{19}));
    EXPECT_EQ(pageTexts(3, 2), kStoredListLines);
}

TEST_F(PeakNoCorner, HelpShowsTheKeysAndIsRemovedWithTheMethodsCursor) {
    const struct {
        bool box;
        float removalBand;
    } methods[] = {{false, 6}, {true, 0}};
    for (const auto& method : methods) {
        restart();
        enterPeakSide();
        if (method.box) key('c');
        key('h');
        click(20, 500);  // removes the help and does nothing else
        key('q');
        run();
        const int helpPage = method.box ? 2 : 1;
        ASSERT_EQ(pageCount(), helpPage + 2);
        const std::vector<std::string> texts = pageTexts(helpPage);
        ASSERT_GE(texts.size(), kHelpLines.size());
        EXPECT_EQ(std::vector<std::string>(texts.end() - kHelpLines.size(), texts.end()),
                  kHelpLines);
        const auto read = bands();
        EXPECT_EQ(read[read.size() - 2][0], method.removalBand);
        EXPECT_TRUE(pageNamed(helpPage + 1, "pt1").empty());  // no corner was given
    }
}

TEST_F(PeakNoCorner, HelpRemovedWithPPrints) {
    enterPeakSide();
    key('H');
    key('P');
    key('q');
    run();
    EXPECT_TRUE(transcriptHas("Output is done."));
    EXPECT_EQ(gfx.count("begin"), 2);
}

TEST_F(PeakNoCorner, PrintCarriesThePositionsButNoText) {
    writeFile("some.cdt", " 19.0000\n");
    enterPeakSide();
    key('l');  // page 2
    key('p');  // page 3 printed, page 4 on the screen
    key('q');
    run("some.cdt\n");
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(peakMarkers(3), (std::vector<float>{19}));
    EXPECT_TRUE(pageTexts(3, 2).empty());
    EXPECT_EQ(pageTexts(4, 2), kStoredListLines);
}

TEST_F(PeakNoCorner, QuitKeysEndTheRunAndOnlyLowerCaseXWritesThePattern) {
    for (const char quit : {'q', 'Q', 'x', 'X'}) {
        restart();
        enterPeakSide();
        key(quit);
        run();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(gfx.calls.back().name, "end");
        EXPECT_EQ(transcriptHas(kWritersRan), quit == 'x') << quit;
    }
}

TEST_F(PeakNoCorner, WritingModeMarksClicksUntilARightClickAndCanQuit) {
    enterPeakSide();
    key('W');
    click(20, 500);
    rightClick(21, 600);  // page 2
    key('w');
    key('x');
    run();
    EXPECT_EQ(pageCount(), 3);
    EXPECT_EQ(pageTexts(1, 6), (std::vector<std::string>{"(20.0000, 500.0000)"}));
    EXPECT_TRUE(transcriptHas(kWritersRan));
}

TEST_F(PeakNoCorner, RefreshDrawsANewPage) {
    enterPeakSide();
    key('r');
    key('R');
    key('q');
    run();
    EXPECT_EQ(pageCount(), 4);
}
