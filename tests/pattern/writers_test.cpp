// The four writers: byte-exact files, the prompts and their order, skipping, failures and
// the warnings about values that a format cannot hold.

#include "pattern/writers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "pattern/pattern_store.h"
#include "support/temp_dir.h"

namespace {

const std::string kXyPrompt = "To get XRS82 output file with stdev, enter file name: (.xy) ";
const std::string kWyrPrompt = "To get Wyriet output file, enter file name: (.wyr) ";
const std::string kDatPrompt = "To get .PROFIN output file with weights, enter file name: (.dat) ";
const std::string kGdaPrompt = "To get .GDAT output file with weights, enter file name: (.gda) ";

struct WriteRun {
    int result = 0;
    std::string transcript;
};

WriteRun writeWithAnswers(const PatternStore& store, const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out;
    Console console(in, out);
    WriteRun run;
    run.result = writeAllFormats(console, store);
    run.transcript = out.str();
    return run;
}

// A pattern on the grid tthmin + i * tthstep with the given counts and sig.
std::unique_ptr<PatternStore> gridPattern(double tthmin, double tthstep,
                                          const std::vector<float>& cts,
                                          const std::vector<float>& sig) {
    auto store = std::make_unique<PatternStore>();
    int i = 0;
    for (float c : cts) store->cts[i++] = c;
    i = 0;
    for (float s : sig) store->sig[i++] = s;
    store->ilast = static_cast<int>(cts.size()) - 1;
    store->tthmin = tthmin;
    store->tthstep = tthstep;
    store->tthmax = tthmin + store->ilast * tthstep;
    for (int k = 0; k <= store->ilast; ++k)
        store->tth[k] = static_cast<float>(tthmin + k * tthstep);
    return store;
}

std::unique_ptr<PatternStore> threePoints() {
    return gridPattern(10.0, 0.02, {100.4f, 200.5f, 300.6f}, {10.0f, 14.2f, 17.3f});
}

// Points 1, 2, ..., n counts, sig 1.0, from 5 degrees in steps of 0.01.
std::unique_ptr<PatternStore> countingPattern(int n) {
    auto store = gridPattern(5.0, 0.01, {}, {});
    for (int i = 0; i < n; ++i) {
        store->tth[i] = static_cast<float>(5.0 + i * 0.01);
        store->cts[i] = static_cast<float>(i + 1);
        store->sig[i] = 1.0f;
    }
    store->ilast = n - 1;
    store->tthmax = 5.0 + (n - 1) * 0.01;
    return store;
}

bool hasAnyFile() {
    return std::filesystem::directory_iterator(std::filesystem::current_path()) !=
           std::filesystem::directory_iterator();
}

// ---- The small pattern in every format ----

class ThreePointFiles : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<PatternStore> store = threePoints();
};

TEST_F(ThreePointFiles, XyHasOneFixedWidthLinePerPointWithRoundedCounts) {
    EXPECT_EQ(writeWithAnswers(*store, "out.xy\n\n\n\n").result, 0);
    EXPECT_EQ(readFile("out.xy"),
              "  10.000     100     10.0\n"
              "  10.020     201     14.2\n"
              "  10.040     301     17.3\n");
}

TEST_F(ThreePointFiles, WyrHasHeaderAndCountsWithoutFinalLineEnd) {
    EXPECT_EQ(writeWithAnswers(*store, "\nout.wyr\n\n\n").result, 0);
    EXPECT_EQ(readFile("out.wyr"),
              "  10.000   0.020  10.040\n"
              "    100    201    301");
}

TEST_F(ThreePointFiles, DatHasAngleBeforeLastInHeaderAndUnroundedCounts) {
    EXPECT_EQ(writeWithAnswers(*store, "\n\nout.dat\n\n").result, 0);
    EXPECT_EQ(readFile("out.dat"),
              "  10.000    0.020   10.020\n"
              "   100.4   200.5   300.6\n"
              "   10.00   14.20   17.30");
}

TEST_F(ThreePointFiles, GdaHasPaddedTitleBankLineInCentidegreesAndPairs) {
    EXPECT_EQ(writeWithAnswers(*store, "\n\n\nout.gda\nQuartz run 7\n").result, 0);
    const std::string title = "Quartz run 7" + std::string(80 - 12, ' ') + "\n";
    const std::string bank =
        "BANK  1        3       1 CONST    1000.00      2.00 0 0 ESD" + std::string(21, ' ') + "\n";
    ASSERT_EQ(bank.size(), 81u);
    EXPECT_EQ(readFile("out.gda"),
              title + bank + "   100.4    10.0   200.5    14.2   300.6    17.3");
}

TEST_F(ThreePointFiles, AllFourInOneRunWithPromptsInOrder) {
    const WriteRun run = writeWithAnswers(*store, "a.xy\na.wyr\na.dat\na.gda\nT\n");
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.transcript,
              "# of data points(from 1 to #), tthmin, tthstep, tthmax = 3, 10.000, 0.020, "
              "10.0400\n" +
                  kXyPrompt + kWyrPrompt + kDatPrompt + kGdaPrompt + "Enter title: ");
    for (const char* name : {"a.xy", "a.wyr", "a.dat", "a.gda"}) EXPECT_TRUE(fileExists(name));
}

TEST_F(ThreePointFiles, TitleLongerThanEightyIsWrittenWhole) {
    const std::string title(90, 't');
    writeWithAnswers(*store, "\n\n\nout.gda\n" + title + "\n");
    EXPECT_EQ(readFile("out.gda").substr(0, 91), title + "\n");
}

// ---- Line grouping ----

TEST(WyrGrouping, EightPointsFillOneDataLine) {
    TempDir dir;
    writeWithAnswers(*countingPattern(8), "\nout.wyr\n\n\n");
    EXPECT_EQ(readFile("out.wyr"),
              "   5.000   0.010   5.070\n"
              "      1      2      3      4      5      6      7      8");
}

TEST(WyrGrouping, NinthPointStartsAThirdLine) {
    TempDir dir;
    writeWithAnswers(*countingPattern(9), "\nout.wyr\n\n\n");
    EXPECT_EQ(readFile("out.wyr"),
              "   5.000   0.010   5.080\n"
              "      1      2      3      4      5      6      7      8\n"
              "      9");
}

TEST(DatGrouping, ElevenPointsGiveTwoLinePairs) {
    TempDir dir;
    writeWithAnswers(*countingPattern(11), "\n\nout.dat\n\n");
    const std::string counts10 =
        "     1.0     2.0     3.0     4.0     5.0"
        "     6.0     7.0     8.0     9.0    10.0\n";
    const std::string weights10 =
        "    1.00    1.00    1.00    1.00    1.00"
        "    1.00    1.00    1.00    1.00    1.00\n";
    EXPECT_EQ(readFile("out.dat"),
              "   5.000    0.010    5.090\n" + counts10 + weights10 + "    11.0\n    1.00");
}

TEST(GdaGrouping, SixPointsGiveTwoRecordsOfEightyAndSixteenCharacters) {
    TempDir dir;
    writeWithAnswers(*countingPattern(6), "\n\n\nout.gda\nT\n");
    const std::string text = readFile("out.gda");
    const std::string data = text.substr(2 * 81);
    EXPECT_EQ(data,
              "     1.0     1.0     2.0     1.0     3.0     1.0     4.0     1.0     5.0     1.0\n"
              "     6.0     1.0");
    EXPECT_NE(text.find("BANK  1        6       2 CONST"), std::string::npos);
}

// The grid reproduces angles read from a file only to the file's rounding: .xy, which lists
// them, writes them as read.
TEST(GridAngles, StoredAnglesAreWrittenAsRead) {
    TempDir dir;
    auto store = threePoints();
    store->tth[1] = 10.027f;  // as read from an unevenly spaced .xy file
    writeWithAnswers(*store, "out.xy\n\n\n\n");
    EXPECT_EQ(readFile("out.xy").substr(26, 8), "  10.027");
}

// ---- A pattern loaded from .wyr carries sig = -500.0 ----

class UnsetSigFiles : public ::testing::Test {
  protected:
    TempDir dir;
    std::unique_ptr<PatternStore> store =
        gridPattern(10.0, 0.02, {100.4f, 200.5f, 300.6f}, {kUnset, kUnset, kUnset});
};

TEST_F(UnsetSigFiles, XyWritesIt) {
    writeWithAnswers(*store, "out.xy\n\n\n\n");
    EXPECT_EQ(readFile("out.xy"),
              "  10.000     100   -500.0\n"
              "  10.020     201   -500.0\n"
              "  10.040     301   -500.0\n");
}

TEST_F(UnsetSigFiles, DatWritesItAsWeights) {
    writeWithAnswers(*store, "\n\nout.dat\n\n");
    EXPECT_EQ(readFile("out.dat").substr(27), "   100.4   200.5   300.6\n -500.00 -500.00 -500.00");
}

TEST_F(UnsetSigFiles, GdaWritesItAsEsd) {
    writeWithAnswers(*store, "\n\n\nout.gda\nT\n");
    EXPECT_EQ(readFile("out.gda").substr(2 * 81),
              "   100.4  -500.0   200.5  -500.0   300.6  -500.0");
}

// ---- Skipping and ending ----

TEST(Skipping, FourEmptyAnswersWriteNothingAndSucceed) {
    TempDir dir;
    const WriteRun run = writeWithAnswers(*threePoints(), "\n\n\n\n");
    EXPECT_EQ(run.result, 0);
    EXPECT_FALSE(hasAnyFile());
    EXPECT_EQ(run.transcript.substr(run.transcript.find('\n') + 1),
              kXyPrompt + kWyrPrompt + kDatPrompt + kGdaPrompt);
}

TEST(Skipping, EndOfInputCountsAsEmptyAnswers) {
    TempDir dir;
    const WriteRun run = writeWithAnswers(*threePoints(), "");
    EXPECT_EQ(run.result, 0);
    EXPECT_FALSE(hasAnyFile());
    EXPECT_NE(run.transcript.find(kGdaPrompt), std::string::npos);
}

TEST(Skipping, EndOfInputAtTitlePromptGivesBlankTitle) {
    TempDir dir;
    EXPECT_EQ(writeWithAnswers(*threePoints(), "\n\n\nout.gda\n").result, 0);
    EXPECT_EQ(readFile("out.gda").substr(0, 81), std::string(80, ' ') + "\n");
}

// ---- Files that cannot be created or written ----

class UnwritableFile : public ::testing::TestWithParam<int> {};

TEST_P(UnwritableFile, GivesMessageAndCodeAndNoLaterPrompt) {
    TempDir dir;
    const int failing = GetParam();  // 0 .xy, 1 .wyr, 2 .dat, 3 .gda
    const std::string prompts[] = {kXyPrompt, kWyrPrompt, kDatPrompt, kGdaPrompt};
    const std::string answers = std::string(failing, '\n') + "no_such_dir/out\nlater\nlater\n";
    const WriteRun run = writeWithAnswers(*threePoints(), answers);
    EXPECT_EQ(run.result, -2 - failing);
    const std::string expectedEnd = prompts[failing] + "Couldn't open file.  I die.\n";
    ASSERT_GE(run.transcript.size(), expectedEnd.size());
    EXPECT_EQ(run.transcript.substr(run.transcript.size() - expectedEnd.size()), expectedEnd);
    EXPECT_FALSE(fileExists("later"));
}

INSTANTIATE_TEST_SUITE_P(EachFormat, UnwritableFile, ::testing::Values(0, 1, 2, 3));

TEST(UnwritableFileAfterWritten, EarlierFilesStay) {
    TempDir dir;
    const WriteRun run = writeWithAnswers(*threePoints(), "a.xy\na.wyr\nno_such_dir/a.dat\n");
    EXPECT_EQ(run.result, -4);
    EXPECT_TRUE(fileExists("a.xy"));
    EXPECT_TRUE(fileExists("a.wyr"));
}

TEST(FullDisk, FailedWriteIsReportedAndStopsTheRest) {
    if (!fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    TempDir dir;
    const WriteRun run = writeWithAnswers(*threePoints(), "/dev/full\nlater\n");
    EXPECT_EQ(run.result, -2 + kIncompleteWrite);
    EXPECT_NE(run.transcript.find("Couldn't write file /dev/full completely.  I die.\n"),
              std::string::npos);
    EXPECT_EQ(run.transcript.find(kWyrPrompt), std::string::npos);
}

// ---- Over-long answers ----

TEST(LongAnswers, NameBeyondTheBufferIsRefusedAndAskedAgain) {
    TempDir dir;
    const std::string longName(200, 'n');
    const WriteRun run = writeWithAnswers(*threePoints(), longName + "\nout.xy\n\n\n\n");
    EXPECT_EQ(run.result, 0);
    EXPECT_NE(run.transcript.find(kXyPrompt + "File name too long: at most 199 characters.\n" +
                                  kXyPrompt + kWyrPrompt),
              std::string::npos);
    EXPECT_TRUE(fileExists("out.xy"));
    EXPECT_FALSE(fileExists(longName.substr(0, 199)));
}

TEST(LongAnswers, NameOf199CharactersIsUsed) {
    TempDir dir;
    const std::string name(199, 'n');
    EXPECT_EQ(writeWithAnswers(*threePoints(), name + "\n\n\n\n").result, 0);
    EXPECT_TRUE(fileExists(name));
}

TEST(LongAnswers, TitleThatWouldNotReadBackIsAskedAgain) {
    TempDir dir;
    const std::string fitting(98, 'a');
    const WriteRun run = writeWithAnswers(
        *threePoints(), "\n\n\nout.gda\n" + std::string(99, 'b') + "\n" + fitting + "\n");
    EXPECT_EQ(run.result, 0);
    EXPECT_NE(
        run.transcript.find("Enter title: Title too long: at most 98 characters.\nEnter title: "),
        std::string::npos);
    EXPECT_EQ(readFile("out.gda").substr(0, 99), fitting + "\n");
}

// ---- Values the fixed fields cannot hold ----

// A value that runs into its neighbour (or has no faithful text) would read back wrong: the
// file is not written, an old file of that name is kept, and the formats after it are not
// offered.
TEST(Overflow, AFileWhoseValuesDoNotFitTheirFieldsIsNotWritten) {
    const struct {
        std::vector<float> cts, sig;
        std::string answers, file;
        int count, result;
    } cases[] = {
        // A count of a million runs into its neighbour in .wyr's 7-character fields.
        {{5.0f, 1000000.0f, 999999.0f}, {1.0f, 1.0f, 1.0f}, "\nout.wyr\n", "out.wyr", 1, -23},
        {{5.0f, 1.0e7f, 1.0e7f}, {1.0f, 1.0f, 1.0f}, "\nout.wyr\n", "out.wyr", 2, -23},
        // 999999.9 and -99999.9 just fit; 1000000.0, -100000.0 and a weight of 100000.00 not.
        {{999999.9f, -99999.9f, 1000000.0f, -100000.0f},
         {1.0f, 100000.0f, 1.0f, 99999.99f},
         "\n\nout.dat\n",
         "out.dat",
         3,
         -24},
        {{1500000.0f, 20.0f, 30.0f},
         {1.0f, -250000.0f, 999999.9f},
         "\n\n\nout.gda\nT\n",
         "out.gda",
         2,
         -25},
        // A count beyond the range of a long has no text at all, even in free format.
        {{1.0e30f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, "out.xy\n", "out.xy", 1, -22},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeFile(c.file, "old content");
        auto store = gridPattern(10.0, 0.02, c.cts, c.sig);
        const WriteRun run = writeWithAnswers(*store, c.answers + "more.gda\n");
        EXPECT_EQ(run.result, c.result) << c.file;
        EXPECT_TRUE(run.transcript.ends_with(std::to_string(c.count) +
                                             " value(s) do not fit their fixed field in " + c.file +
                                             " and would not read back correctly: not written.\n"))
            << run.transcript;
        EXPECT_EQ(readFile(c.file), "old content");
        EXPECT_FALSE(fileExists("more.gda"));
    }
}

TEST(Overflow, XyFreeFormatTakesAnyWidth) {
    TempDir dir;
    auto store = gridPattern(10.0, 0.02, {5.0e7f, 1.0f, 1.0f}, {1.0e7f, 1.0f, 1.0f});
    const WriteRun run = writeWithAnswers(*store, "out.xy\n\n\n\n");
    EXPECT_EQ(readFile("out.xy").substr(0, 31), "  10.000 50000000 10000000.0\n  ");
    EXPECT_EQ(run.transcript.find("fit"), std::string::npos);
    EXPECT_EQ(run.result, 0);
}

// ---- A step the headers cannot hold ----

// tthmin and tthstep take the documented decimals when these keep the whole grid within
// half a thousandth of a degree, else as many more as that needs, the fields then kept apart
// by blanks.
TEST(StepRounding, HeadersTakeTheDecimalsTheGridNeeds) {
    const struct {
        double tthmin, tthstep;
        int points;
        const char *wyr, *dat, *bank;
    } rows[] = {
        {10.0, 0.02, 101, "  10.000   0.020  12.000\n", "  10.000    0.020   11.980\n",
         "CONST    1000.00      2.00 0 0 ESD"},
        // "0.013" would put the last angle 0.5 degrees off; 1.25 centidegrees fit .gda.
        {5.0, 0.0125, 1001, "  5.0000   0.0125  17.5000\n", "  5.0000   0.0125  17.4875\n",
         "CONST     500.00      1.25 0 0 ESD"},
        // A Bruker step: 0.016 or 1.56 centidegrees would be 6 degrees off at the end.
        {3.031, 0.015592, 6220, "3.031000 0.015592 99.997648\n", "3.031000 0.015592 99.982056\n",
         "CONST   303.1000     1.5592 0 0 ESD"},
        // A step from the first and last angle of a file: no short decimal holds it.
        {3.0, 97.0 / 6221, 6222, "3.0000000 0.0155923 99.9996983\n",
         "3.0000000 0.0155923 99.9841060\n", "CONST  300.00000    1.55923 0 0 ESD"},
    };
    for (const auto& row : rows) {
        TempDir dir;
        auto store = gridPattern(row.tthmin, row.tthstep, {}, {});
        store->ilast = row.points - 1;
        store->tthmax = row.tthmin + store->ilast * row.tthstep;
        const WriteRun run = writeWithAnswers(*store, "\na.wyr\na.dat\na.gda\nT\n");
        EXPECT_EQ(run.transcript.find("Warning"), std::string::npos) << run.transcript;
        EXPECT_EQ(readFile("a.wyr").substr(0, readFile("a.wyr").find('\n') + 1), row.wyr);
        EXPECT_EQ(readFile("a.dat").substr(0, readFile("a.dat").find('\n') + 1), row.dat);
        const std::string bank = readFile("a.gda").substr(81, 81);
        EXPECT_NE(bank.find(row.bank), std::string::npos) << bank;
        EXPECT_EQ(bank.size(), 81u);
        EXPECT_EQ(bank.back(), '\n');
    }
}

TEST(StepRounding, ListedAnglesOffTheirThreeDecimalsDoNotMoveAStepThatFits) {
    TempDir dir;
    auto store = countingPattern(1001);
    store->tthmin = 5.0004;  // every angle listed 0.0004 lower, the step still 0.02
    store->tthstep = 0.02;
    store->tthmax = 5.0004 + 1000 * 0.02;
    const WriteRun run = writeWithAnswers(*store, "a.xy\n\n\n\n");
    EXPECT_EQ(run.transcript.find("Warning"), std::string::npos) << run.transcript;
}

}  // namespace
