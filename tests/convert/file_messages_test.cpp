// The messages of the readers and writers on the error stream, each line naming its file,
// and the typed names of a batch merge.

#include "convert/file_messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "convert/scan_name_feed.h"

namespace {

TEST(FileMessages, EveryLineBeginsWithTheFileItConcerns) {
    std::ostringstream err;
    {
        FileMessages messages(err, "a.xy");
        messages.console().print("Error in *.xy file\n%d data points read.\n", 3);
        messages.concern("b.xy");
        messages.stream() << "one line " << 2 << "\n";
    }
    EXPECT_EQ(err.str(), "a.xy: Error in *.xy file\na.xy: 3 data points read.\nb.xy: one line 2\n");
}

TEST(FileMessages, ALineLeftOpenIsEndedSoTheNextMessageStandsOnItsOwn) {
    std::ostringstream err;
    {
        FileMessages messages(err, "a.gda");
        messages.console().print("a title without line end");
        messages.console().print(" and its rest");
    }
    { FileMessages(err, "b.gda").console().print("next\n"); }
    EXPECT_EQ(err.str(), "a.gda: a title without line end and its rest\nb.gda: next\n");
}

// A key pause reads no typed answer: it gets the end of input and does not wait.
TEST(FileMessages, KeyPausesGetTheEndOfInput) {
    std::ostringstream err;
    FileMessages messages(err, "a.xy");
    EXPECT_EQ(messages.console().readChar(), EOF);
}

class ScanNameFeedTest : public ::testing::Test {
  protected:
    std::ostringstream err;
    FileMessages messages{err, "s.001"};
    ScanNameFeed feed{{"s.001", "s.002", "s.003"}, messages};
    std::istream typed{&feed};
    Console names{typed, messages.stream()};
};

TEST_F(ScanNameFeedTest, HandsOutTheFurtherScansThenAnEmptyLine) {
    std::string name;
    ASSERT_TRUE(names.readLine(name));
    EXPECT_EQ(name, "s.002");
    EXPECT_FALSE(feed.exhausted());
    ASSERT_TRUE(names.readLine(name));
    EXPECT_EQ(name, "s.003");
    EXPECT_FALSE(feed.exhausted());  // the merge may still end before reading the last line
    ASSERT_TRUE(names.readLine(name));
    EXPECT_EQ(name, "");
    EXPECT_TRUE(feed.exhausted());
    EXPECT_FALSE(names.readLine(name));
}

TEST_F(ScanNameFeedTest, EchoesEachNameAfterItsPromptAndThenSpeaksOfThatScan) {
    std::string name;
    names.print("name 2:");
    names.readLine(name);
    names.print("reading\nname 3:");
    names.readLine(name);
    names.print("name 4:");
    names.readLine(name);
    names.print("done\n");
    EXPECT_EQ(err.str(),
              "s.001: name 2:s.002\n"
              "s.002: reading\n"
              "s.002: name 3:s.003\n"
              "s.003: name 4:\n"
              "s.001: done\n");
}

}  // namespace
