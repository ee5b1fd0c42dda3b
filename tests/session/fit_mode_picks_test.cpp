// The fitting mode's picks and deselects in whole-program sessions (see fit_session.h).

#include "fit_session.h"

namespace {

using FitModePicks = FitSession;

}  // namespace

TEST_F(FitModePicks, TheFittingModeStartsZoomedWithAnEmptySelection) {
    enterFitting();
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(windows()[2], kFittingWindow);
    EXPECT_EQ(pageTexts(2, 4),
              (std::vector<std::string>{
                  "Zoomed screen : To scroll(autoscale), Left(Right) click outside of coordination "
                  "box",
                  kFitHint, "If done, hit 'S' in keyboard to save current peak positions",
                  "Keyboard : B  S  R  V  F/G  X  Q , H = help"}));
    EXPECT_TRUE(markers(2, 8).empty());
    EXPECT_EQ(bands().back()[0], 6);  // a vertical-line cursor
    EXPECT_EQ(result.status, 0);
}

TEST_F(FitModePicks, ASecondPickBelowTheFirstBecomesTheFirstEnd) {
    enterFitting();
    pick(20.5f);  // page 3: the first pick, without a word
    pick(20.2f);  // page 4
    key('q');
    run();
    EXPECT_EQ(result.transcript.find("@ x:20.5"), std::string::npos);
    EXPECT_TRUE(transcriptHas("Inserting a bg point to 1th @ x:20.200001 , y:500.000000\n"));
    EXPECT_EQ(markers(3, 8), (std::vector<std::pair<float, float>>{{20.5f, 100.0f}}));
    // Both ends at their data points, joined by a line.
    EXPECT_EQ(markers(4, 8),
              (std::vector<std::pair<float, float>>{{20.2f, 100.0f}, {20.5f, 100.0f}}));
    const std::vector<const GraphicsCall*> page = pageCalls(4);
    const auto join = std::find_if(page.begin(), page.end(),
                                   [](const GraphicsCall* call) { return call->name == "move"; });
    ASSERT_NE(join, page.end());
    EXPECT_EQ((*join)->values, (std::vector<float>{20.2f, 100.0f}));
    EXPECT_EQ((*join)->colour, 4);
}

TEST_F(FitModePicks, ASecondPickAboveTheFirstIsAppendedAsTheLastEnd) {
    enterFitting();
    pick(20.2f);
    pick(20.5f);
    key('F');  // page 5: two ends, no peak
    key('q');
    run();
    EXPECT_TRUE(
        transcriptHas("ASFIT:Appending a bg point to last(2th) @ x:20.500000 , y:500.000000\n"));
    EXPECT_EQ(statusLine(5), "Not enough points are specified");
    EXPECT_FALSE(transcriptHas(kWorPrompt));
}

// Each new end turns the old one into a peak: a tick, a full-height line and its label.
TEST_F(FitModePicks, NewEndsTurnTheOldEndsIntoPeaks) {
    enterFitting();
    pick(20.0f);
    pick(20.5f);
    pick(19.5f);  // page 5
    pick(20.8f);  // page 6
    key('q');
    run();
    EXPECT_TRUE(transcriptHas("Inserting a bg point to 1th @ x:19.500000"));
    EXPECT_TRUE(transcriptHas("ASFIT:Appending a bg point to last(4th) @ x:20.799999"));
    EXPECT_EQ(pageTexts(5, 2), (std::vector<std::string>{"20.000000"}));
    EXPECT_EQ(pageTexts(6, 2), (std::vector<std::string>{"20.000000", "20.500000"}));
    EXPECT_EQ(markers(6, 8),
              (std::vector<std::pair<float, float>>{{19.5f, 100.0f}, {20.8f, 100.0f}}));
    // The peak at 20.0 (1100 counts): tick 0.04 degree wide, line from ymin to ymax.
    std::vector<std::vector<float>> strokes;
    for (const GraphicsCall* call : pageCalls(6))
        if (call->name == "move" || call->name == "draw") strokes.push_back(call->values);
    EXPECT_NE(std::find(strokes.begin(), strokes.end(), std::vector<float>{19.96f, 1100.0f}),
              strokes.end());
    EXPECT_NE(std::find(strokes.begin(), strokes.end(), std::vector<float>{20.0f, -110.0f}),
              strokes.end());
    EXPECT_NE(std::find(strokes.begin(), strokes.end(), std::vector<float>{20.0f, 1430.0f}),
              strokes.end());
}

TEST_F(FitModePicks, ElevenPointsAcceptNoTwelfth) {
    enterFitting();
    for (int k = 0; k < 11; ++k) pick(19.1f + 0.15f * k);  // pages 3 to 13
    pick(20.95f);                                          // page 14
    key('q');
    run();
    EXPECT_EQ(markers(13, 8).size(), 2u);
    EXPECT_EQ(pageTexts(13, 2).size(), 9u);  // nine peak labels
    EXPECT_EQ(statusLine(14), "9 peaks are maximum for simultaneous fitting");
    EXPECT_EQ(pageTexts(14, 2).size(), 9u);
    EXPECT_FALSE(transcriptHas("x:20.950001"));
}

// Too close within 0.01 degree even between two other points; a right click finds a point
// only within 0.006 degree.
TEST_F(FitModePicks, TheTooCloseDistanceIsLongerThanTheDeselectDistance) {
    enterFitting();
    pickAroundThePeak();       // pages 3 to 5
    pick(19.995f);             // page 6: between 19.5 and 20.0, 0.005 from 20.0
    rightClick(20.008f, 500);  // page 7
    rightClick(20.005f, 500);  // page 8
    pick(20.1f);               // page 9
    key('q');
    run();
    EXPECT_EQ(statusLine(6), "Points are too close. Try farther position");
    EXPECT_EQ(statusLine(7), "I can not find the point to deselect. Try nearer position");
    EXPECT_EQ(pageTexts(7, 2), (std::vector<std::string>{"20.000000"}));
    EXPECT_TRUE(transcriptHas("Deleting a point from 2th @ x:20.000000 , y:1100.000000\n"));
    EXPECT_EQ(statusLine(8), kFitHint);
    EXPECT_TRUE(pageTexts(8, 2).empty());
    EXPECT_EQ(pageTexts(9, 2), (std::vector<std::string>{"20.100000"}));
}

TEST_F(FitModePicks, ARightClickWithNothingSelectedSaysSo) {
    enterFitting();
    rightClick(20, 500);
    key('q');
    run();
    EXPECT_EQ(statusLine(3),
              "There are no points to delete - Continue to select (new) points to fit");
}

// Above the box: half a height up (ymin -110 is below the largest count); then a right click
// outside autoscales back to 1.3 times the largest count in range.
TEST_F(FitModePicks, ClicksOutsideTheBoxScrollAndAutoscale) {
    enterFitting();
    click(20, 1500);      // page 3
    click(21.5f, 800);    // page 4: right by half a width
    rightClick(23, 800);  // page 5: the range 20.01 .. 22.01 holds the top 1100 at 20.0
    click(21, 1430);      // page 6: on the top edge: no pick, no move
    key('q');
    run();
    EXPECT_EQ(windows()[3], (std::vector<float>{19.01f, 21.01f, 660, 2200}));
    EXPECT_EQ(windows()[4], (std::vector<float>{20.01f, 22.01f, 660, 2200}));
    EXPECT_EQ(windows()[5], (std::vector<float>{20.01f, 22.01f, -110, 1430}));
    EXPECT_EQ(windows()[6], windows()[5]);
    EXPECT_TRUE(markers(6, 8).empty());
}

// The fitting window reaches beyond the last point (30 degrees): a click there takes it.
TEST_F(FitModePicks, AClickBeyondThePatternSelectsItsLastPoint) {
    enterFitting(29.01f, 31.01f);  // -10 .. 130 high: the background alone
    click(30.5f, 50);
    click(29.5f, 50);
    key('q');
    run();
    EXPECT_EQ(markers(4, 8),
              (std::vector<std::pair<float, float>>{{29.5f, 100.0f}, {30.0f, 100.0f}}));
}
