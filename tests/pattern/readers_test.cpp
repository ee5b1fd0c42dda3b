// The rules that all four processed-format readers share: the count limits, the messages
// that report them, and a data line without values at the end.

#include "pattern/readers.h"

#include <ostream>
#include <string>

#include "pattern/reader_harness.h"
#include "support/reader_samples.h"

namespace {

struct FormatCase {
    const char* extension;
    Reader reader;
    std::string (*sample)(int points);
    const char* tooMany;
    const char* dataLineError;
};

void PrintTo(const FormatCase& format, std::ostream* out) {
    *out << format.extension;
}

std::string caseName(const ::testing::TestParamInfo<FormatCase>& info) {
    return info.param.extension;
}

// Appends one line end-terminated empty line, whether or not the text ends with a line end.
std::string withEmptyLastLine(const std::string& text) {
    return text + (text.back() == '\n' ? "\n" : "\n\n");
}

class EveryReaderTest : public ReaderTest, public ::testing::WithParamInterface<FormatCase> {
  protected:
    bool readSample(int points) { return read(GetParam().reader, GetParam().sample(points)); }
};

TEST_P(EveryReaderTest, ThreePointsLoadAndAreReportedAsThree) {
    ASSERT_TRUE(readSample(3)) << transcript;
    EXPECT_TRUE(transcript.ends_with("3 data points read.\n")) << transcript;
    EXPECT_EQ(store.ilast, 2);
    EXPECT_DOUBLE_EQ(store.tthmin, 10.0);
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    EXPECT_NEAR(store.tthmax, 10.04, 1e-6);
    EXPECT_FLOAT_EQ(store.tth[2], 10.04f);
    EXPECT_FLOAT_EQ(store.cts[2], 102.0f);
    EXPECT_EQ(store.tth[3], kUnset);  // nothing written past the last point
    EXPECT_EQ(store.cts[3], kUnset);
}

TEST_P(EveryReaderTest, TwoPointsAreTooFew) {
    EXPECT_FALSE(readSample(2));
    EXPECT_NE(transcript.find("Too small data points!!! Check the file...\n"), std::string::npos)
        << transcript;
    EXPECT_EQ(transcript.find("data points read"), std::string::npos);
}

TEST_P(EveryReaderTest, ExactlyMaxbufPointsLoad) {
    ASSERT_TRUE(readSample(MAXBUF)) << transcript;
    EXPECT_NE(transcript.find("19001 data points read.\n"), std::string::npos) << transcript;
    EXPECT_EQ(store.ilast, 19000);
    EXPECT_FLOAT_EQ(store.cts[19000], 19100.0f);
    EXPECT_NEAR(store.tth[19000], 390.0f, 1e-3f);
}

TEST_P(EveryReaderTest, OnePointMoreThanMaxbufFailsWithTheFormatsMessage) {
    EXPECT_FALSE(readSample(MAXBUF + 1));
    EXPECT_TRUE(transcript.ends_with(GetParam().tooMany)) << transcript;
}

TEST_P(EveryReaderTest, AnEmptyLastLineIsADataLineWithoutValues) {
    EXPECT_FALSE(read(GetParam().reader, withEmptyLastLine(GetParam().sample(5))));
    EXPECT_TRUE(transcript.ends_with(GetParam().dataLineError)) << transcript;
}

TEST_P(EveryReaderTest, AFinalLineEndMakesNoDifference) {
    std::string text = GetParam().sample(13);
    if (text.back() != '\n') text += '\n';
    ASSERT_TRUE(read(GetParam().reader, text)) << transcript;
    EXPECT_EQ(store.ilast, 12);
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, EveryReaderTest,
    ::testing::Values(
        FormatCase{"xy", readXy, xySample,
                   "Too many data points!!! Change the MAXBUF...\nThis pattern holds 19002 "
                   "points, more than the 19001 the program holds: sum neighbours with "
                   "xrdconvert --bin 2.\n",
                   "Error in *.xy file\n"},
        FormatCase{"wyr", readWyr, wyrSample, "Too many data points!!! Change the MAXBUF\n",
                   "Error in *.wyr file...\n"},
        FormatCase{"dat", readDat, datSample, "Too many data points!!! Change the MAXBUF\n",
                   "Error in *.dat file...\n"},
        FormatCase{"gda", readGda, gdaSample, "Too many data points!!! Change the MAXBUF\n",
                   "Error in *.gda file...\n"}),
    caseName);

}  // namespace
