// The region-choice mode of the background side with a region selected: every key of its
// table.

#include "background_session.h"

namespace {

using RoiSelected = BackgroundSession;

const std::string kSelectedLine0 =
    "ROI is selected : To zoom-in & keep zooming mode, Left mouse click";

}  // namespace

TEST_F(RoiSelected, AClickOutsideScrollsAndShowsTheRegionAgain) {
    zoomToRegion();  // page 1
    click(19, 300);
    click(21, 500);
    click(17, 400);  // page 2: beyond the left side
    key('b');        // page 3
    key('q');
    run();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(windows()[2], (std::vector<float>{16, 20, 200, 600}));
    EXPECT_TRUE(pageHasText(2, "(19.0000, 300.0000)"));
    EXPECT_TRUE(pageHasText(2, "(21.0000, 500.0000)"));
    EXPECT_TRUE(pageHasText(2, kSelectedLine0));
    int outlines = 0;
    for (const GraphicsCall* call : pageCalls(2)) {
        if (call->name != "rect") continue;
        ++outlines;
        EXPECT_EQ(call->values, (std::vector<float>{19, 21, 300, 500}));
    }
    EXPECT_EQ(outlines, 1);
    EXPECT_EQ(windows()[3], (std::vector<float>{16, 20, 200, 600}));
}

TEST_F(RoiSelected, AClickInsideZoomsAndWaitsForANewRegion) {
    click(21, 500);
    click(19, 300);
    click(20, 400);  // page 1: zoomed
    click(19.5f, 350);
    key('b');  // page 2: the corner cancelled, zoom kept
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(windows()[1], (std::vector<float>{19, 21, 300, 500}));
    EXPECT_EQ(bands()[3][0], 0);                                    // no corner
    EXPECT_EQ(bands()[4], (std::vector<float>{2, 0, 19.5f, 350}));  // one corner
    EXPECT_EQ(windows()[2], (std::vector<float>{19, 21, 300, 500}));
}

TEST_F(RoiSelected, ARightClickStartsPickingInTheRegion) {
    enterExtraction();
    key('q');
    run();
    ASSERT_EQ(pageCount(), 2);
    EXPECT_EQ(windows()[1], kRegion);
    EXPECT_EQ(pageTexts(1, 4),
              (std::vector<std::string>{
                  "Zoomed screen : To scroll, left mouse button click outside of coordination box",
                  "Left click to select; Right click to deselect",
                  "If done, hit 'S' in keyboard to save current background points",
                  "Keyboard : B  S  R  X  Q , H = help"}));
}

TEST_F(RoiSelected, QuitKeysEndTheRun) {
    for (const char quit : {'q', 'Q', 'x', 'X'}) {
        restart();
        click(19, 300);
        click(21, 500);
        key(quit);
        run();
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(transcriptHas(kWritersRan), quit == 'x') << quit;
    }
}

TEST_F(RoiSelected, BDropsTheRegionKeepingTheWindow) {
    for (const char cancel : {'b', 'B'}) {
        restart();
        zoomToRegion();
        click(19, 300);
        click(21, 500);
        key(cancel);  // page 2
        key('q');
        run();
        ASSERT_EQ(pageCount(), 3);
        EXPECT_EQ(windows()[2], kRegion);
        EXPECT_FALSE(pageHasText(2, kSelectedLine0));
        EXPECT_EQ(bands().back()[0], 0);
    }
}

TEST_F(RoiSelected, FDropsTheRegionAndReturnsToFullScale) {
    for (const char full : {'f', 'F'}) {
        restart();
        zoomToRegion();
        click(19, 300);
        click(21, 500);
        key(full);  // page 2
        key('q');
        run();
        ASSERT_EQ(pageCount(), 3);
        EXPECT_EQ(windows()[2], kFullScale);
        EXPECT_FALSE(pageHasText(2, kSelectedLine0));
    }
}

TEST_F(RoiSelected, HelpListsTheKeysOfASelectedRegion) {
    for (const char help : {'h', 'H'}) {
        restart();
        click(19, 300);
        click(21, 500);
        key(help);
        rightClick(20, 400);  // removes the help only: no picking starts
        key('q');
        run();
        EXPECT_EQ(pageTexts(0, 4),
                  (std::vector<std::string>{
                      "Left mouse click in the coordination box - Rescale to given ROI.",
                      "Left mouse click out of the coordination box - Move to that direction.",
                      "Right mouse click - Enter the background points picking mode.",
                      "B - Cancel/Go back to previous step.",
                      "X - Save & Quit current data into other data file(s).", "Q - Instant Quit.",
                      "Press any key/click to remove this help."}));
        EXPECT_EQ(pageTexts(0, 2).back(), "---- ROI is now selected ----");
        for (const GraphicsCall* text : gfx.named("ptxt")) {
            if (text->text == "Press any key/click to remove this help.") {
                EXPECT_NEAR(text->values[1], 1100 - 0.50 * 1200, 1e-3);
            }
        }
        EXPECT_EQ(bands()[3][0], 0);
        ASSERT_EQ(pageCount(), 2);
        EXPECT_TRUE(pageHasText(1, kSelectedLine0));  // still selected
    }
}

TEST_F(RoiSelected, OtherKeysAreReadAgain) {
    click(19, 300);
    click(21, 500);
    for (const char other : {'a', 'd', 's', 'S', 'l', 't', 'p', 'w', 'r', 'c'}) key(other);
    key('q');
    run();
    EXPECT_EQ(pageCount(), 1);
    EXPECT_FALSE(transcriptHas("FBG/GBG"));
    EXPECT_FALSE(transcriptHas("Enter..."));
    EXPECT_EQ(gfx.count("band"), 13);
}

TEST_F(RoiSelected, ARegionWithoutWidthOrHeightIsDropped) {
    click(19, 300);
    click(19, 500);  // no width
    click(20, 400);  // page 1: refused, the whole pattern still shown
    click(19, 300);
    click(21, 300);       // no height
    rightClick(20, 400);  // page 2: refused, no picking
    key('q');
    run();
    ASSERT_EQ(pageCount(), 3);
    EXPECT_EQ(windows()[1], kFullScale);
    EXPECT_EQ(windows()[2], kFullScale);
    EXPECT_FALSE(pageHasText(2, "Left click to select; Right click to deselect"));
    EXPECT_EQ(bands().back()[0], 0);
}
