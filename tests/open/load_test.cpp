// The load step's dialogue: where the name comes from, what a failed attempt leads to, and
// how the run ends at the prompt.

#include "open/load.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "support/reader_samples.h"
#include "support/not_regular_files.h"
#include "support/temp_dir.h"

namespace {

const std::string kPrompt =
    "Input processed filename within 200 characters with EXTENSION.\nEnter blank to terminate.\n";
const std::string kCannotSee =
    "Eh?, I can not see that file... Try again! or Just hit <enter> to terminate!\n";
const std::string kThreeRead = "3 data points read.\n";
const std::string kBye = "Bye.\n";

// A raw scan file: fourteen header lines, the column names on the last, then records of
// angle, counts, monitor 1,000,000 and 1,000,000 ms, so that dead time hardly matters.
std::string rawScan(const std::string& columns, int records) {
    std::string text;
    for (int n = 1; n <= 13; ++n) text += "header line " + std::to_string(n) + "\n";
    text += columns + "\n";
    for (int i = 0; i < records; ++i)
        text += std::to_string(10.0 + 0.02 * i) + " 400 1000000 1000000\n";
    return text;
}

const std::string kSuperIntro = "This is SUPER file. Please give me some information to proceed.\n";
const std::string kSuperDone =
    "SUPER file(s) reading is successfully done...\n"
    "You can convert them to other data file format(s) later.\n";
const std::string kTooSmall = "Too small data points!!! Check the file...\n";

class LoadTest : public ::testing::Test {
  protected:
    LoadTest() {
        writeFile("sample.xy", xySample(3));
        writeFile("bad.xy", "10.00 1 1\nnot a number\n");
    }

    bool load(const std::vector<std::string>& args, const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out;
        Console console(in, out);
        const bool loaded = loadPattern(args, console, store, dataFile);
        transcript = out.str();
        return loaded;
    }

    TempDir dir;
    std::unique_ptr<PatternStore> storage = std::make_unique<PatternStore>();
    PatternStore& store = *storage;
    DataFileName dataFile;
    std::string transcript;
};

TEST_F(LoadTest, ACommandLineNameLoadsWithoutAPrompt) {
    ASSERT_TRUE(load({"sample.xy"}, ""));
    EXPECT_EQ(transcript, kThreeRead);
    EXPECT_EQ(dataFile.name, "sample.xy");
    EXPECT_EQ(dataFile.format, 'x');
    EXPECT_EQ(store.ilast, 2);
}

TEST_F(LoadTest, WithoutANameThePromptAsksForOne) {
    ASSERT_TRUE(load({}, "sample.xy\n"));
    EXPECT_EQ(transcript, kPrompt + kThreeRead);
}

TEST_F(LoadTest, AnUnopenableCommandLineNameAsksOnTheConsole) {
    ASSERT_TRUE(load({"missing.xy"}, "sample.xy\n"));
    EXPECT_EQ(transcript, kCannotSee + kThreeRead);
}

TEST_F(LoadTest, AFailedCommandLineLoadIsNotTriedAgain) {
    EXPECT_FALSE(load({"bad.xy"}, "\n"));
    EXPECT_EQ(transcript, "Error in *.xy file\n" + kPrompt + kBye);
}

TEST_F(LoadTest, AFailedLoadGoesBackToThePrompt) {
    ASSERT_TRUE(load({}, "bad.xy\nsample.xy\n"));
    EXPECT_EQ(transcript, kPrompt + "Error in *.xy file\n" + kPrompt + kThreeRead);
}

TEST_F(LoadTest, UnopenableNamesAreAskedAgainWithoutThePrompt) {
    ASSERT_TRUE(load({}, "missing.xy\nmissing.dat\nsample.xy\n"));
    EXPECT_EQ(transcript, kPrompt + kCannotSee + kCannotSee + kThreeRead);
}

TEST_F(LoadTest, AnEmptyNameEndsTheRun) {
    EXPECT_FALSE(load({}, "\nsample.xy\n"));
    EXPECT_EQ(transcript, kPrompt + kBye);
    EXPECT_FALSE(load({"missing.xy"}, "\n"));
    EXPECT_EQ(transcript, kCannotSee + kBye);
}

TEST_F(LoadTest, TheEndOfTheConsoleInputEndsTheRun) {
    EXPECT_FALSE(load({}, ""));
    EXPECT_EQ(transcript, kPrompt + kBye);
    EXPECT_FALSE(load({"missing.xy"}, "missing.dat\n"));
    EXPECT_EQ(transcript, kCannotSee + kCannotSee + kBye);
    EXPECT_FALSE(load({"bad.xy"}, ""));
    EXPECT_EQ(transcript, "Error in *.xy file\n" + kPrompt + kBye);
}

// The name buffer holds 199 characters: a longer name is refused even when the file exists.
TEST_F(LoadTest, ANameLongerThanTheNameBufferIsRefused) {
    const std::string fits = std::string(196, 'a') + ".xy";
    const std::string tooLong = std::string(197, 'a') + ".xy";
    writeFile(fits, xySample(3));
    writeFile(tooLong, xySample(3));
    ASSERT_EQ(fits.size(), 199u);

    EXPECT_FALSE(load({}, tooLong + "\n"));
    EXPECT_EQ(transcript, kPrompt + kCannotSee + kBye);
    EXPECT_FALSE(load({tooLong}, ""));
    EXPECT_EQ(transcript, kCannotSee + kBye);
    ASSERT_TRUE(load({}, fits + "\n"));
    EXPECT_EQ(dataFile.name, fits);
}

TEST_F(LoadTest, AnUnknownExtensionGoesBackToThePrompt) {
    writeFile("sample.Xy", xySample(3));
    writeFile("sample", xySample(3));
    ASSERT_TRUE(load({"sample.Xy"}, "sample\nsample.xy\n"));
    EXPECT_EQ(transcript, "Extension is not understandable...\n" + kPrompt +
                              "Extension is not understandable...\n" + kPrompt + kThreeRead);
}

TEST_F(LoadTest, UpperCaseExtensionsLoadAndKeepTheirName) {
    writeFile("SAMPLE.XY", xySample(3));
    ASSERT_TRUE(load({"SAMPLE.XY"}, ""));
    EXPECT_EQ(dataFile.name, "SAMPLE.XY");
    EXPECT_EQ(dataFile.format, 'x');
}

TEST_F(LoadTest, EveryProcessedFormatIsReachedByItsExtension) {
    writeFile("sample.wyr", wyrSample(4));
    writeFile("sample.dat", datSample(5));
    writeFile("sample.gda", gdaSample(6));
    ASSERT_TRUE(load({"sample.wyr"}, ""));
    EXPECT_EQ(dataFile.format, 'w');
    EXPECT_EQ(store.ilast, 3);
    ASSERT_TRUE(load({"sample.dat"}, ""));
    EXPECT_EQ(dataFile.format, 'd');
    EXPECT_EQ(store.ilast, 4);
    ASSERT_TRUE(load({"sample.gda"}, ""));
    EXPECT_EQ(dataFile.format, 'g');
    EXPECT_EQ(store.ilast, 5);
}

TEST_F(LoadTest, DirectoriesWithDotsInTheirNamesLoad) {
    std::filesystem::create_directory("runs.v2");
    writeFile("runs.v2/sample.xy", xySample(3));
    ASSERT_TRUE(load({"runs.v2/sample.xy"}, ""));
    EXPECT_EQ(dataFile.name, "runs.v2/sample.xy");
    EXPECT_EQ(dataFile.format, 'x');
    ASSERT_TRUE(load({}, "./sample.xy\n"));
    EXPECT_EQ(dataFile.name, "./sample.xy");
    ASSERT_TRUE(load({}, "runs.v2/../sample.xy\n"));
    EXPECT_EQ(dataFile.format, 'x');
}

// Where the text after the first '.' names no format, the last extension does, and the
// files the run names after the pattern keep everything before it.
TEST_F(LoadTest, NamesWithSeveralDotsLoadByTheirLastExtensionWhereTheFirstNamesNone) {
    const struct {
        std::string name, cdt;
    } cases[] = {
        {"Si_0.5mm.xy", "Si_0.5mm.cdt"},
        {"sample.v2.xy", "sample.v2.cdt"},
        {"data.xy.bak", "data.cdt"},  // the first '.' names .xy: read as it always was
    };
    for (const auto& c : cases) {
        writeFile(c.name, xySample(3));
        ASSERT_TRUE(load({c.name}, "")) << transcript;
        EXPECT_EQ(transcript, kThreeRead);
        EXPECT_EQ(dataFile.name, c.name);
        EXPECT_EQ(dataFile.format, 'x');
        EXPECT_EQ(dataFile.withExtension("cdt"), c.cdt);
    }
}

// A directory would read as no points, a FIFO would hold the prompt for ever.
TEST_F(LoadTest, ANameThatIsNoRegularFileIsAskedAgainSayingWhatItIs) {
    std::vector<NotRegularFile> cases = makeNotRegularFiles("folder.xy", "pipe.xy");
    cases.push_back({"/dev/null", "/dev/null: a character device, not a pattern file"});
    for (const auto& c : cases) {
        ASSERT_TRUE(load({c.name}, "sample.xy\n")) << c.name;
        EXPECT_EQ(transcript, c.refusal + "\n" + kCannotSee + kThreeRead);
        ASSERT_TRUE(load({}, c.name + "\nsample.xy\n")) << c.name;
        EXPECT_EQ(transcript, kPrompt + c.refusal + "\n" + kCannotSee + kThreeRead);
    }
}

// A failed attempt may have filled entries far past the pattern loaded afterwards; they
// must read as unset again, since the end of the pattern is found by the first unset tth.
TEST_F(LoadTest, AFailedAttemptLeavesNothingBehind) {
    writeFile("long.wyr", wyrSample(40) + "\nnot numbers\n");
    ASSERT_TRUE(load({"long.wyr"}, "sample.xy\n"));
    EXPECT_EQ(transcript, "Error in *.wyr file...\n" + kPrompt + kThreeRead);
    EXPECT_EQ(store.ilast, 2);
    for (int i = 3; i < 40; ++i) {
        ASSERT_EQ(store.tth[i], kUnset) << i;
        ASSERT_EQ(store.cts[i], kUnset) << i;
        ASSERT_EQ(store.sig[i], kUnset) << i;
    }
    EXPECT_EQ(dataFile.name, "sample.xy");
}

// The merge asks for further files itself; the empty answer here ends it.
TEST_F(LoadTest, ARawScanIsMergedAndNamedDotSuper) {
    std::filesystem::create_directory("runs.v2");
    writeFile("runs.v2/scan.001", rawScan("tth cts mon tim", 4));
    ASSERT_TRUE(load({"runs.v2/scan.001"}, "\n"));
    EXPECT_EQ(transcript.rfind(kSuperIntro, 0), 0u) << transcript;
    EXPECT_TRUE(transcript.ends_with(kSuperDone + "4 data points read.\n")) << transcript;
    EXPECT_EQ(dataFile.name, "runs.v2/scan.super");
    EXPECT_EQ(dataFile.format, 's');
    EXPECT_EQ(store.ilast, 3);
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    EXPECT_FLOAT_EQ(store.tth[3], 10.06f);  // computed from the grid after the merge
    EXPECT_EQ(store.tth[4], kUnset);
}

TEST_F(LoadTest, ARawScanOfTwoPointsGoesBackToThePrompt) {
    writeFile("scan.001", rawScan("tth cts mon tim", 2));
    EXPECT_FALSE(load({"scan.001"}, "\n\n"));
    EXPECT_TRUE(transcript.ends_with(kSuperDone + kTooSmall + kPrompt + kBye)) << transcript;
}

// Without a time column the merge fails at once: no success lines, and no points.
TEST_F(LoadTest, AnUndecodableRawScanHasNoPoints) {
    writeFile("scan.001", rawScan("tth cts mon", 4));
    EXPECT_FALSE(load({"scan.001"}, "\n\n"));
    EXPECT_EQ(transcript.find("successfully done"), std::string::npos) << transcript;
    EXPECT_TRUE(transcript.ends_with(kTooSmall + kPrompt + kBye)) << transcript;
    EXPECT_EQ(dataFile.format, 0);
}

}  // namespace
