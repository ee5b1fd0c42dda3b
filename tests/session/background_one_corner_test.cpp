// The region-choice mode of the background side with one corner given: every key of its
// table.

#include "background_session.h"

namespace {

using OneCorner = BackgroundSession;

}  // namespace

TEST_F(OneCorner, CancelKeysDropTheCorner) {
    for (const char cancel : {'c', 'C', 'D', 'b', 'B'}) {
        restart();
        click(20, 500);
        key(cancel);  // page 1, no corner
        key('q');     // accepted again
        run();
        EXPECT_EQ(result.status, 0);
        ASSERT_EQ(pageCount(), 2) << cancel;
        EXPECT_EQ(bands(), (std::vector<std::vector<float>>{
                               {0, 0, 0, 0}, {2, 0, 20, 500}, {0, 0, 20, 500}}));
        EXPECT_EQ(gfx.count("pt1"), 1);  // the corner's mark on page 0 only
    }
}

TEST_F(OneCorner, AClickOutsideScrollsAndMarksTheCornerAgain) {
    zoomToRegion();  // page 1
    click(19, 300);  // the first corner
    click(23, 650);  // page 2: beyond the right side and the top
    key('b');        // page 3
    key('q');
    run();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(windows()[2], (std::vector<float>{20, 24, 400, 800}));
    EXPECT_TRUE(pageHasText(2, "(19.0000, 300.0000)"));
    EXPECT_EQ(bands()[5], (std::vector<float>{2, 0, 19, 300}));
}

TEST_F(OneCorner, AClickInsideSelectsTheRegion) {
    click(20, 500);
    click(25, 700);
    key('b');
    key('q');
    run();
    ASSERT_EQ(pageCount(), 2);
    EXPECT_TRUE(pageHasText(0, "(25.0000, 700.0000)"));
    const GraphicsCall* outline = gfx.lastNamed("rect");
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(outline->values, (std::vector<float>{20, 25, 500, 700}));
    EXPECT_EQ(outline->colour, 3);
    // The instructions are erased and replaced by those of a selected region.
    EXPECT_EQ(pageTexts(0, 0),
              (std::vector<std::string>{kChooseRegion, kMouseLine, kKeyboardLine}));
    EXPECT_EQ(pageTexts(0, 2),
              (std::vector<std::string>{
                  kChooseRegion, kMouseLine, kKeyboardLine,
                  "ROI is selected : To zoom-in & keep zooming mode, Left mouse click",
                  "To enter background extracting mode, Right mouse click; To cancel this ROI, "
                  "use 'B'",
                  "Keyboard : B  X  Q , H = help"}));
    EXPECT_EQ(bands()[2][0], 0);  // the selected region is read with a plain cursor
}

TEST_F(OneCorner, HelpKeepsTheRubberBandAndTheCorner) {
    for (const char help : {'h', 'H'}) {
        restart();
        click(20, 500);
        key(help);
        click(21, 600);  // removes the help only
        key('b');
        key('q');
        run();
        EXPECT_EQ(pageTexts(0, 2).back(), "---- One down, another click to go ----");
        const std::vector<std::string> lines = pageTexts(0, 4);
        EXPECT_EQ(lines, (std::vector<std::string>{
                             "Left mouse click in the coordination box - Specify another "
                             "position of ROI.",
                             "Left mouse click out of the coordination box - Move to that "
                             "direction.",
                             "Right mouse click - Cancel/Go back to previous step.",
                             "B - Cancel/Go back to previous step.",
                             "Press any key/click to remove this help."}));
        for (const GraphicsCall* text : gfx.named("ptxt")) {
            if (text->text == "Press any key/click to remove this help.") {
                EXPECT_NEAR(text->values[1], 1100 - 0.42 * 1200, 1e-3);
            }
        }
        EXPECT_EQ(bands()[2], (std::vector<float>{2, 0, 20, 500}));
        // The new page still has the corner: marked again, read with the rectangle.
        ASSERT_EQ(pageCount(), 3);
        EXPECT_TRUE(pageHasText(1, "(20.0000, 500.0000)"));
        EXPECT_EQ(bands()[3], (std::vector<float>{2, 0, 20, 500}));
    }
}

TEST_F(OneCorner, QuitKeysAndOtherKeysDoNothing) {
    click(20, 500);
    for (const char other : {'q', 'Q', 'x', 'X', 'a', 'd', 's', 'l', 'p', 'w', 'r'}) key(other);
    key('b');
    key('q');
    run();
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(gfx.count("end"), 1);
    EXPECT_FALSE(transcriptHas(kWritersRan));
    EXPECT_FALSE(transcriptHas("FBG/GBG"));
    for (int read = 1; read <= 12; ++read) EXPECT_EQ(bands()[read][0], 2);
}
