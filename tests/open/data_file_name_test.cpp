// The data file name: where its extension starts, the names derived from it, and which
// reader the extension asks for.

#include "pattern/data_file_name.h"

#include <gtest/gtest.h>

#include "open/format_recognition.h"

namespace {

char formatOf(const std::string& name) {
    return recogniseFormat(DataFileName{name});
}

char historicalFormatOf(const std::string& name) {
    return recogniseFormat(DataFileName{name, 0, "", true});
}

TEST(DataFileNameTest, TheExtensionFollowsTheLastDotOfTheBaseNameOrItsFirstForXrdpick) {
    const struct {
        const char* name;
        std::size_t last, first;
    } cases[] = {
        {"sample.xy", 7, 7},
        {"sample.v2.xy", 10, 7},
        {"Si_0.5mm.xy", 9, 5},
        {"runs.v2/sample.xy", 15, 15},
        {"../data/sample.xy", 15, 15},
        {"./sample", std::string::npos, std::string::npos},
        {"runs.v2/sample", std::string::npos, std::string::npos},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DataFileName{c.name}.extensionPos(), c.last) << c.name;
        EXPECT_EQ((DataFileName{c.name, 0, "", true}.extensionPos()), c.first) << c.name;
    }
}

TEST(DataFileNameTest, DerivedNamesReplaceEverythingAfterThatDot) {
    EXPECT_EQ(DataFileName{"runs.v2/sample.001"}.withExtension("super"), "runs.v2/sample.super");
    EXPECT_EQ(DataFileName{"./sample.xy"}.withExtension("fbg"), "./sample.fbg");
    EXPECT_EQ(DataFileName{"run_25.5C.xye"}.withExtension("cdt"), "run_25.5C.cdt");
    EXPECT_EQ((DataFileName{"data.xy.bak", 'x', "", true}.withExtension("cdt")), "data.cdt");
    DataFileName written{"sample.fbg", 'g'};
    written.restoreExtension();
    EXPECT_EQ(written.name, "sample.gda");
}

// The last extension, whole: names that carry temperatures, thicknesses or versions are read
// by their last extension; a backup or an unknown extension is nothing the programs read.
TEST(FormatRecognitionTest, TheLastExtensionWholeTellsTheFormat) {
    const struct {
        const char* name;
        char format;
    } cases[] = {
        {"sample.xy", 'x'},     {"sample.XY", 'x'},
        {"run_25.5C.xye", 'x'}, {"Si_0.5mm.xy", 'x'},
        {"sample.v2.xy", 'x'},  {"sample.wyr", 'w'},
        {"sample.WYR", 'w'},    {"sample.dat", 'd'},
        {"sample.DAT", 'd'},    {"sample.gda", 'g'},
        {"sample.GDA", 'g'},    {"BT86.v2.raw", 'v'},
        {"a.b.xrdml", 'v'},     {"scan.001", 's'},
        {"scan.9999", 's'},     {"runs.v2/scan.123", 's'},
        {"scan.v2.001", 's'},   {"data.xy.bak", 0},
        {"x.xyz", 0},           {"sample.data", 0},
        {"scan.01", 0},         {"scan.001a", 0},
        {"sample.Xy", 0},       {"sample.Dat", 0},
        {"sample", 0},          {"sample.", 0},
        {"runs.xy/sample", 0},  {"/home/me/x.ray/run.1/sample.GDA", 'g'},
    };
    for (const auto& c : cases) EXPECT_EQ(formatOf(c.name), c.format) << c.name;
}

// xrdpick's prompt reads the text after the first '.', of which only the leading characters
// count; where that finds no format, the last extension decides.
TEST(FormatRecognitionTest, XrdpicksPromptKeepsItsRuleWhereItFindsAFormat) {
    const struct {
        const char* name;
        char historical, typed;
        bool firstDot;
    } cases[] = {
        {"sample.xyz", 'x', 'x', true},   {"sample.data", 'd', 'd', true},
        {"data.xy.bak", 'x', 'x', true},  {"scan.001a", 's', 's', true},
        {"scan.01", 0, 0, false},         {"sample.x", 0, 0, false},
        {"sample.Xy", 0, 0, false},       {"Si_0.5mm.xy", 0, 'x', false},
        {"sample.v2.xy", 0, 'x', false},  {"BT86.v2.raw", 0, 'v', false},
        {"run_25.5C.xye", 0, 'x', false}, {"runs.xy/sample", 0, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(historicalFormatOf(c.name), c.historical) << c.name;
        DataFileName typed{c.name};
        EXPECT_EQ(recogniseTypedFormat(typed), c.typed) << c.name;
        EXPECT_EQ(typed.firstDot, c.firstDot) << c.name;
    }
}

}  // namespace
