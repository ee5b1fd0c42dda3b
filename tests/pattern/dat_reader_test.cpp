// PROFIN (.dat) files: a header, then pairs of lines of fixed 8-character fields, counts
// then weights.

#include <string>

#include "pattern/reader_harness.h"
#include "pattern/readers.h"

namespace {

const std::string kDatColumnsHint =
    "A .dat file of columns 2theta, counts[, esd] is read with --from csv (fmt=\"csv\" in "
    "Python).\n";

using DatReaderTest = ReaderTest;

TEST_F(DatReaderTest, PairsOfLinesFillCountsAndWeights) {
    const std::string text =
        "  10.000    0.020   10.200\n"
        "   100.0   101.0   102.0   103.0   104.0   105.0   106.0   107.0   108.0   109.0\n"
        "    1.00    1.50    2.00    2.50    3.00    3.50    4.00    4.50    5.00    5.50\n"
        "   110.0   111.0\n"
        "    6.00    6.50";
    ASSERT_TRUE(read(readDat, text));
    EXPECT_EQ(transcript, "12 data points read.\n");
    EXPECT_EQ(store.ilast, 11);
    EXPECT_FLOAT_EQ(store.cts[9], 109.0f);
    EXPECT_FLOAT_EQ(store.sig[9], 5.5f);
    EXPECT_FLOAT_EQ(store.cts[11], 111.0f);
    EXPECT_FLOAT_EQ(store.sig[11], 6.5f);
    EXPECT_FLOAT_EQ(store.tth[11], 10.22f);
    EXPECT_DOUBLE_EQ(store.tthmax, 11 * 0.02 + 10.0);
}

// The header's third value is the angle of the point before the last.
TEST_F(DatReaderTest, AHeaderGivingTheLastAngleWarnsButKeepsTheComputedTthmax) {
    const std::string pair = "   100.0   200.0   300.0\n    1.00    2.00    3.00";
    ASSERT_TRUE(read(readDat, "  10.000    0.020   10.020\n" + pair));
    EXPECT_EQ(transcript, "3 data points read.\n");
    ASSERT_TRUE(read(readDat, "  10.000    0.020   10.040\n" + pair));
    EXPECT_EQ(transcript, "Please, check *.dat file...\n3 data points read.\n");
    EXPECT_DOUBLE_EQ(store.tthmax, 10.04);
}

TEST_F(DatReaderTest, AMissingLastWeightsLineRepeatsTheCounts) {
    const std::string text =
        "  10.000    0.020   10.200\n"
        "   100.0   101.0   102.0   103.0   104.0   105.0   106.0   107.0   108.0   109.0\n"
        "    1.00    1.50    2.00    2.50    3.00    3.50    4.00    4.50    5.00    5.50\n"
        "   110.0   111.0\n";
    ASSERT_TRUE(read(readDat, text)) << transcript;
    EXPECT_EQ(store.ilast, 11);
    EXPECT_FLOAT_EQ(store.sig[9], 5.5f);
    EXPECT_FLOAT_EQ(store.sig[10], 110.0f);
    EXPECT_FLOAT_EQ(store.sig[11], 111.0f);
}

TEST_F(DatReaderTest, WeightsMustMatchTheCountsInNumber) {
    EXPECT_FALSE(read(readDat, "10 0.02 10.02\n   100.0   200.0   300.0\n    1.00    2.00\n"));
    EXPECT_EQ(transcript, "Error in *.dat file...\n");
    EXPECT_FALSE(read(readDat, "10 0.02 10.02\n   100.0   200.0   300.0\n\n"));
    EXPECT_EQ(transcript, "Error in *.dat file...\n");
}

TEST_F(DatReaderTest, AShortPairBeforeMoreDataFails) {
    const std::string text =
        "10 0.02 10.02\n"
        "   100.0   200.0   300.0\n    1.00    2.00    3.00\n"
        "   400.0   500.0   600.0\n    4.00    5.00    6.00";
    EXPECT_FALSE(read(readDat, text));
    EXPECT_EQ(transcript, "Error in *.dat file...\n");
}

// Fields are 8 characters wide whether or not a blank separates them, and an eleventh
// field is not read.
TEST_F(DatReaderTest, FieldsAreEightCharactersWideAndTenPerLine) {
    const std::string counts =
        "100.0000200.0000300.0000400.0000500.0000"
        "600.0000700.0000800.0000900.00001000.000999.0000";
    const std::string weights =
        "    1.00    2.00    3.00    4.00    5.00"
        "    6.00    7.00    8.00    9.00   10.00   99.00";
    ASSERT_TRUE(read(readDat, "10 0.02 10.16\n" + counts + "\n" + weights)) << transcript;
    EXPECT_EQ(store.ilast, 9);
    EXPECT_FLOAT_EQ(store.cts[1], 200.0f);
    EXPECT_FLOAT_EQ(store.cts[9], 1000.0f);
    EXPECT_FLOAT_EQ(store.sig[9], 10.0f);
    EXPECT_EQ(store.cts[10], kUnset);
}

// A header of fewer than three values is most often a text pattern's first line (the two
// columns scientists exchange as .dat): the message says how to read one.
TEST_F(DatReaderTest, AHeaderOfFewerThanThreeValuesFailsSayingHowToReadColumns) {
    for (const char* text : {"10.0 0.02\n   100.0   200.0   300.0\n    1.00    2.00    3.00",
                             "10.00 100\n10.02 200\n10.04 300\n", "# 2theta counts\n10 1\n"}) {
        EXPECT_FALSE(read(readDat, text));
        EXPECT_EQ(transcript, "Error in first line of *.dat file...\n" + kDatColumnsHint) << text;
    }
}

}  // namespace
