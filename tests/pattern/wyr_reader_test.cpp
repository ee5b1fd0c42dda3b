// Wyriet (.wyr) files: a tthmin, tthstep, tthmax line, then up to eight counts per line.

#include <string>

#include "pattern/reader_harness.h"
#include "pattern/readers.h"

namespace {

using WyrReaderTest = ReaderTest;

const std::string kHeader = "  10.000   0.020  10.200\n";

TEST_F(WyrReaderTest, CountsFillEightPerLineAndAnglesAreComputed) {
    ASSERT_TRUE(read(readWyr, kHeader + "100 101 102 103 104 105 106 107\n108 109 110"));
    EXPECT_EQ(transcript, "11 data points read.\n");
    EXPECT_EQ(store.ilast, 10);
    EXPECT_FLOAT_EQ(store.cts[7], 107.0f);
    EXPECT_FLOAT_EQ(store.cts[8], 108.0f);
    EXPECT_FLOAT_EQ(store.tth[10], 10.2f);
    EXPECT_DOUBLE_EQ(store.tthmax, 10.2);
    EXPECT_EQ(store.sig[0], kUnset);  // the format has no third column
}

TEST_F(WyrReaderTest, ALastLineOfThreeValues) {
    std::string text = "  10.000   0.020  10.360\n";
    text += "1 2 3 4 5 6 7 8\n1 2 3 4 5 6 7 8\n1 2 3\n";
    ASSERT_TRUE(read(readWyr, text)) << transcript;
    EXPECT_EQ(store.ilast, 8 * 2 + 2);
    EXPECT_EQ(transcript, "19 data points read.\n");
}

TEST_F(WyrReaderTest, AShortLineBeforeMoreDataFails) {
    EXPECT_FALSE(read(readWyr, kHeader + "1 2 3\n4 5 6 7 8 9 10 11\n"));
    EXPECT_EQ(transcript, "Error in *.wyr file...\n");
}

TEST_F(WyrReaderTest, ValuesAfterTheEighthAreIgnored) {
    ASSERT_TRUE(read(readWyr, "  10.000   0.020  10.180\n1 2 3 4 5 6 7 8 9 10\n20 21"));
    EXPECT_EQ(store.ilast, 9);
    EXPECT_FLOAT_EQ(store.cts[7], 8.0f);
    EXPECT_FLOAT_EQ(store.cts[8], 20.0f);
    EXPECT_FLOAT_EQ(store.cts[9], 21.0f);
}

TEST_F(WyrReaderTest, AHeaderOfFewerThanThreeValuesFails) {
    EXPECT_FALSE(read(readWyr, "10.0 0.02\n1 2 3\n"));
    EXPECT_EQ(transcript, "Error in first line of *.wyr file...\n");
    EXPECT_FALSE(read(readWyr, ""));
    EXPECT_EQ(transcript, "Error in first line of *.wyr file...\n");
    EXPECT_FALSE(read(readWyr, "10.0 nan 10.04\n1 2 3\n"));
    EXPECT_EQ(transcript, "Error in first line of *.wyr file...\n");
}

TEST_F(WyrReaderTest, AHeaderTthmaxOffTheDataWarnsAndStillCounts) {
    ASSERT_TRUE(read(readWyr, "10.0 0.02 12.0\n1 2 3\n"));
    EXPECT_EQ(transcript, "Please, check *.wyr file...\n3 data points read.\n");
    EXPECT_DOUBLE_EQ(store.tthmax, 12.0);  // kept as the header gives it
    ASSERT_TRUE(read(readWyr, "10.0 0.02 10.04005\n1 2 3\n"));
    EXPECT_EQ(transcript, "3 data points read.\n");
}

TEST_F(WyrReaderTest, AValueThatIsNotANumberFails) {
    EXPECT_FALSE(read(readWyr, kHeader + "1 2 nan\n"));
    EXPECT_EQ(transcript, "Error in *.wyr file...\n");
}

}  // namespace
