#include "view/text_lines.h"

#include <gtest/gtest.h>

#include <array>

#include "support/scripted_graphics.h"
#include "view/colours.h"
#include "view/help_overlay.h"

namespace {

// A window 20 degrees wide and 200 units high, so fractions of dy are easy to read.
PlotWindow window() {
    PlotWindow win{10, 30, -50, 150};
    win.updateSize();
    return win;
}

}  // namespace

TEST(TextLines, LieAboveTheBoxAndInsideItsTop) {
    const PlotWindow win = window();
    EXPECT_NEAR(textLineY(win, 0), 150 + 4.0, 1e-4);
    EXPECT_NEAR(textLineY(win, 1), 150 - 8.0, 1e-4);
    EXPECT_NEAR(textLineY(win, 2), 150 - 15.0, 1e-4);
    EXPECT_NEAR(textLineY(win, 3), 150 - 22.0, 1e-4);
    EXPECT_NEAR(textLineY(win, kQuestionLine), 150 - 29.0, 1e-4);
}

TEST(TextLines, AreCentredOnTheBoxInTheGivenColour) {
    ScriptedGraphics gfx;
    const TextLines lines{{"zero", "one", "two"}, 3};
    drawTextLines(gfx, window(), lines, kColourErase);
    const auto texts = gfx.named("ptxt");
    ASSERT_EQ(texts.size(), 3u);
    for (int line = 0; line < 3; ++line) {
        const GraphicsCall& call = *texts[line];
        EXPECT_EQ(call.text, lines.text[line]);
        EXPECT_EQ(call.colour, kColourErase);
        EXPECT_FLOAT_EQ(call.values[0], 20.0f);  // centre of the box
        EXPECT_NEAR(call.values[1], textLineY(window(), line), 1e-4);
        EXPECT_FLOAT_EQ(call.values[2], 0.0f);  // horizontal
        EXPECT_FLOAT_EQ(call.values[3], 0.5f);  // centred
    }
}

TEST(HelpOverlay, StacksBannerTitleLinesAndClosingLine) {
    ScriptedGraphics gfx;
    constexpr std::array<const char*, 3> lines = {"first", "second", "third"};
    drawHelpOverlay(gfx, window(), {"---- title ----", lines});
    const auto texts = gfx.named("ptxt");
    ASSERT_EQ(texts.size(), 6u);
    // (text, colour, depth below the top as a fraction of dy)
    const struct {
        const char* text;
        int colour;
        double depth;
    } expected[] = {{"============= H E L P =============", 1, 0.18},
                    {"---- title ----", 2, 0.22},
                    {"first", 4, 0.26},
                    {"second", 4, 0.30},
                    {"third", 4, 0.34},
                    {"Press any key/click to remove this help.", 4, 0.38}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(texts[i]->text, expected[i].text);
        EXPECT_EQ(texts[i]->colour, expected[i].colour) << expected[i].text;
        EXPECT_NEAR(texts[i]->values[1], 150 - expected[i].depth * 200, 1e-3) << expected[i].text;
        EXPECT_FLOAT_EQ(texts[i]->values[0], 20.0f);
    }
}

TEST(HelpOverlay, ClosingLineFollowsTheLineCount) {
    const PlotWindow win = window();
    EXPECT_NEAR(helpLineY(win, 12), 150 - 0.74 * 200, 1e-3);
    EXPECT_NEAR(helpLineY(win, 4), 150 - 0.42 * 200, 1e-3);
    EXPECT_NEAR(helpLineY(win, 6), 150 - 0.50 * 200, 1e-3);
    EXPECT_NEAR(helpLineY(win, 8), 150 - 0.58 * 200, 1e-3);
}

TEST(HelpOverlay, WaitsForOneInputWithTheModesBandAnchoredAtTheFirstCorner) {
    ScriptedGraphics gfx;
    ViewState view;
    view.win = window();
    view.corner1 = {12.5f, 40.0f};
    gfx.push(20, 20, 'p');
    constexpr std::array<const char*, 1> lines = {"only"};
    EXPECT_EQ(showHelp(gfx, view, {"t", lines}, 2), 'p');
    EXPECT_EQ(view.key, 'p');
    const GraphicsCall* band = gfx.lastNamed("band");
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->values, (std::vector<float>{2, 0, 12.5f, 40.0f}));
}
