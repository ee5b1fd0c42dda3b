// What a run cut off by a signal or the loss of the display saves: exactly the work not yet
// in a file, in the formats of the program's own saves, next to the data file, never over
// an earlier recovery file.

#include "driver/recovery.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "console/console.h"
#include "driver/fixed_text.h"
#include "driver/run_state.h"
#include "pattern/writers.h"
#include "support/scripted_graphics.h"
#include "support/temp_dir.h"

namespace {

struct Recovered {
    std::string written;
    std::string failed;
};

Recovered recover() {
    FixedText written;
    FixedText failed;
    writeRecoveryFiles(written, failed);
    return {std::string(written.data(), written.size()), std::string(failed.data(), failed.size())};
}

class RecoveryTest : public ::testing::Test {
  protected:
    RecoveryTest() {
        state->dataFile.name = "data/quartz.xy";
        state->dataFile.format = 'x';
        std::filesystem::create_directory("data");
    }

    void addPoint(float x, float y) {
        PointList& points = state->points;
        ++points.last;
        points.x[points.last] = x;
        points.y[points.last] = y;
    }

    TempDir dir;
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};
    ScriptedGraphics gfx;
    std::unique_ptr<RunState> state = std::make_unique<RunState>(console, gfx);
};

}  // namespace

TEST_F(RecoveryTest, BackgroundPointsGoToAnFbgFileAndNeverOverAnEarlierOne) {
    addPoint(20.5f, 1234.5f);
    addPoint(21.123456789f, 0.1f);
    RecoveryWatch watch(*state);
    watch.enterSide(true);
    std::string expected;
    for (int i = 0; i <= 1; ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "%f\t%f\t0.0\n", state->points.x[i], state->points.y[i]);
        expected += line;
    }
    const Recovered first = recover();
    EXPECT_EQ(first.written, "data/quartz.fbg.recovered");
    EXPECT_EQ(first.failed, "");
    EXPECT_EQ(readFile("data/quartz.fbg.recovered"), expected);
    EXPECT_EQ(recover().written, "data/quartz.fbg.recovered.2");
    EXPECT_EQ(readFile("data/quartz.fbg.recovered"), expected);
}

TEST_F(RecoveryTest, PeakPositionsGoToACdtFileAsTheSaveWritesIt) {
    for (const float tth : {5.2f, 3.1f, 351.0f, 5.2f, 4.0f}) addPoint(tth, 0.0f);
    RecoveryWatch watch(*state);
    watch.enterSide(false);
    EXPECT_EQ(recover().written, "data/quartz.cdt.recovered");
    EXPECT_EQ(readFile("data/quartz.cdt.recovered"), "  3.1000\n  4.0000\n  5.2000\n  5.2000\n");
}

TEST_F(RecoveryTest, APatternMergedFromRawScansGoesToAnXyFile) {
    state->dataFile.name = "data/scan.001";
    state->dataFile.format = 's';
    PatternStore& pattern = state->pattern;
    for (int i = 0; i < 5; ++i) {
        pattern.cts[i] = 100.0f + 10.5f * i;
        pattern.sig[i] = 10.0f + i;
    }
    pattern.ilast = 4;
    pattern.tthmin = 20.0;
    pattern.tthstep = 0.02;
    pattern.tthmax = 20.08;
    RecoveryWatch watch(*state);
    watch.enterSide(true);  // no background points: only the pattern is unsaved
    EXPECT_EQ(recover().written, "data/scan.xy.recovered");
    ASSERT_EQ(writePatternFile(console, pattern, 'x', "written.xy", ""), 0);
    EXPECT_EQ(readFile("data/scan.xy.recovered"), readFile("written.xy"));
}

TEST_F(RecoveryTest, NothingUnsavedWritesNothing) {
    {
        RecoveryWatch watch(*state);
        watch.enterSide(true);
        EXPECT_EQ(recover().written, "");
    }
    addPoint(20.5f, 1234.5f);  // no run is watched any more
    EXPECT_EQ(recover().written, "");
    EXPECT_TRUE(std::filesystem::is_empty("data"));
}
