// XRS82 (.xy) files: three free columns per line, angles read rather than computed.

#include <string>

#include "pattern/reader_harness.h"
#include "pattern/readers.h"

namespace {

using XyReaderTest = ReaderTest;

TEST_F(XyReaderTest, KeepsTheThreeColumnsAsRead) {
    ASSERT_TRUE(read(readXy, "10.00 100 5.5\n10.02 200.25 6\n10.05 300 7\n10.06 400 8\n"));
    // 10.05 lies half a step off the grid of the documented step 0.02, and within a third of
    // a step of the least-squares grid through the first angle.
    EXPECT_EQ(transcript, "4 data points read.\n");
    EXPECT_EQ(store.ilast, 3);
    EXPECT_FLOAT_EQ(store.tth[2], 10.05f);
    EXPECT_FLOAT_EQ(store.cts[1], 200.25f);
    EXPECT_FLOAT_EQ(store.sig[0], 5.5f);
    EXPECT_EQ(store.tthmin, static_cast<double>(10.00f));
    EXPECT_EQ(store.tthmax, static_cast<double>(10.06f));
    EXPECT_NEAR(store.tthstep, 0.3 / 14, 1e-6);
}

TEST_F(XyReaderTest, ValuesAfterTheThirdAreIgnored) {
    ASSERT_TRUE(read(readXy, "10.00 1 2 99 99\n10.02 3 4 x\n10.04 5 6\n")) << transcript;
    EXPECT_FLOAT_EQ(store.sig[0], 2.0f);
    EXPECT_FLOAT_EQ(store.cts[1], 3.0f);
}

TEST_F(XyReaderTest, TheLastLineNeedsNoLineEnd) {
    ASSERT_TRUE(read(readXy, "10.00 1 2\n10.02 3 4\n10.04 5 6")) << transcript;
    EXPECT_EQ(store.ilast, 2);
    EXPECT_FLOAT_EQ(store.sig[2], 6.0f);
}

TEST_F(XyReaderTest, LinesWithoutThreeValuesFail) {
    EXPECT_FALSE(read(readXy, "10.00 1 2\n10.02 3\n10.04 5 6\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
    EXPECT_FALSE(read(readXy, "10.00 1 2\n\n10.02 3 4\n10.04 5 6\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
    EXPECT_FALSE(read(readXy, "10.00 1 2\n10.02 3 4\n10.04 5 6\n   \n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
    EXPECT_FALSE(read(readXy, "# tth cts sig\n10.00 1 2\n10.02 3 4\n10.04 5 6\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
}

TEST_F(XyReaderTest, NumbersThatAreNotFiniteFail) {
    EXPECT_FALSE(read(readXy, "10.00 1 2\n10.02 nan 4\n10.04 5 6\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
    EXPECT_FALSE(read(readXy, "10.00 1 2\n10.02 3 inf\n10.04 5 6\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n");
    EXPECT_FALSE(read(readXy, "10.00 1 2\n10.02 1e39 4\n10.04 5 6\n"));  // beyond float
    EXPECT_EQ(transcript, "Error in *.xy file\n");
}

TEST_F(XyReaderTest, EmptyFileHasTooFewPoints) {
    EXPECT_FALSE(read(readXy, ""));
    EXPECT_EQ(transcript, "Too small data points!!! Check the file...\n");
}

// 30.00 - 29.98 is -0.0200005 in single precision: times 10000 plus 0.5 is -199.5005,
// cut toward zero to -199.
TEST_F(XyReaderTest, DecreasingAnglesGiveAStepCutTowardZero) {
    ASSERT_TRUE(read(readXy, "30.00 1 1\n29.98 2 1\n29.96 3 1\n")) << transcript;
    EXPECT_NEAR(store.tthstep, -0.0199, 1e-12);
    EXPECT_EQ(transcript, "3 data points read.\n");  // 30 - 2 * 0.0199 is within 0.001
}

TEST_F(XyReaderTest, ADocumentedStepThatDriftsOffTheAnglesGivesWayToTheFirstAndLast) {
    // 100 points down from 30 by 0.02 end at 28.02; the grid of -0.0199 ends at 28.0299,
    // more than a third of a step off.
    std::string text;
    for (int i = 0; i < 100; ++i) text += std::to_string(30.0 - 0.02 * i) + " 10 1\n";
    ASSERT_TRUE(read(readXy, text));
    EXPECT_EQ(transcript, "100 data points read.\n");
    EXPECT_EQ(store.ilast, 99);
    EXPECT_NEAR(store.tthstep, -0.02, 1e-6);
}

TEST_F(XyReaderTest, OnlyAnAngleBeyondAThirdOfAStepOfEveryGridWarns) {
    ASSERT_TRUE(read(readXy, "10.00 1 1\n10.02 1 1\n10.04 1 1\n10.0605 1 1\n"));
    EXPECT_EQ(transcript, "4 data points read.\n");
    ASSERT_TRUE(read(readXy, "10.00 1 1\n10.02 1 1\n10.04 1 1\n10.062 1 1\n"));
    EXPECT_EQ(transcript, "4 data points read.\n");
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    ASSERT_TRUE(read(readXy, "10.00 1 1\n10.02 1 1\n10.04 1 1\n10.08 1 1\n"));
    EXPECT_EQ(transcript, "Please, check *.xy file...\n");
}

// The line buffer holds 99 characters: the rest of a longer line is read as a line of its
// own, here a second point.
TEST_F(XyReaderTest, ALineLongerThanTheBufferIsReadInPieces) {
    std::string first = "10.00 1 1";
    first.resize(99, ' ');
    ASSERT_TRUE(read(readXy, first + "10.02 2 2\n10.04 3 3\n")) << transcript;
    EXPECT_EQ(store.ilast, 2);
    EXPECT_FLOAT_EQ(store.tth[1], 10.02f);
}

}  // namespace
