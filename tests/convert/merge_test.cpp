// xrdconvert --merge: raw scans merged by the raw reader with the further names answered from
// the command line, as a user types them at xrdpick's prompt.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "convert/convert_harness.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A raw scan: fourteen header lines naming the columns on the last, then its records.
std::string scanFile(const std::string& records, const std::string& columns = "tth cts mon tim") {
    std::string text;
    for (int n = 1; n <= 13; ++n) text += "header line " + std::to_string(n) + "\n";
    return text + columns + "\n" + records;
}

// Records from tth0 in steps of 0.02 degree, each 100 counts in 1000 ms at monitor 1e6.
std::string records(double tth0, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%.3f 100 1000000 1000\n", tth0 + 0.02 * i);
        text += line;
    }
    return text;
}

// The angles of an .xy file, its first column.
std::vector<std::string> anglesOf(const std::string& xy) {
    std::vector<std::string> angles;
    for (const std::string& line : linesOf(xy)) angles.push_back(line.substr(0, 8));
    return angles;
}

class MergeTest : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(MergeTest, TheExampleScansMergeAsInASession) {
    const std::string scans[] = {example("scan.001"), example("scan.002"), example("scan.003")};
    const ConvertRun run =
        runConvert({"--merge", "--outdir", "batch", scans[0], scans[1], scans[2]});
    // No folder "batch" yet: a usage error, before any scan is read.
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");

    fs::create_directory("batch");
    fs::create_directory("session");
    const ConvertRun merged =
        runConvert({"--merge", "--outdir", "batch", scans[0], scans[1], scans[2]});
    ASSERT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out, "batch/scan.xy\nbatch/scan.wyr\nbatch/scan.dat\nbatch/scan.gda\n");
    const std::string typedNames = scans[1] + "\n" + scans[2] + "\n\n";
    for (const char* file : {"scan.xy", "scan.wyr", "scan.dat", "scan.gda"}) {
        const char format = fs::path(file).extension().string()[1];
        ASSERT_TRUE(writeAsSession(scans[0], typedNames, format, "session/" + std::string(file),
                                   "scan.001"));
        EXPECT_EQ(readFile("batch/" + std::string(file)), readFile("session/" + std::string(file)))
            << file;
    }
    // 20.00 to 30.00 degrees in steps of 0.02.
    EXPECT_EQ(linesOf(readFile("batch/scan.xy")).size(), 501u);
}

// Each faulty line pauses for a key; the pause must not take the next scan's name. The
// pattern is written without the refused records, and one line and the status tell of them.
TEST_F(MergeTest, RefusedRecordsAreLeftOutAndSummedUpWithStatusOne) {
    writeFile("run.001", scanFile(records(10.00, 2) + "comment\n" + records(10.04, 3)));
    // 10.107 lies 0.35 steps off the grid point 10.10: rejected with the ERROR block.
    writeFile("run.002", scanFile("10.107 100 1000000 1000\n" + records(10.10, 2)));
    // A count that is not a number is refused; a monitor that did not count is not.
    writeFile("run.003",
              scanFile(records(10.14, 3) + "10.20 inf 1000000 1000\n" + "10.20 100 999 1000\n"));
    const ConvertRun run = runConvert({"--merge", "--to", "xy", "run.001", "run.002", "run.003"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "run.xy\n");
    EXPECT_TRUE(contains(run.err, "run.001: There is(are) blank line(s) in this SUPER file...\n"));
    EXPECT_TRUE(contains(run.err, "run.002: tthstep can not mix."));
    const std::string summary =
        "run.001: 3 record(s) refused and left out of the merge: 1 in run.001, 1 in run.002, "
        "1 in run.003\n";
    EXPECT_EQ(run.err.substr(run.err.size() - std::min(run.err.size(), summary.size())), summary);
    EXPECT_EQ(anglesOf(readFile("run.xy")),
              (std::vector<std::string>{"  10.000", "  10.020", "  10.040", "  10.060", "  10.080",
                                        "  10.100", "  10.120", "  10.140", "  10.160", "  10.180",
                                        "  10.200"}));
}

TEST_F(MergeTest, ARecordWhoseMonitorDidNotCountIsMergedWithoutComplaint) {
    writeFile("run.001", scanFile(records(10.00, 3) + "10.06 100 999 1000\n"));
    const ConvertRun run = runConvert({"--merge", "--to", "xy", "run.001"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(linesOf(readFile("run.xy")).size(), 4u);
    EXPECT_FALSE(contains(run.err, "refused"));
}

TEST_F(MergeTest, TheMessagesNameTheScanBeingReadAndThenTheMerge) {
    writeFile("run.001", scanFile(records(10.00, 3)));
    writeFile("run.002", scanFile(records(10.06, 3)));
    const ConvertRun run = runConvert({"--merge", "--to", "xy", "run.001", "run.002"});
    EXPECT_TRUE(contains(run.err,
                         "run.001: Enter SUPER data file number 2. name (blank to end):run.002\n"
                         "run.002: header line 11\n"
                         "run.002: header line 12\n"
                         "run.002: Enter SUPER data file number 3. name (blank to end):\n"
                         "run.001: End of Input; Proceeding to NEXT step --------->\n"));
    EXPECT_TRUE(contains(run.err, "run.001: 6 data points read.\n"));
}

TEST_F(MergeTest, AMissingScanStopsTheMergeBeforeAnythingIsWritten) {
    writeFile("run.001", scanFile(records(10.00, 3)));
    writeFile("run.003", scanFile(records(10.10, 3)));
    const ConvertRun run = runConvert({"--merge", "run.001", "run.002", "run.003"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "run.002: cannot open: No such file or directory\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fileExists("run.xy"));
}

// The raw reader ends a merge at a scan whose columns it cannot decode; the scans after it
// would be left out without a word.
TEST_F(MergeTest, AMergeEndingBeforeItsLastScanWritesNothing) {
    writeFile("run.001", scanFile(records(10.00, 3)));
    writeFile("run.002", scanFile(records(10.06, 3), "deg cts mon tim"));
    writeFile("run.003", scanFile(records(10.12, 3)));
    const ConvertRun run = runConvert({"--merge", "run.001", "run.002", "run.003"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "run.002: HELP!!! I can't decode columns of this file."));
    EXPECT_TRUE(
        contains(run.err, "run.001: the merge ended before its last scan; nothing written\n"));
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fileExists("run.xy"));
}

// A name the reader's 200-character buffer refuses would be skipped by the merge.
TEST_F(MergeTest, AScanNameTheReaderCannotTakeIsRefusedBeforehand) {
    writeFile("run.001", scanFile(records(10.00, 3)));
    const std::string longName = std::string(196, 'r') + ".002";
    writeFile(longName, scanFile(records(10.06, 3)));
    const ConvertRun run = runConvert({"--merge", "run.001", longName});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, longName + ": name too long for the merge: at most 199"));
    EXPECT_EQ(run.out, "");
}

}  // namespace

namespace {

TEST_F(MergeTest, BinSumsNeighboursOfTheMergedPatternAndASecondRangeIsAnError) {
    writeFile("run.001", scanFile(records(10.00, 5)));
    writeFile("run.002", scanFile(records(10.10, 6)));
    ConvertRun run = runConvert({"--merge", "--to", "xy", "--bin", "2", "run.001", "run.002"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.err, "run.001: Binned by 2: 5 points from 11.\n")) << run.err;
    EXPECT_EQ(
        anglesOf(readFile("run.xy")),
        (std::vector<std::string>{"  10.010", "  10.050", "  10.090", "  10.130", "  10.170"}));
    fs::remove("run.xy");
    run = runConvert({"--merge", "--to", "xy", "--block", "2", "run.001", "run.002"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "run.001: This file holds 1 range: there is no range 2.\n");
    EXPECT_FALSE(fileExists("run.xy"));
}

}  // namespace
