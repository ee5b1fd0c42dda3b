// Sessions on the background side under bad input and failing devices: the run goes on,
// or ends in order, and nothing is written where it does not belong.

#include <algorithm>

#include "background_session.h"

namespace {

using BackgroundMends = BackgroundSession;

// Answers the program's device opening, then refuses every later one.
class ScreenLostAfterStart : public ScriptedGraphics {
  public:
    int open(const char* device) override {
        ScriptedGraphics::open(device);
        return ++opens == 1 ? 1 : 0;
    }

  private:
    int opens = 0;
};

// A device without a cursor, as a file device named where the screen was expected.
class NoCursor : public ScriptedGraphics {
  public:
    int band(int, int, float, float, float*, float*, char*) override { return 0; }
};

}  // namespace

TEST_F(BackgroundMends, A201stPointIsRefusedWhetherPickedOrLoaded) {
    std::string points;
    for (int i = 0; i < 205; ++i) points += std::to_string(10.0 + 0.1 * i) + " 500.0 0\n";
    writeFile("many.fbg", points);
    key('L');            // page 1: 200 points, five refused
    enterExtraction();   // page 2
    click(18.05f, 300);  // page 3: refused
    key('S');
    key('q');
    run("many.fbg\n");
    EXPECT_EQ(occurrences("BG:The list is full (200 points)"), 6);
    EXPECT_EQ(pointMarkers(3), 200);
    std::string saved = readFile("quartz.fbg");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 200);
    EXPECT_EQ(saved.find("18.05"), std::string::npos);
}

TEST_F(BackgroundMends, ARefusedPrintDeviceLeavesTheSessionGoing) {
    gfx.beginResults = {0};
    enterExtraction();
    click(20, 300);
    key('b');  // page 3
    key('P');  // page 4: the device is refused, the screen comes back
    key('q');
    run();
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(transcriptHas("PGPLOT initialization fail!!!\n"));
    EXPECT_EQ(gfx.lastNamed("open")->text, "/gw");
    ASSERT_EQ(pageCount(), 5);
    EXPECT_EQ(pointMarkers(4), 1);
    EXPECT_TRUE(pageHasText(4, kUnsavedPoints));
}

TEST_F(BackgroundMends, LosingTheScreenAfterAPrintEndsTheRunWithStatus1) {
    ScreenLostAfterStart device;
    device.beginResults = {1, 0};
    device.pushKey('p');
    result = runSession(device, {"quartz.xy"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.transcript.find("PGPLOT initialization fail!!!\n"), std::string::npos);
    EXPECT_TRUE(device.events.empty());
}

TEST_F(BackgroundMends, ADeviceWithoutACursorEndsTheRunInsteadOfWaiting) {
    NoCursor device;
    result = runSession(device, {"quartz.xy"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.transcript.find("The graphics device gives no cursor input"),
              std::string::npos);
}

TEST_F(BackgroundMends, APatternWithoutPositiveIntensityIsDrawnAndCountsAsFullScale) {
    writePatternFile("negative.xy", [](int i) { return -10.0f - i; });
    rightClick(20, -500);  // at full scale with no points: to the peak side
    key('B');              // straight back, the peak side being at full scale too
    key('q');
    run("", "negative.xy");
    ASSERT_EQ(pageCount(), 3);
    const std::vector<float> first = windows()[0];
    EXPECT_LT(first[2], -1010.0f);
    EXPECT_GT(first[3], -10.0f);
    EXPECT_TRUE(pageHasText(1, kPeakSide));
}
