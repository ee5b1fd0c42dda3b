// The region-choice mode of the peak side with a region selected: every key of its table,
// and the zooms for fitting of both ways of giving a region.

#include "peak_session.h"

namespace {

using PeakRoiSelected = PeakSession;

const std::vector<std::string> kHelpLines = {
    "============= H E L P =============",
    "---- ROI is now selected ----",
    "Left mouse click in the coordination box - Rescale to given ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Enter the asymmetric profile fitting mode.",
    "Right mouse click out of the coordination box - Autoscale.",
    "B - Cancel/Go back to previous step.",
    "X - Save & Quit current data into other data file(s).",
    "Q - Instant Quit.",
    "Press any key/click to remove this help.",
};

const std::string kFittingLine0 =
    "Zoomed screen : To scroll(autoscale), Left(Right) click outside of coordination box";

}  // namespace

TEST_F(PeakRoiSelected, ASelectedRangeReplacesTheInstructionsAndShowsBothLines) {
    enterPeakSide();
    click(18.01f, 300);
    click(22.01f, 700);
    key('q');
    run();
    ASSERT_EQ(pageCount(), 2);
    EXPECT_EQ(pageTexts(1, 0),
              (std::vector<std::string>{kPeakChooseRegion, kPeakMouseLine, kPeakKeyboardLine}));
    const std::vector<std::string> notices = pageTexts(1, 2);
    EXPECT_EQ(std::vector<std::string>(notices.end() - 3, notices.end()), kPeakSelectedLines);
    EXPECT_EQ(pageTexts(1, 6),
              (std::vector<std::string>{"(18.0100, 300.0000)", "(22.0100, 700.0000)"}));
    const auto draws = pageNamed(1, "draw");
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1]->values[0], 22.01f);
    EXPECT_TRUE(pageNamed(1, "rect").empty());
    EXPECT_EQ(bands().back(), (std::vector<float>{0, 0, 18.01f, 300}));
}

TEST_F(PeakRoiSelected, ASelectedBoxIsOutlinedInTheMarkColour) {
    enterPeakSide();
    key('c');
    click(18.01f, 300);
    click(22.01f, 700);
    key('q');
    run();
    const auto outline = pageNamed(2, "rect");
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0]->values, (std::vector<float>{18.01f, 22.01f, 300, 700}));
    EXPECT_EQ(outline[0]->colour, 6);
    EXPECT_TRUE(pageNamed(2, "draw").empty());
}

TEST_F(PeakRoiSelected, ALeftClickInsideZoomsARangeToElevenTenthsOfItsLargestIntensity) {
    enterPeakSide();
    click(22.01f, 300);  // corners in either order, their heights do not count
    click(18.01f, 900);
    click(20, 400);  // page 2
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(windows()[2], (std::vector<float>{18.01f, 22.01f, -60, 660}));
    EXPECT_TRUE(pageTexts(2, 6).empty());
    EXPECT_EQ(bands().back(), (std::vector<float>{6, 0, 20.01f, 300}));  // no corner
}

TEST_F(PeakRoiSelected, ALeftClickInsideZoomsToABox) {
    enterPeakSide();
    key('c');
    click(22.01f, 700);
    click(18.01f, 300);
    click(20, 400);  // page 3
    key('q');
    run();
    EXPECT_EQ(windows()[3], (std::vector<float>{18.01f, 22.01f, 300, 700}));
}

TEST_F(PeakRoiSelected, ARightClickInsideZoomsARangeForFittingToThirteenTenths) {
    enterPeakSide();
    click(18.01f, 300);
    click(22.01f, 700);
    rightClick(20, 400);  // page 2: the fitting mode
    key('b');             // page 3: back, the window kept
    key('q');
    run();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(windows()[2], (std::vector<float>{18.01f, 22.01f, -60, 780}));
    EXPECT_TRUE(pageHasText(2, kFittingLine0));
    EXPECT_EQ(windows()[3], windows()[2]);
    EXPECT_TRUE(pageHasText(3, kPeakChooseRegion));
    EXPECT_EQ(bands().back()[0], 6);  // no corner, the method kept
}

TEST_F(PeakRoiSelected, ARightClickInsideABoxKeepsItsUpperEdgeForFitting) {
    enterPeakSide();
    key('c');
    click(18.01f, 100);
    click(22.01f, 450);
    rightClick(20, 400);  // page 3: the fitting mode
    key('B');             // page 4: back at full scale
    key('q');
    run();
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(windows()[3], (std::vector<float>{18.01f, 22.01f, -45, 450}));
    EXPECT_EQ(windows()[4], kFullScale);
    EXPECT_EQ(bands().back()[0], 0);
}

TEST_F(PeakRoiSelected, FDropsTheRegionAndReturnsToFullScale) {
    for (const char full : {'f', 'F'}) {
        restart();
        enterPeakSide();
        zoomXRange();  // page 2
        click(19.01f, 100);
        click(21.01f, 200);
        gfx.push(20, 150, full);  // page 3
        key('q');
        run();
        ASSERT_EQ(pageCount(), 4);
        EXPECT_EQ(windows()[3], kFullScale);
        EXPECT_TRUE(pageTexts(3, 6).empty());
    }
}

TEST_F(PeakRoiSelected, BDropsTheRegionAndKeepsTheWindow) {
    for (const char cancel : {'b', 'B'}) {
        restart();
        enterPeakSide();
        zoomXRange();  // page 2
        click(19.01f, 100);
        click(21.01f, 200);
        gfx.push(20, 150, cancel);  // page 3
        key('q');
        run();
        ASSERT_EQ(pageCount(), 4);
        EXPECT_EQ(windows()[3], windows()[2]);
        EXPECT_TRUE(pageTexts(3, 6).empty());
    }
}

TEST_F(PeakRoiSelected, ClicksOutsideScrollOrAutoscaleAndShowTheRegionAgain) {
    enterPeakSide();
    key('c');
    click(18.01f, 100);
    click(22.01f, 300);
    click(20, 200);  // page 3: the box
    click(19.01f, 150);
    click(21.01f, 250);
    click(23, 200);       // page 4: half a window to the right
    rightClick(20, 400);  // page 5: above the box
    key('b');
    key('q');
    run();
    ASSERT_EQ(pageCount(), 7);
    EXPECT_EQ(windows()[4], (std::vector<float>{20.01f, 24.01f, 100, 300}));
    EXPECT_EQ(pageTexts(4, 6),
              (std::vector<std::string>{"(19.0100, 150.0000)", "(21.0100, 250.0000)"}));
    EXPECT_EQ(windows()[5], (std::vector<float>{20.01f, 24.01f, -70, 770}));
    EXPECT_EQ(pageNamed(5, "rect").size(), 1u);
}

TEST_F(PeakRoiSelected, OtherKeysAreIgnored) {
    enterPeakSide();
    click(18.01f, 300);
    click(22.01f, 700);
    for (char ignored : {'c', 's', 'l', 'v', 't', 'r', 'w'}) key(ignored);
    key('q');
    run();
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(bands().size(), 11u);
    EXPECT_FALSE(transcriptHas(kLoadPrompt));
    EXPECT_FALSE(transcriptHas("W/R is reset"));
}

TEST_F(PeakRoiSelected, QuitKeysEndTheRun) {
    for (const char quit : {'q', 'Q', 'x', 'X'}) {
        restart();
        enterPeakSide();
        click(18.01f, 300);
        click(22.01f, 700);
        key(quit);
        run();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(transcriptHas(kWritersRan), quit == 'x') << quit;
    }
}

TEST_F(PeakRoiSelected, HelpShowsTheKeysAndIsRemovedWithAPlainCursor) {
    enterPeakSide();
    click(18.01f, 300);
    click(22.01f, 700);
    key('H');
    rightClick(20, 400);  // removes the help only: no fitting
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    const std::vector<std::string> texts = pageTexts(1);
    ASSERT_GE(texts.size(), kHelpLines.size());
    EXPECT_EQ(std::vector<std::string>(texts.end() - kHelpLines.size(), texts.end()), kHelpLines);
    const auto read = bands();
    EXPECT_EQ(read[read.size() - 2][0], 0);
    EXPECT_EQ(windows()[2], kFullScale);
    EXPECT_EQ(pageTexts(2, 6),
              (std::vector<std::string>{"(18.0100, 300.0000)", "(22.0100, 700.0000)"}));
}
