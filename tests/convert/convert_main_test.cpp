// xrdconvert on processed files: what it writes and lists, what it refuses, and the exit
// status of a run in which some inputs fail.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_harness.h"
#include "support/not_regular_files.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Three points on the grid 10.00, 10.02, 10.04.
const std::string kThreePoints = "10.000 100 10.0\n10.020 201 14.2\n10.040 301 17.3\n";
// The same pattern as Wyriet writes it: the header fields, then the counts in 7-character
// fields, without a final line end.
const std::string kThreePointsWyr = "  10.000   0.020  10.040\n    100    201    301";

class ConvertMainTest : public ::testing::Test {
  protected:
    ConvertMainTest() {
        writeFile("a.xy", kThreePoints);
        writeFile("b.xy", kThreePoints);
        fs::create_directory("out");
    }

    TempDir dir;
};

// ---- What a conversion writes ----

TEST_F(ConvertMainTest, WritesEveryFormatButTheInputsOwnAndListsThemInTheWritersOrder) {
    const ConvertRun run = runConvert({"--outdir", "out", "a.xy"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "out/a.wyr\nout/a.dat\nout/a.gda\n");
    EXPECT_EQ(readFile("out/a.wyr"), kThreePointsWyr);
    EXPECT_FALSE(fileExists("out/a.xy"));
}

TEST_F(ConvertMainTest, WritesTheRequestedFormatsOnlyInTheCurrentDirectoryByDefault) {
    writeFile("c.wyr", kThreePointsWyr);
    const ConvertRun run = runConvert({"--to", "gda,xy", "c.wyr"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "c.xy\nc.gda\n");
    EXPECT_EQ(linesOf(readFile("c.xy")),
              (std::vector<std::string>{"  10.000     100   -500.0", "  10.020     201   -500.0",
                                        "  10.040     301   -500.0"}));
    EXPECT_FALSE(fileExists("c.dat"));
}

TEST_F(ConvertMainTest, TitlesTheGdaFileWithTheInputsNameUnlessTitleIsGiven) {
    runConvert({"--to", "gda", "--outdir", "out", "a.xy"});
    EXPECT_EQ(linesOf(readFile("out/a.gda")).at(0), "a.xy" + std::string(76, ' '));
    runConvert({"--to", "gda", "--outdir", "out", "--force", "--title", "Quartz, 2 h", "a.xy"});
    EXPECT_EQ(linesOf(readFile("out/a.gda")).at(0), "Quartz, 2 h" + std::string(69, ' '));
}

TEST_F(ConvertMainTest, ShowsAProgressLinePerFileOnlyWhenAskedTo) {
    const ConvertRun quiet = runConvert({"--to", "wyr", "--outdir", "out", "a.xy"});
    EXPECT_FALSE(contains(quiet.err, "[1/"));
    const ConvertRun shown =
        runConvert({"--to", "wyr", "--outdir", "out", "--force", "a.xy", "b.xy"}, true);
    EXPECT_EQ(shown.err,
              "[1/2] a.xy\na.xy: 3 data points read.\n[2/2] b.xy\nb.xy: 3 data points read.\n");
}

// ---- Inputs that fail, and the others still converted ----

// Only a regular file is read: a FIFO or a device would hold the run for ever.
TEST_F(ConvertMainTest, AnInputThatIsNoFileFailsTheRunButNotTheOtherFiles) {
    std::vector<NotRegularFile> cases = makeNotRegularFiles("folder.xy", "pipe.xy");
    cases.push_back({"gone.xy", "gone.xy: cannot open: No such file or directory"});
    for (const auto& c : cases) {
        const ConvertRun run =
            runConvert({"--force", "--to", "dat", "--outdir", "out", "a.xy", c.name, "b.xy"});
        EXPECT_EQ(run.status, 1) << c.refusal;
        EXPECT_EQ(run.out, "out/a.dat\nout/b.dat\n") << c.refusal;
        EXPECT_EQ(run.err,
                  "a.xy: 3 data points read.\n" + c.refusal + "\nb.xy: 3 data points read.\n");
    }
}

TEST_F(ConvertMainTest, AFileTheReaderRefusesFailsWithTheReadersMessage) {
    writeFile("bad.xy", "10.000 100 10.0\nnot a number\n");
    const ConvertRun run = runConvert({"--outdir", "out", "bad.xy", "a.xy"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "bad.xy: Error in *.xy file"));
    EXPECT_FALSE(fileExists("out/bad.wyr"));
    EXPECT_TRUE(fileExists("out/a.wyr"));
}

TEST_F(ConvertMainTest, FilesOfNoKnownFormatAreRefused) {
    for (const char* name : {"scan.v2.001", "notes.txt", "a.xy.bak", "a.xyz"}) writeFile(name, "");
    const ConvertRun run =
        runConvert({"--outdir", "out", "scan.v2.001", "notes.txt", "a.xy.bak", "a.xyz"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "scan.v2.001: a raw scan file; raw scans are merged with --merge\n"
              "notes.txt: not a pattern file xrdconvert reads (see --help for the formats)\n"
              "a.xy.bak: not a pattern file xrdconvert reads (see --help for the formats)\n"
              "a.xyz: not a pattern file xrdconvert reads (see --help for the formats)\n");
    EXPECT_EQ(run.out, "");
}

// Temperatures, thicknesses and versions in a name: the last extension tells the format and
// the stem is everything before it.
TEST_F(ConvertMainTest, NamesWithSeveralDotsAreReadByTheirLastExtension) {
    const struct {
        std::string name, written;
    } cases[] = {
        {"Si_0.5mm.xy", "out/Si_0.5mm.dat\n"},
        {"run_25.5C.xye", "out/run_25.5C.dat\n"},
        {"sample.v2.xy", "out/sample.v2.dat\n"},
        {"a.b.wyr", "out/a.b.dat\n"},
    };
    for (const auto& c : cases) {
        writeFile(c.name, c.name.ends_with("wyr") ? kThreePointsWyr : kThreePoints);
        const ConvertRun run = runConvert({"--to", "dat", "--outdir", "out", c.name});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.written);
    }
}

TEST_F(ConvertMainTest, AnInputWithoutANameBeforeItsExtensionWritesNothing) {
    writeFile(".xy", kThreePoints);
    const ConvertRun run = runConvert({"--outdir", "out", ".xy"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(fs::is_empty("out"));
}

// Counts of ten million run into each other in the fixed fields: that output is an error
// and an old file of its name stays; the free-format .xy still takes them.
TEST_F(ConvertMainTest, AnOutputWhoseCountsDoNotFitItsFieldsFailsAndKeepsTheOldFile) {
    writeFile("big.xy", "10.000 10000000 3162.3\n10.020 12000000 3464.1\n10.040 9 3.0\n");
    writeFile("out/big.wyr", "old");
    const ConvertRun run = runConvert({"--force", "--to", "xy,wyr", "--outdir", "out", "big.xy"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "out/big.xy\n");
    EXPECT_TRUE(contains(run.err,
                         "out/big.wyr: 2 value(s) do not fit their fixed field in out/big.wyr "
                         "and would not read back correctly: not written.\n"))
        << run.err;
    EXPECT_EQ(readFile("out/big.wyr"), "old");
}

// ---- Files that must not be replaced ----

TEST_F(ConvertMainTest, AnExistingFileIsKeptWithoutForceAndTheOtherFormatsWritten) {
    writeFile("out/a.dat", "keep me");
    const ConvertRun run = runConvert({"--outdir", "out", "a.xy"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readFile("out/a.dat"), "keep me");
    EXPECT_EQ(run.err,
              "a.xy: 3 data points read.\n"
              "out/a.dat: exists already; not replaced (--force replaces it)\n");
    EXPECT_EQ(run.out, "out/a.wyr\nout/a.gda\n");
}

TEST_F(ConvertMainTest, ForceReplacesAnExistingFile) {
    writeFile("out/a.wyr", "old");
    const ConvertRun run = runConvert({"--force", "--to", "wyr", "--outdir", "out", "a.xy"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readFile("out/a.wyr"), kThreePointsWyr);
}

// With --force, "--to xy a.xy b.wyr" would replace b.wyr's own data before reading it, and
// two inputs of one stem would overwrite each other's output.
TEST_F(ConvertMainTest, ForceNeverReplacesAnInputNorAFileTheRunWrote) {
    writeFile("b.wyr", kThreePointsWyr);
    const ConvertRun inputs = runConvert({"--force", "--to", "wyr", "./a.xy", "b.wyr"});
    EXPECT_EQ(inputs.status, 1);
    EXPECT_EQ(readFile("b.wyr"), kThreePointsWyr);
    EXPECT_TRUE(contains(inputs.err, "b.wyr: is an input of this run; not replaced\n"));

    fs::create_directory("other");
    writeFile("other/a.xy", "10.000 7 1.0\n10.020 8 1.0\n10.040 9 1.0\n");
    const ConvertRun sameStem =
        runConvert({"--force", "--to", "dat", "--outdir", "out", "a.xy", "other/a.xy"});
    EXPECT_EQ(sameStem.status, 1);
    EXPECT_EQ(sameStem.out, "out/a.dat\n");
    EXPECT_TRUE(contains(sameStem.err,
                         "out/a.dat: written from an earlier input of this run; not replaced"));
    EXPECT_TRUE(contains(readFile("out/a.dat"), "   100.0   201.0   301.0"));
}

// ---- Output directories that cannot take the files ----

TEST_F(ConvertMainTest, AnOutputDirectoryThatIsNotOneIsAUsageErrorBeforeAnyInputIsRead) {
    writeFile("plain", "a file, not a directory");
    for (const std::string outdir : {"plain", "missing"}) {
        const ConvertRun run = runConvert({"--to", "xy,gda", "--outdir", outdir, "a.xy", "b.xy"});
        EXPECT_EQ(run.status, 2) << outdir;
        EXPECT_EQ(run.out, "") << outdir;
        EXPECT_EQ(run.err, "xrdconvert: --outdir '" + outdir +
                               "' is not an existing directory\nTry 'xrdconvert --help'.\n");
    }
    EXPECT_FALSE(fs::exists("missing"));
}

// ---- Usage ----

TEST_F(ConvertMainTest, UsageErrorsExitWithTwoAndConvertNothing) {
    const ConvertRun run = runConvert({"--to", "xy,cif", "a.xy", "b.xy"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "xrdconvert: unknown format 'cif' for --to (use xy, wyr, dat, gda)\n"
              "Try 'xrdconvert --help'.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fileExists("a.wyr"));
    EXPECT_EQ(runConvert({"--outdir", "out"}).status, 2);
}

TEST_F(ConvertMainTest, HelpAndVersionExitWithZeroAndConvertNothing) {
    const ConvertRun help = runConvert({"a.xy", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: xrdconvert", 0), 0u);
    EXPECT_FALSE(fileExists("a.wyr"));
    const ConvertRun version = runConvert({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("xrdconvert ", 0), 0u);
}

}  // namespace
