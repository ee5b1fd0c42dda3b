// The region-choice mode of the peak side with one corner given: every key of its table,
// for both ways of giving a region.

#include "peak_session.h"

namespace {

using PeakOneCorner = PeakSession;

const std::vector<std::string> kHelpLines = {
    "============= H E L P =============",
    "---- One down, another click to go ----",
    "Left mouse click in the coordination box - Specify another position of ROI.",
    "Left mouse click out of the coordination box - Move to that direction.",
    "Right mouse click in the coordination box - Cancel/Go back to previous step.",
    "Right mouse click out of the coordination box - Autoscale.",
    "B - Cancel/Go back to previous step.",
    "Press any key/click to remove this help.",
};

// A vertical line far beyond any window: maxcts + 1e10 x maxcts either way.
const float kLineReach = 1000.0f + 1e10f * 1000.0f;

}  // namespace

TEST_F(PeakOneCorner, TheFirstCornerOfARangeIsAVerticalLineAndTheSecondFollowsIt) {
    enterPeakSide();
    click(18.01f, 300);
    key('q');  // ignored
    key('b');  // page 2
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    const auto moves = pageNamed(1, "move");
    const auto draws = pageNamed(1, "draw");
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0]->values, (std::vector<float>{18.01f, -kLineReach}));
    EXPECT_EQ(draws[0]->values, (std::vector<float>{18.01f, kLineReach}));
    EXPECT_EQ(draws[0]->colour, 6);
    EXPECT_EQ(pageTexts(1, 6), (std::vector<std::string>{"(18.0100, 300.0000)"}));
    const auto read = bands();
    EXPECT_EQ(read[2], (std::vector<float>{6, 0, 18.01f, 300}));
    EXPECT_EQ(read[3], (std::vector<float>{6, 0, 18.01f, 300}));
}

TEST_F(PeakOneCorner, TheFirstCornerOfABoxIsAMarkAndTheSecondARubberRectangle) {
    enterPeakSide();
    key('c');  // page 2
    click(18.01f, 300);
    key('b');  // page 3
    key('q');
    run();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_TRUE(pageNamed(2, "draw").empty());
    EXPECT_EQ(pageTexts(2, 6), (std::vector<std::string>{"(18.0100, 300.0000)"}));
    EXPECT_EQ(bands()[3], (std::vector<float>{2, 0, 18.01f, 300}));
}

TEST_F(PeakOneCorner, QuitKeysDoNothingUntilTheCornerIsCancelled) {
    enterPeakSide();
    click(18.01f, 300);
    for (char quit : {'q', 'Q', 'x', 'X'}) key(quit);
    key('B');  // page 2
    key('q');
    run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(pageCount(), 3);
    EXPECT_EQ(gfx.count("band"), 8);
    EXPECT_FALSE(transcriptHas(kWritersRan));
}

TEST_F(PeakOneCorner, CancelKeysAndARightClickInsideDropTheCornerButKeepTheMethod) {
    for (const char cancel : {'D', 'c', 'C', 'b', 'B'}) {
        restart();
        enterPeakSide();
        click(18.01f, 300);
        gfx.push(21, 400, cancel);  // page 2: no corner, the same window
        key('q');
        run();
        ASSERT_EQ(pageCount(), 3) << cancel;
        EXPECT_EQ(windows()[2], kFullScale);
        EXPECT_TRUE(pageTexts(2, 6).empty());
        EXPECT_EQ(bands().back(), (std::vector<float>{6, 0, 20, 500})) << cancel;
    }
}

// The box 18.01 .. 22.01 by 100 .. 300, zoomed, keeps its window from then on.
TEST_F(PeakOneCorner, ARightClickOutsideAutoscalesAndShowsTheCornerAgain) {
    enterPeakSide();
    key('c');
    click(18.01f, 100);
    click(22.01f, 300);
    click(20, 200);  // page 3
    click(19.01f, 150);
    rightClick(25, 150);  // page 4
    key('b');             // page 5
    key('q');
    run();
    ASSERT_EQ(pageCount(), 6);
    EXPECT_EQ(windows()[4], (std::vector<float>{18.01f, 22.01f, -60, 660}));
    EXPECT_EQ(pageTexts(4, 6), (std::vector<std::string>{"(19.0100, 150.0000)"}));
    EXPECT_EQ(bands()[6], (std::vector<float>{2, 0, 19.01f, 150}));
}

TEST_F(PeakOneCorner, ALeftClickOutsideScrollsAndShowsTheCornerAgain) {
    enterPeakSide();
    key('c');
    click(18.01f, 100);
    click(22.01f, 300);
    click(20, 200);  // page 3
    click(19.01f, 150);
    click(17, 200);  // page 4: half a window to the left
    key('b');
    key('q');
    run();
    ASSERT_EQ(pageCount(), 6);
    EXPECT_EQ(windows()[4], (std::vector<float>{16.01f, 20.01f, 100, 300}));
    EXPECT_EQ(pageTexts(4, 6), (std::vector<std::string>{"(19.0100, 150.0000)"}));
}

TEST_F(PeakOneCorner, HelpShowsTheKeysAndIsRemovedWithTheSecondCornersCursor) {
    const struct {
        bool box;
        std::vector<float> removal;
    } methods[] = {{false, {6, 0, 18.01f, 300}}, {true, {2, 0, 18.01f, 300}}};
    for (const auto& method : methods) {
        restart();
        enterPeakSide();
        if (method.box) key('c');
        click(18.01f, 300);
        key('h');
        click(20, 500);  // removes the help; the corner stays
        key('b');
        key('q');
        run();
        const int helpPage = method.box ? 2 : 1;
        ASSERT_EQ(pageCount(), helpPage + 3);
        const std::vector<std::string> texts = pageTexts(helpPage);
        ASSERT_GE(texts.size(), kHelpLines.size());
        EXPECT_EQ(std::vector<std::string>(texts.end() - kHelpLines.size(), texts.end()),
                  kHelpLines);
        const auto read = bands();
        EXPECT_EQ(read[read.size() - 4], method.removal);
        EXPECT_EQ(pageTexts(helpPage + 1, 6), (std::vector<std::string>{"(18.0100, 300.0000)"}));
    }
}
