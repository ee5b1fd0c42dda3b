// The background points extraction mode: every key of its table. Picking happens in
// kRegion (4 degrees by 400 units), where a pick is refused within 0.02 degree and 2 units
// of a point and a right click finds points within 0.012 degree and 1.2 units.

#include "background_session.h"

namespace {

using Extraction = BackgroundSession;

const std::string kPickHint = "Left click to select; Right click to deselect";
const std::string kTooClose = "Points are too close.  Try farther position";
const std::string kNotFound = "I can not find the point to deselect. Try nearer position";

}  // namespace

TEST_F(Extraction, PicksAreKeptInOrderOfTwoTheta) {
    enterExtraction();  // page 1
    click(20, 300);     // page 2
    click(21, 400);     // page 3
    click(19, 250);     // page 4: to the front
    click(20.5f, 350);  // page 5: in the middle
    key('S');
    key('q');
    run();
    EXPECT_TRUE(
        transcriptHas("BG:Appending a bg point to last(1th) @ x:20.000000 , y:300.000000\n"
                      "BG:Appending a bg point to last(2th) @ x:21.000000 , y:400.000000\n"
                      "Inserting a bg point to 1th @ x:19.000000 , y:250.000000\n"
                      "Inserting a bg point to 3th @ x:20.500000 , y:350.000000\n"));
    EXPECT_EQ(readFile("quartz.fbg"),
              "19.000000\t250.000000\t0.0\n"
              "20.000000\t300.000000\t0.0\n"
              "20.500000\t350.000000\t0.0\n"
              "21.000000\t400.000000\t0.0\n");
    EXPECT_EQ(pointMarkers(5), 4);
    // The cursor is tied by a line to the point of highest two-theta once there are points.
    EXPECT_EQ(bands()[3], (std::vector<float>{0, 0, 20, 400}));
    EXPECT_EQ(bands()[4], (std::vector<float>{1, 0, 20, 300}));
    EXPECT_EQ(bands()[7], (std::vector<float>{1, 0, 21, 400}));
}

TEST_F(Extraction, ATooClosePickIsSaidOnEveryPageUntilTheNextPick) {
    enterExtraction();   // page 1
    click(20, 300);      // page 2
    click(20.01f, 301);  // page 3: refused
    key('r');            // page 4
    click(20, 650);      // page 5: scrolled up to 400..800
    key('h');
    key('A');        // page 6
    click(21, 500);  // page 7: a pick again
    click(20, 700);  // page 8: the same two-theta, far in intensity: nothing added
    key('q');
    run();
    ASSERT_EQ(pageCount(), 9);
    for (int page = 3; page <= 6; ++page) EXPECT_TRUE(pageHasText(page, kTooClose)) << page;
    EXPECT_TRUE(pageHasText(7, kPickHint));
    EXPECT_TRUE(pageHasText(8, kPickHint));
    EXPECT_EQ(pointMarkers(8), 2);
    EXPECT_EQ(occurrences("Appending"), 2);
    EXPECT_FALSE(transcriptHas("x:20.010000"));
}

TEST_F(Extraction, ARightClickBetweenTwoPointsRemovesTheFirst) {
    enterExtraction();
    click(20, 300);
    click(20.022f, 301);          // 0.022 degree apart: not too close to pick
    rightClick(20.011f, 300.5f);  // within reach of both
    key('q');
    run();
    EXPECT_TRUE(
        transcriptHas("ERROR!!! THERE ARE POINTS TOO CLOSE!!!\n"
                      "Deleting a bg point from 1th @ x:20.000000 , y:300.000000\n"));
    EXPECT_EQ(pointMarkers(4), 1);
    EXPECT_EQ(bands().back()[2], 20.022f);
}

TEST_F(Extraction, DeselectingMissesReportsAndEmptiesTheList) {
    enterExtraction();            // page 1
    click(20, 300);               // page 2
    rightClick(21, 500);          // page 3: nothing there
    rightClick(20.005f, 300.5f);  // page 4: the only point goes
    rightClick(20, 300);          // page 5: nothing to remove in an empty list
    key('q');
    run();
    ASSERT_EQ(pageCount(), 6);
    EXPECT_TRUE(pageHasText(3, kNotFound));
    EXPECT_TRUE(pageHasText(4, kPickHint));
    EXPECT_TRUE(pageHasText(5, kPickHint));
    EXPECT_EQ(pointMarkers(4), 0);
    EXPECT_EQ(occurrences("Deleting a bg point from 1th @ x:20.000000 , y:300.000000\n"), 1);
    // With no point left the rubber band becomes a plain cursor.
    EXPECT_EQ(bands()[6][0], 0);
    EXPECT_EQ(bands()[7][0], 0);
}

TEST_F(Extraction, AClickBeyondACornerScrollsBothWaysAndOneOnTheEdgeDoesNothing) {
    enterExtraction();
    click(23, 650);  // page 2: right and up
    click(17, 150);  // page 3: left and down
    click(22, 400);  // page 4: exactly on the right edge
    key('q');
    run();
    EXPECT_EQ(windows()[2], (std::vector<float>{20, 24, 400, 800}));
    EXPECT_EQ(windows()[3], kRegion);
    EXPECT_EQ(windows()[4], kRegion);
    EXPECT_FALSE(transcriptHas("bg point"));
}

// Here the window stops one half-window earlier than in the region-choice mode: it moves
// only while strictly inside the limit.
TEST_F(Extraction, ScrollingStopsAtEachEdgeOfThePattern) {
    const struct {
        float x, y;
        int moves;  // clicks that move before the first refused one
        std::vector<float> last;
    } edges[] = {
        {100, 400, 5, {28, 32, 200, 600}},    // xmin stops at tthmax - dx/2 = 28
        {-100, 400, 5, {8, 12, 200, 600}},    // xmax stops at tthmin + dx/2 = 12
        {20, 5000, 4, {18, 22, 1000, 1400}},  // ymin stops at maxcts
        {20, -5000, 3, {18, 22, -400, 0}},    // ymax stops at 0
    };
    for (const auto& edge : edges) {
        restart();
        enterExtraction();
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

TEST_F(Extraction, TypedLettersAAndDAreNotClicks) {
    enterExtraction();
    click(20, 300);
    gfx.push(21, 400, 'a');
    gfx.push(20, 300, 'd');
    key('z');
    key('q');
    run();
    EXPECT_EQ(pageCount(), 6);
    EXPECT_EQ(occurrences("bg point"), 1);
    EXPECT_EQ(pointMarkers(5), 1);
}

TEST_F(Extraction, LowerBKeepsTheZoomUpperBReturnsToFullScale) {
    enterExtraction();
    click(20, 300);
    key('b');             // page 3
    rightClick(20, 400);  // page 4: back to the whole pattern
    enterExtraction();    // page 5
    key('B');             // page 6
    key('q');
    run();
    ASSERT_EQ(pageCount(), 7);
    EXPECT_EQ(windows()[3], kRegion);
    EXPECT_EQ(windows()[6], kFullScale);
    EXPECT_EQ(pointMarkers(3), 1);
    EXPECT_EQ(pointMarkers(6), 1);
    EXPECT_TRUE(pageHasText(6, kUnsavedPoints));
}

TEST_F(Extraction, SavingAnEmptyListReturnsToTheRegionChoiceInTheSameWindow) {
    enterExtraction();
    key('S');  // page 2
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(windows()[2], kRegion);
    EXPECT_TRUE(pageHasText(2, kChooseRegion));
    EXPECT_FALSE(fileExists("quartz.fbg"));
}

TEST_F(Extraction, SavingEmptiesTheListAndReturnsToFullScale) {
    enterExtraction();
    click(20, 300);
    key('s');  // page 3
    key('q');
    run();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(windows()[3], kFullScale);
    EXPECT_EQ(pointMarkers(3), 0);
    EXPECT_FALSE(pageHasText(3, kUnsavedPoints));
    EXPECT_EQ(readFile("quartz.gbg"), "I\t20.000000\t300.000000\t0.0\n");
}

TEST_F(Extraction, HelpListsThePickingKeysAndSavesWhenRemovedWithS) {
    enterExtraction();
    click(20, 300);
    key('H');
    key('A');  // page 3: removed, nothing else
    key('h');
    key('S');  // saved: page 4 is the region choice at full scale
    key('q');
    run();
    EXPECT_EQ(pageTexts(2, 4).size(), 4u + 8u + 1u);  // the page's lines, the help, closing
    const std::vector<std::string> texts = pageTexts(2);
    EXPECT_EQ(
        std::vector<std::string>(texts.end() - 11, texts.end()),
        (std::vector<std::string>{
            "============= H E L P =============", "---- Background points extraction mode ----",
            "Left mouse click in the coordination box - Select current position.",
            "Left mouse click out of the coordination box - Move to that direction.",
            "Right mouse click - Deselect current position.",
            "B - Cancel/Go back to previous step.",
            "S - Save current background positions to file.", "R - Refresh.",
            "X - Save & Quit current data into other data file(s).", "Q - Instant Quit.",
            "Press any key/click to remove this help."}));
    const GraphicsCall* closing = nullptr;
    for (const GraphicsCall* call : pageCalls(2))
        if (call->name == "ptxt") closing = call;
    ASSERT_NE(closing, nullptr);
    EXPECT_NEAR(closing->values[1], 600 - 0.58 * 400, 1e-3);
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(pointMarkers(3), 1);  // the click that removed the help picked nothing
    EXPECT_EQ(windows()[4], kFullScale);
    EXPECT_TRUE(fileExists("quartz.fbg"));
}

TEST_F(Extraction, QuitKeysEndTheRun) {
    for (const char quit : {'q', 'Q', 'x', 'X'}) {
        restart();
        enterExtraction();
        click(20, 300);
        key(quit);
        run();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(transcriptHas(kWritersRan), quit == 'x') << quit;
        EXPECT_FALSE(fileExists("quartz.fbg"));  // unsaved points go without a question
    }
}

TEST_F(Extraction, RefreshDrawsTheSamePageAgain) {
    enterExtraction();
    click(20, 300);
    key('r');
    key('R');
    key('q');
    run();
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(windows()[4], kRegion);
    EXPECT_EQ(pointMarkers(4), 1);
    EXPECT_EQ(pageTexts(4), pageTexts(2));
}
