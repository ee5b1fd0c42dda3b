// GSAS (.gda) files: a title, the BANK line, then up to five count and ESD pairs per line.

#include <string>

#include "pattern/reader_harness.h"
#include "pattern/readers.h"
#include "support/reader_samples.h"

namespace {

using GdaReaderTest = ReaderTest;

const std::string kTitle = "Quartz, Cu K-alpha, 2 hours\n";

TEST_F(GdaReaderTest, EchoesTheTitleAndReadsPairs) {
    const std::string text = kTitle + gdaBankLine(7, 2) +
                             "   100.0    10.0   101.0    10.1   102.0    10.2   103.0    10.3"
                             "   104.0    10.4\n   105.0    10.5   106.0    10.6";
    ASSERT_TRUE(read(readGda, text));
    EXPECT_EQ(transcript, kTitle + "7 data points read.\n");
    EXPECT_EQ(store.ilast, 6);
    EXPECT_DOUBLE_EQ(store.tthmin, 10.0);
    EXPECT_DOUBLE_EQ(store.tthstep, 0.02);
    EXPECT_DOUBLE_EQ(store.tthmax, 6 * 0.02 + 10.0);
    EXPECT_FLOAT_EQ(store.cts[4], 104.0f);
    EXPECT_FLOAT_EQ(store.sig[4], 10.4f);
    EXPECT_FLOAT_EQ(store.cts[6], 106.0f);
    EXPECT_FLOAT_EQ(store.sig[6], 10.6f);
    EXPECT_FLOAT_EQ(store.tth[6], 10.12f);
}

TEST_F(GdaReaderTest, SevenValuesGiveThreePoints) {
    ASSERT_TRUE(read(readGda, kTitle + gdaBankLine(3, 1) +
                                  "   100.0     1.0   200.0     2.0   300.0     3.0   400.0"));
    EXPECT_EQ(store.ilast, 2);
    EXPECT_FLOAT_EQ(store.sig[2], 3.0f);
    EXPECT_EQ(store.cts[3], kUnset);  // the unpaired value is no point
}

TEST_F(GdaReaderTest, OneValueIsNoData) {
    EXPECT_FALSE(read(readGda, kTitle + gdaBankLine(1, 1) + "   100.0"));
    EXPECT_EQ(transcript, kTitle + "Error in *.gda file...\n");
}

TEST_F(GdaReaderTest, ValuesAfterTheTenthAreIgnored) {
    const std::string text = kTitle + gdaBankLine(7, 2) +
                             "     1.0     1.0     2.0     2.0     3.0     3.0     4.0     4.0"
                             "     5.0     5.0    99.0    99.0\n     6.0     6.0     7.0     7.0";
    ASSERT_TRUE(read(readGda, text)) << transcript;
    EXPECT_EQ(store.ilast, 6);
    EXPECT_FLOAT_EQ(store.cts[5], 6.0f);
}

TEST_F(GdaReaderTest, AShortLineBeforeMoreDataFails) {
    const std::string text = kTitle + gdaBankLine(9, 2) +
                             "     1.0     1.0     2.0     2.0     3.0     3.0     4.0     4.0"
                             "     5.0\n     6.0     6.0     7.0     7.0";
    EXPECT_FALSE(read(readGda, text));
    EXPECT_EQ(transcript, kTitle + "Error in *.gda file...\n");
}

TEST_F(GdaReaderTest, AChannelCountOffTheDataWarnsAndStillCounts) {
    ASSERT_TRUE(read(
        readGda, kTitle + gdaBankLine(4, 1) + "   100.0     1.0   200.0     2.0   300.0     3.0"));
    EXPECT_EQ(transcript, kTitle + "Please, check *.gda file...\n3 data points read.\n");
}

TEST_F(GdaReaderTest, MoreRecordsThanMaxbufFail) {
    EXPECT_FALSE(read(readGda, kTitle + gdaBankLine(3, MAXBUF + 1) +
                                   "   100.0     1.0   200.0     2.0   300.0     3.0"));
    EXPECT_EQ(transcript, kTitle + "Too many data points!!! Change the MAXBUF\n");
}

TEST_F(GdaReaderTest, TheBankLineNeedsAllFourValues) {
    const std::string data = "   100.0     1.0   200.0     2.0   300.0     3.0";
    ASSERT_TRUE(read(readGda, kTitle + "BANK 1 3 1 CONST 1000.00 2.00 0 0 ESD\n" + data));
    EXPECT_DOUBLE_EQ(store.tthstep, 0.02);
    const char* const refused[] = {
        "BANK 2 3 1 CONST 1000.00 2.00 0 0 ESD\n",  // another bank
        "BANK 1 3 1 RALF 1000.00 2.00 0 0 ESD\n",   // not a constant step
        "BANK 1 3 1 CONST 1000.00\n",
        "BANK 1 3 1 CONST 1000.00 nan 0 0 ESD\n",
        "\n",
    };
    for (const char* bank : refused) {
        EXPECT_FALSE(read(readGda, kTitle + bank + data)) << bank;
        EXPECT_EQ(transcript, kTitle + "Error in second line of *.gda file...\n") << bank;
    }
}

// A title longer than the line buffer must not push the BANK line out of place.
TEST_F(GdaReaderTest, ALongTitleIsEchoedWhole) {
    const std::string title = std::string(150, 'T') + "\n";
    ASSERT_TRUE(read(
        readGda, title + gdaBankLine(3, 1) + "   100.0     1.0   200.0     2.0   300.0     3.0"));
    EXPECT_EQ(transcript, title + "3 data points read.\n");
}

TEST_F(GdaReaderTest, AFileOfOnlyATitleLacksItsBankLine) {
    EXPECT_FALSE(read(readGda, "Title only"));
    EXPECT_EQ(transcript, "Title only\nError in second line of *.gda file...\n");
    EXPECT_FALSE(read(readGda, ""));
    EXPECT_EQ(transcript, "Error in second line of *.gda file...\n");
}

}  // namespace
