#include "view/marks.h"

#include <gtest/gtest.h>

#include "support/scripted_graphics.h"
#include "view/cursor.h"
#include "view/position_writing.h"
#include "view/yes_no.h"

TEST(PositionMark, IsMarker2775WithItsCoordinatesInMagenta) {
    ScriptedGraphics gfx;
    drawPositionMark(gfx, 12.34567f, 45.6f);
    const GraphicsCall* point = gfx.lastNamed("pt1");
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->values, (std::vector<float>{12.34567f, 45.6f, 2775}));
    EXPECT_EQ(point->colour, 6);
    const GraphicsCall* label = gfx.lastNamed("ptxt");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "(12.3457, 45.6000)");
    EXPECT_EQ(label->values, (std::vector<float>{12.34567f, 45.6f, 0, 0}));  // starts there
    EXPECT_EQ(label->colour, 6);
}

TEST(PositionMark, LabelOfHugeCoordinatesIsCutNotOverrun) {
    ScriptedGraphics gfx;
    drawPositionMark(gfx, -3.0e38f, 3.0e38f);
    const GraphicsCall* label = gfx.lastNamed("ptxt");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text.front(), '(');
    EXPECT_LT(label->text.size(), 128u);
}

TEST(RoiRectangle, IsAnOutlineDrawnWithoutClipping) {
    ScriptedGraphics gfx;
    drawRoiRectangle(gfx, {15, 90}, {12, 40}, 3);
    std::vector<std::string> names;
    for (const GraphicsCall& call : gfx.calls) names.push_back(call.name);
    EXPECT_EQ(names, (std::vector<std::string>{"sci", "sfs", "sclp", "rect", "sclp", "sfs"}));
    EXPECT_EQ(gfx.calls[1].values[0], 2);  // outline
    EXPECT_EQ(gfx.calls[2].values[0], 0);  // clipping off
    EXPECT_EQ(gfx.calls[3].values, (std::vector<float>{15, 12, 90, 40}));
    EXPECT_EQ(gfx.calls[3].colour, 3);
    EXPECT_EQ(gfx.calls[4].values[0], 1);
    EXPECT_EQ(gfx.calls[5].values[0], 1);
}

TEST(YesNo, OnlyYesAnswersYes) {
    for (const char answer : {'y', 'Y', 'n', 'N', 'A', 'D', 'q'}) {
        ScriptedGraphics gfx;
        ViewState view;
        view.win = {10, 30, -50, 150};
        view.win.updateSize();
        gfx.pushKey(answer);
        EXPECT_EQ(askYesNo(gfx, view, "Sure? (y/N)"), answer == 'y' || answer == 'Y') << answer;
        const GraphicsCall* question = gfx.lastNamed("ptxt");
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->text, "Sure? (y/N)");
        EXPECT_EQ(question->colour, 4);
        EXPECT_NEAR(question->values[1], 150 - 0.145 * 200, 1e-3);
        EXPECT_EQ(gfx.lastNamed("curs")->colour, 1);
    }
}

TEST(PositionWriting, MarksEveryLeftClickUntilWOrARightClick) {
    for (const char end : {'w', 'W', 'D'}) {
        ScriptedGraphics gfx;
        ViewState view;
        gfx.push(12, 40, 'A');
        gfx.push(13, 41, 'a');  // a typed letter, not a click: no mark
        gfx.push(14, 42, 'A');
        gfx.push(15, 43, end);
        EXPECT_EQ(runPositionWriting(gfx, view), std::nullopt);
        const auto marks = gfx.named("pt1");
        ASSERT_EQ(marks.size(), 2u);
        EXPECT_FLOAT_EQ(marks[0]->values[0], 12);
        EXPECT_FLOAT_EQ(marks[1]->values[0], 14);
        EXPECT_EQ(gfx.calls.back().name, "sci");
        EXPECT_EQ(gfx.calls.back().values[0], 1);
        for (const GraphicsCall* band : gfx.named("band")) EXPECT_EQ(band->values[0], 0);
    }
}

TEST(PositionWriting, HandsBackTheQuitKeys) {
    for (const char quit : {'q', 'Q', 'x', 'X'}) {
        ScriptedGraphics gfx;
        ViewState view;
        gfx.push(12, 40, 'A');
        gfx.pushKey(quit);
        EXPECT_EQ(runPositionWriting(gfx, view), quit);
    }
}

namespace {

// A device that has no cursor, as a file device has.
class NoCursorGraphics : public ScriptedGraphics {
  public:
    int band(int, int, float, float, float*, float*, char* ch) override {
        *ch = 'Q';
        return 0;
    }
    int curs(float*, float*, char* ch) override {
        *ch = 'y';
        return 0;
    }
};

}  // namespace

TEST(Cursor, AFailedReadGivesTheNeutralKey) {
    NoCursorGraphics gfx;
    CursorPos at;
    char key = 'A';
    EXPECT_FALSE(readCursor(gfx, 0, at, at, key));
    EXPECT_EQ(key, 'n');
}

TEST(Cursor, AFailedReadEndsTheWritingModeAndAnswersNo) {
    NoCursorGraphics gfx;
    ViewState view;
    EXPECT_EQ(runPositionWriting(gfx, view), std::nullopt);
    EXPECT_FALSE(askYesNo(gfx, view, "Sure? (y/N)"));
}
