// Every shipped example through every format and back: the files xrdconvert writes are the
// files xrdpick's end dialogue writes for the same pattern, byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>

#include "convert/convert_harness.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

struct Format {
    char code;
    const char* extension;
};

void PrintTo(const Format& format, std::ostream* os) {
    *os << format.extension;
}

const Format kFormats[] = {{'x', "xy"}, {'w', "wyr"}, {'d', "dat"}, {'g', "gda"}};

Format formatOf(const std::string& file) {
    const std::string extension = fs::path(file).extension().string().substr(1);
    for (const Format& format : kFormats)
        if (extension == format.extension) return format;
    throw std::invalid_argument("no format for " + file);
}

std::string stemOf(const std::string& file) {
    return fs::path(file).stem().string();
}

// Converts input into one format both ways, into the folders batch/ and session/, and
// checks that the two files are the same; returns the batch file.
std::string convertBothWays(const std::string& input, const Format& target) {
    fs::create_directories("batch");
    fs::create_directories("session");
    const std::string file = stemOf(input) + "." + target.extension;
    const ConvertRun run = runConvert({"--to", target.extension, "--outdir", "batch", input});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "batch/" + file + "\n");
    // xrdconvert titles a .gda file with the input's file name.
    const std::string title = fs::path(input).filename().string();
    EXPECT_TRUE(writeAsSession(input, "", target.code, "session/" + file, title));
    EXPECT_EQ(readFile("batch/" + file), readFile("session/" + file)) << input << " as " << file;
    return "batch/" + file;
}

class ExampleRoundTrip : public ::testing::TestWithParam<std::tuple<const char*, Format>> {
  protected:
    TempDir dir;
};

TEST_P(ExampleRoundTrip, WritesWhatTheSessionWritesThereAndBack) {
    const std::string input = example(std::get<0>(GetParam()));
    const Format target = std::get<1>(GetParam());
    const std::string converted = convertBothWays(input, target);
    // Back into the example's own format, in a folder of its own so that nothing collides.
    fs::create_directories("back");
    fs::current_path("back");
    convertBothWays("../" + converted, formatOf(input));
    fs::current_path("..");
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRoundTrip,
                         ::testing::Combine(::testing::Values("quartz.xy", "quartz.wyr",
                                                              "quartz.dat", "quartz.gda",
                                                              "small.xy"),
                                            ::testing::ValuesIn(kFormats)),
                         [](const auto& info) {
                             std::string name = std::string(std::get<0>(info.param)) + "_to_" +
                                                std::get<1>(info.param).extension;
                             for (char& c : name)
                                 if (c == '.') c = '_';
                             return name;
                         });

// The example folder's own account: its quartz files are what the program writes for
// quartz.xy, the .gda with the title given there.
class ShippedQuartz : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(ShippedQuartz, ConvertingTheXyFileGivesTheOtherThree) {
    const ConvertRun run =
        runConvert({"--title", "xrdpick example: synthetic quartz-like pattern, model in truth.txt",
                    example("quartz.xy")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "quartz.wyr\nquartz.dat\nquartz.gda\n");
    for (const char* file : {"quartz.wyr", "quartz.dat", "quartz.gda"})
        EXPECT_EQ(readFile(file), readFile(example(file))) << file;
}

// .dat and .gda keep the counts, their one-decimal deviations and the grid of quartz.xy, so
// writing them as .xy again gives quartz.xy itself.
TEST_F(ShippedQuartz, DatAndGdaGiveTheXyFileBack) {
    for (const char* file : {"quartz.dat", "quartz.gda"}) {
        const ConvertRun run = runConvert({"--to", "xy", example(file)});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readFile("quartz.xy"), readFile(example("quartz.xy"))) << "from " << file;
        fs::remove("quartz.xy");
    }
}

}  // namespace
