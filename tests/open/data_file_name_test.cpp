// The data file name: where its extension starts, the names derived from it, and which
// reader the extension asks for.

#include "pattern/data_file_name.h"

#include <gtest/gtest.h>

#include "open/format_recognition.h"

namespace {

char formatOf(const std::string& name) {
    return recogniseFormat(DataFileName{name});
}

TEST(DataFileNameTest, TheExtensionFollowsTheFirstDotOfTheBaseName) {
    EXPECT_EQ(DataFileName{"sample.xy"}.extensionPos(), 7u);
    EXPECT_EQ(DataFileName{"sample.v2.xy"}.extensionPos(), 7u);
    EXPECT_EQ(DataFileName{"runs.v2/sample.xy"}.extensionPos(), 15u);
    EXPECT_EQ(DataFileName{"../data/sample.xy"}.extensionPos(), 15u);
    EXPECT_EQ(DataFileName{"./sample"}.extensionPos(), std::string::npos);
}

TEST(DataFileNameTest, DerivedNamesReplaceEverythingAfterThatDot) {
    EXPECT_EQ(DataFileName{"runs.v2/sample.001"}.withExtension("super"), "runs.v2/sample.super");
    EXPECT_EQ(DataFileName{"./sample.xy"}.withExtension("fbg"), "./sample.fbg");
    DataFileName written{"sample.fbg", 'g'};
    written.restoreExtension();
    EXPECT_EQ(written.name, "sample.gda");
}

TEST(FormatRecognitionTest, ProcessedFormatsInOneCase) {
    EXPECT_EQ(formatOf("sample.xy"), 'x');
    EXPECT_EQ(formatOf("sample.XY"), 'x');
    EXPECT_EQ(formatOf("sample.wyr"), 'w');
    EXPECT_EQ(formatOf("sample.WYR"), 'w');
    EXPECT_EQ(formatOf("sample.dat"), 'd');
    EXPECT_EQ(formatOf("sample.DAT"), 'd');
    EXPECT_EQ(formatOf("sample.gda"), 'g');
    EXPECT_EQ(formatOf("sample.GDA"), 'g');
}

TEST(FormatRecognitionTest, OnlyTheLeadingCharactersCount) {
    EXPECT_EQ(formatOf("sample.xyz"), 'x');
    EXPECT_EQ(formatOf("sample.data"), 'd');
    EXPECT_EQ(formatOf("sample.xy.bak"), 'x');
    EXPECT_EQ(formatOf("sample.x"), 0);
    EXPECT_EQ(formatOf("sample.wy"), 0);
}

TEST(FormatRecognitionTest, MixedCaseAndMissingExtensionsAreRefused) {
    EXPECT_EQ(formatOf("sample.Xy"), 0);
    EXPECT_EQ(formatOf("sample.xY"), 0);
    EXPECT_EQ(formatOf("sample.Dat"), 0);
    EXPECT_EQ(formatOf("sample"), 0);
    EXPECT_EQ(formatOf("sample."), 0);
    EXPECT_EQ(formatOf("runs.xy/sample"), 0);  // the dot is in the directory
}

TEST(FormatRecognitionTest, ThreeDigitsMeanARawScan) {
    EXPECT_EQ(formatOf("scan.001"), 's');
    EXPECT_EQ(formatOf("scan.9999"), 's');
    EXPECT_EQ(formatOf("runs.v2/scan.123"), 's');
    EXPECT_EQ(formatOf("scan.01"), 0);
    EXPECT_EQ(formatOf("scan.01a"), 0);
}

TEST(FormatRecognitionTest, DirectoriesWithDotsDoNotHideTheExtension) {
    EXPECT_EQ(formatOf("./sample.xy"), 'x');
    EXPECT_EQ(formatOf("../data/sample.wyr"), 'w');
    EXPECT_EQ(formatOf("runs.v2/sample.dat"), 'd');
    EXPECT_EQ(formatOf("/home/me/x.ray/run.1/sample.GDA"), 'g');
}

}  // namespace
