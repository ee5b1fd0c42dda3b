// Values no pattern holds: every reader refuses a number beyond 1e30 in magnitude, in the
// data and in the grid of a header, since the plot works in float and its full-scale
// window (a tenth above the largest intensity, 150 steps beyond the last angle) would
// otherwise overflow to infinity. Found by the reader fuzzers (tests/fuzz).

#include <cmath>
#include <sstream>
#include <string>

#include "console/console.h"
#include "pattern/reader_harness.h"
#include "pattern/readers.h"

namespace {

using PatternValueLimit = ReaderTest;

bool anglesFinite(const PatternStore& store) {
    for (int i = 0; i <= store.ilast; ++i)
        if (!std::isfinite(store.tth[i])) return false;
    return true;
}

TEST_F(PatternValueLimit, AWyrOrDatHeaderFarBeyondAnyAngleIsRefused) {
    // 1e300 is a finite double, but the angles computed from it are infinite floats.
    EXPECT_FALSE(read(readWyr, "1e300 1e300 1e300\n1 2 3 4 5 6 7 8\n"));
    EXPECT_EQ(transcript, "Error in first line of *.wyr file...\n");
    EXPECT_FALSE(
        read(readDat, "1e300 1e300 1e300\n     1.0     2.0     3.0\n     1.0     1.0     1.0"));
    EXPECT_EQ(transcript,
              "Error in first line of *.dat file...\nA .dat file of columns 2theta, counts[, "
              "esd] is read with --from csv (fmt=\"csv\" in Python).\n");
    // A step beyond the limit is refused too, however few points follow.
    EXPECT_FALSE(read(readWyr, "10 2e30 30\n1 2 3\n"));
    EXPECT_EQ(transcript, "Error in first line of *.wyr file...\n");
}

TEST_F(PatternValueLimit, AGdaBankLineFarBeyondAnyAngleIsRefused) {
    const std::string bank = "BANK 1 3 1 CONST 1e300 2.00 0 0 ESD\n";
    EXPECT_FALSE(read(readGda, "title\n" + bank + "   1.0   1.0   2.0   1.0   3.0   1.0\n"));
    EXPECT_EQ(transcript, "title\nError in second line of *.gda file...\n");
}

TEST_F(PatternValueLimit, TheLargestValuesLoadWithFiniteAngles) {
    ASSERT_TRUE(read(readWyr, "1e30 1e26 1e30\n1e30 -1e30 0\n")) << transcript;
    EXPECT_TRUE(anglesFinite(store));
    EXPECT_EQ(store.cts[0], 1.0e30f);
}

TEST_F(PatternValueLimit, XyValuesNearTheFloatMaximumAreRefused) {
    // Counts of 3e38 are floats, but a tenth more is not: the window would be infinite.
    EXPECT_FALSE(read(readXy, "10.00 3e38 1\n10.02 1 1\n10.04 1 1\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
    // Angles of -3e38 and 3e38 are floats, but the step between them is not.
    EXPECT_FALSE(read(readXy, "-3e38 1 1\n3e38 1 1\n0 1 1\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
}

TEST_F(PatternValueLimit, AnXySpacingOfTheLargestValuesGivesAFiniteStep) {
    ASSERT_TRUE(read(readXy, "-1e30 1 1\n1e30 1 1\n0 1 1\n")) << transcript;
    EXPECT_TRUE(std::isfinite(store.tthstep));
    EXPECT_GT(store.tthstep, 1.9e30);
}

TEST_F(PatternValueLimit, ARawScanRecordBeyondTheLimitIsRefused) {
    std::string scan;
    for (int n = 1; n <= 13; ++n) scan += "header\n";
    scan +=
        "tth cts mon tim\n10.00 5 1000000 1000\n10.02 5 1000000 1000\n"
        "10.04 5 1000000 1000\n3e38 5 1000000 1000\n";
    writeFile("scan.001", scan);
    std::FILE* file = std::fopen("scan.001", "r");
    ASSERT_NE(file, nullptr);
    std::istringstream in("\n\n");  // the key pause, then no further file
    std::ostringstream out;
    Console console(in, out);
    ASSERT_TRUE(readSuper(file, console, store));  // the merge closes the file
    EXPECT_NE(out.str().find("Error in current SUPER file...\n"), std::string::npos);
    EXPECT_EQ(store.ilast, 2);
}

}  // namespace
