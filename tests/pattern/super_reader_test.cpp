// Merging raw scan files: the column header, the angle grid, dead-time correction, the
// dialogue for further files and the normalisation to a monitor of 1,000,000.

#include "pattern/super_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "pattern/pattern_store.h"
#include "support/not_regular_files.h"
#include "support/temp_dir.h"

namespace {

constexpr double kTau = 3.0e-6;  // detector dead time, seconds

// Fourteen header lines; lines 11 and 12 describe the scan, line 14 names the columns.
std::string header(const std::string& columnLine) {
    std::string text;
    for (int n = 1; n <= 10; ++n) text += "instrument line " + std::to_string(n) + "\n";
    return text + "Sample: quartz powder\n" + "Scan 7, Cu K-alpha\n" + "----\n" + columnLine + "\n";
}

std::string record(double tth, double cts, double mon, double timMs) {
    char text[100];
    std::snprintf(text, sizeof text, "%.4f %.1f %.1f %.1f\n", tth, cts, mon, timMs);
    return text;
}

// Records at first, first + step, ... with the same counts, monitor and time each.
std::string records(double first, double step, int n, double cts, double mon = 1.0e6,
                    double timMs = 1.0e6) {
    std::string text;
    for (int i = 0; i < n; ++i) text += record(first + i * step, cts, mon, timMs);
    return text;
}

std::string scanFile(const std::string& body) {
    return header("tth cts mon tim") + body;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

const std::string kRecordKeyLine =
    "Hit any key to continue - Up to previous record results will be processed/saved; ^C to "
    "halt program now.\n";

class SuperReaderTest : public ::testing::Test {
  protected:
    // Reads the named first file with the given console input (further names, keys).
    int read(const std::string& firstName, const std::string& consoleInput = "") {
        std::FILE* first = std::fopen(firstName.c_str(), "r");
        if (!first) throw std::runtime_error("cannot open " + firstName);
        std::istringstream in(consoleInput);
        std::ostringstream out;
        Console console(in, out);
        const int result = readSuperScans(first, console, store);
        transcript = out.str();
        return result;
    }

    TempDir dir;
    std::unique_ptr<PatternStore> storage = std::make_unique<PatternStore>();
    PatternStore& store = *storage;
    std::string transcript;
};

// ---- The grid ----

TEST_F(SuperReaderTest, StepComesFromTheFirstTwoRecords) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 5, 400.0)));
    EXPECT_EQ(read("scan.001"), 0);
    EXPECT_DOUBLE_EQ(store.tthmin, 10.0);
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    EXPECT_EQ(store.ilast, 4);
    EXPECT_NEAR(store.tthmax, 10.08, 1e-9);
}

TEST_F(SuperReaderTest, StepIsRoundedToATenThousandthOfADegree) {
    writeFile("scan.001", scanFile(record(10.0, 1, 1e6, 1e6) + record(10.02004, 1, 1e6, 1e6)));
    read("scan.001");
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
}

TEST_F(SuperReaderTest, StartMessagesEchoedHeaderLinesAndTheEnd) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    read("scan.001");
    EXPECT_EQ(transcript,
              "First file must have lowest angle.  Max 19001 points.\n"
              "Each scan must have same step.  Sums repeated points.\n"
              "Sample: quartz powder\n"
              "Scan 7, Cu K-alpha\n"
              "Enter SUPER data file number 2. name (blank to end):"
              "End of Input; Proceeding to NEXT step --------->\n");
}

TEST_F(SuperReaderTest, RecordThirtyFiveHundredthsOfAStepOffIsRejected) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0) + record(10.067, 900, 1e6, 1e6) +
                                   record(10.085, 400, 1e6, 1e6)));
    EXPECT_EQ(read("scan.001", "\n"), 0);
    EXPECT_TRUE(contains(
        transcript,
        "---------------------------------- ERROR!!! ------------------------------------------\n"
        "tthstep can not mix. Current data points index = 4th, file = 1th file.\n"
        "Current tth value of SUPER file = 10.067000, Expected tth value = 10.060000\n"
        "Current tthstep = 0.020000, Current tolerance = 0.300000\n"
        "Hit any key to continue, -OR- ^C to halt program now.\n"
        "--------------------------------------------------------------------------------------"
        "\n"));
    // 10.085 is a quarter step above 10.08: summed into point 4. Point 3 got nothing.
    EXPECT_EQ(store.ilast, 4);
    EXPECT_NEAR(store.cts[4], 400.0f, 0.01f);
    EXPECT_EQ(store.cts[3], 0.0f);
}

TEST_F(SuperReaderTest, RecordBelowTheGridIsRejectedNotStoredBeforeIt) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    writeFile("scan.002", scanFile(record(9.96, 900, 1e6, 1e6) + record(10.0, 400, 1e6, 1e6)));
    EXPECT_EQ(read("scan.001", "scan.002\n\n\n"), 0);
    EXPECT_EQ(occurrences(transcript, "ERROR!!!"), 1);
    EXPECT_TRUE(contains(transcript, "file = 2th file.\n"));
    EXPECT_NEAR(store.cts[0], 400.0f, 0.01f);  // the repeat at 10.00 still counts
    EXPECT_NEAR(store.sig[0], 20.0f / std::sqrt(2.0f), 0.01f);
}

TEST_F(SuperReaderTest, LaterFileStartingAtTthminDoesNotRedefineTheStep) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    // A second record 0.03 after tthmin must still be measured against the 0.02 grid.
    writeFile("scan.002", scanFile(record(10.0, 400, 1e6, 1e6) + record(10.03, 400, 1e6, 1e6)));
    read("scan.001", "scan.002\n\n\n");
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    EXPECT_EQ(occurrences(transcript, "ERROR!!!"), 1);
    EXPECT_EQ(store.ilast, 2);
}

TEST_F(SuperReaderTest, RepeatedAngleInTheFirstTwoRecordsRejectsEverythingAfter) {
    // A step of zero: no later record can be placed, and nothing divides by zero.
    writeFile("scan.001", scanFile(record(10.0, 400, 1e6, 1e6) + record(10.0, 400, 1e6, 1e6) +
                                   record(10.02, 400, 1e6, 1e6)));
    EXPECT_EQ(read("scan.001"), 0);
    EXPECT_EQ(occurrences(transcript, "ERROR!!!"), 1);
    EXPECT_EQ(store.ilast, 1);
}

// ---- Merging files ----

TEST_F(SuperReaderTest, RepeatedScanKeepsIntensityAndShrinksSigmaBySqrtTwo) {
    const std::string body = records(20.0, 0.05, 4, 400.0, 5.0e5);
    writeFile("scan.001", scanFile(body));
    writeFile("scan.002", scanFile(body));
    // 400 counts on a monitor of 500,000: 800 per 1,000,000, sigma sqrt(400) * 2 = 40.
    read("scan.001");
    const float singleCts = store.cts[2];
    const float singleSig = store.sig[2];
    EXPECT_NEAR(singleCts, 800.0f, 0.01f);
    EXPECT_NEAR(singleSig, 40.0f, 0.001f);

    EXPECT_EQ(read("scan.001", "scan.002\n\n"), 0);
    EXPECT_EQ(store.ilast, 3);
    for (int i = 0; i <= 3; ++i) {
        EXPECT_NEAR(store.cts[i], singleCts, 0.001f);
        EXPECT_NEAR(store.sig[i], singleSig / std::sqrt(2.0f), 0.001f);
    }
    EXPECT_TRUE(contains(transcript,
                         "Enter SUPER data file number 2. name (blank to end):"
                         "Sample: quartz powder\nScan 7, Cu K-alpha\n"
                         "Enter SUPER data file number 3. name (blank to end):"
                         "End of Input; Proceeding to NEXT step --------->\n"));
}

TEST_F(SuperReaderTest, ContinuingScanExtendsThePattern) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 5, 400.0)));
    writeFile("scan.002", scanFile(records(10.10, 0.02, 5, 900.0)));
    EXPECT_EQ(read("scan.001", "scan.002\n\n"), 0);
    EXPECT_EQ(store.ilast, 9);
    EXPECT_NEAR(store.tthmax, 10.18, 1e-9);
    EXPECT_NEAR(store.cts[4], 400.0f, 0.01f);
    EXPECT_NEAR(store.cts[5], 900.0f, 0.01f);
    EXPECT_NEAR(store.cts[9], 900.0f, 0.01f);
}

TEST_F(SuperReaderTest, EachFileMayOrderItsColumnsDifferently) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    writeFile("scan.002", header("tim mon cts tth") + "1000000.0 1000000.0 400.0 10.0600\n");
    read("scan.001", "scan.002\n\n");
    EXPECT_EQ(store.ilast, 3);
    EXPECT_NEAR(store.cts[3], 400.0f, 0.01f);
}

// A directory or a FIFO is no scan: named as what it is, and asked for again.
TEST_F(SuperReaderTest, MissingFurtherFileIsAskedForAgainWithoutTheNumberedPrompt) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    writeFile("scan.002", scanFile(records(10.06, 0.02, 2, 400.0)));
    std::vector<NotRegularFile> cases = makeNotRegularFiles("scan.007", "scan.008");
    for (NotRegularFile& c : cases) c.refusal += "\n";
    cases.push_back({"scan.009", ""});
    for (const auto& c : cases) {
        read("scan.001", c.name + "\nscan.002\n\n");
        EXPECT_TRUE(
            contains(transcript, "Enter SUPER data file number 2. name (blank to end):" + c.refusal +
                                     "Eh? I can not see that file, Try again...\n"
                                     "Sample: quartz powder\n"))
            << transcript;
        EXPECT_EQ(store.ilast, 4);
    }
}

TEST_F(SuperReaderTest, OverLongFurtherNameIsRefusedAndAskedAgain) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    read("scan.001", std::string(250, 's') + "\n\n");
    EXPECT_TRUE(contains(transcript,
                         "File name too long: at most 199 characters.\n"
                         "End of Input; Proceeding to NEXT step --------->\n"));
}

TEST_F(SuperReaderTest, EndOfConsoleInputEndsTheMerge) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    EXPECT_EQ(read("scan.001", ""), 0);
    EXPECT_TRUE(contains(transcript, "End of Input; Proceeding to NEXT step --------->\n"));
    EXPECT_EQ(store.ilast, 2);
}

// ---- Column headers ----

TEST_F(SuperReaderTest, ColumnsInAnyOrderWithLongerNames) {
    writeFile("scan.001", header("monitor timer  cts_det  step TTH2") +
                              "1000000 1000000 400 1 10.00\n"
                              "1000000 1000000 400 2 10.02\n"
                              "1000000 1000000 900 3 10.04\n");
    EXPECT_EQ(read("scan.001"), 0);
    EXPECT_EQ(store.ilast, 2);
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    EXPECT_NEAR(store.cts[2], 900.0f, 0.01f);
}

TEST_F(SuperReaderTest, LastOfTwoMatchingNamesWins) {
    // "tth" then "tth2": the angle is read from the second.
    writeFile("scan.001", header("tth tth2 cts mon tim") +
                              "99 10.00 400 1000000 1000000\n"
                              "98 10.02 400 1000000 1000000\n"
                              "97 10.04 400 1000000 1000000\n");
    read("scan.001");
    EXPECT_DOUBLE_EQ(store.tthmin, 10.0);
    EXPECT_EQ(store.ilast, 2);
}

TEST_F(SuperReaderTest, FirstFileWithoutTimeColumnIsRefused) {
    writeFile("scan.001", header("tth cts mon") + "10.00 400 1000000\n10.02 400 1000000\n");
    EXPECT_EQ(read("scan.001", "\n"), -3);
    EXPECT_EQ(store.ilast, 0);
    EXPECT_TRUE(contains(transcript,
                         "HELP!!! I can't decode columns of this file.tth cts mon\n\n"
                         "Hit any key to continue - Up to previous file results will be "
                         "processed/saved; ^C to halt program now.\n"));
    EXPECT_FALSE(contains(transcript, "Enter SUPER data file number"));
}

TEST_F(SuperReaderTest, MixedCaseNamesAreNotRecognised) {
    writeFile("scan.001", header("Tth cts mon tim") + "10.00 400 1000000 1000000\n");
    EXPECT_EQ(read("scan.001"), -3);
}

TEST_F(SuperReaderTest, FileShorterThanItsHeaderIsRefused) {
    writeFile("scan.001", "only\nthree\nlines\n");
    EXPECT_EQ(read("scan.001"), -3);
    EXPECT_TRUE(contains(transcript, "HELP!!! I can't decode columns of this file.\n"));
}

TEST_F(SuperReaderTest, UndecodableLaterFileIsDisregardedAndEarlierPointsKept) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 5, 400.0)));
    writeFile("scan.002", header("angle counts") + "10.10 900\n");
    EXPECT_EQ(read("scan.001", "scan.002\n\n"), 0);
    EXPECT_TRUE(contains(transcript,
                         "HELP!!! I can't decode columns of this file.angle counts\n\n"
                         "Hit any key to continue - Up to previous file results will be "
                         "processed/saved; ^C to halt program now.\n"
                         "You select to continue... Disregarding last SUPER file.\n"
                         "Be advised to check last SUPER file.\n"
                         "End of Input; Proceeding to OUTPUT step --------->\n"));
    EXPECT_FALSE(contains(transcript, "number 3."));
    EXPECT_EQ(store.ilast, 4);
    for (int i = 0; i <= 4; ++i) EXPECT_NEAR(store.cts[i], 400.0f, 0.01f);
}

// ---- Records ----

TEST_F(SuperReaderTest, BadLinesAreSkippedAfterAKey) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0) +
                                   "   \n"            // white space only
                                   "counts follow\n"  // no number
                                   "10.06 77777\n"    // too few numbers
                                   "10.0600 nan 1000000 1000\n" +
                                   record(10.08, 400, 1e6, 1e6)));
    EXPECT_EQ(read("scan.001", "\n\n\n\n"), 0);
    EXPECT_EQ(occurrences(transcript,
                          "There is(are) blank line(s) in this SUPER file...\n" + kRecordKeyLine),
              1);
    EXPECT_EQ(occurrences(transcript, "Error in current SUPER file...\n" + kRecordKeyLine), 3);
    // Nothing of the faulty lines (nor of the line before them) reached point 3.
    EXPECT_EQ(store.cts[3], 0.0f);
    EXPECT_EQ(store.ilast, 4);
    EXPECT_NEAR(store.cts[4], 400.0f, 0.01f);
}

TEST_F(SuperReaderTest, ValueBeyondFloatRangeIsRefused) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0) + "10.06 1e39 1000000 1000\n"));
    read("scan.001", "\n");
    EXPECT_TRUE(contains(transcript, "Error in current SUPER file...\n"));
    EXPECT_EQ(store.ilast, 2);
}

TEST_F(SuperReaderTest, MonitorBelowAThousandCountsAsAMillionWithoutCounts) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    writeFile("scan.002", scanFile(record(10.0, 400, 1e6, 1e6) + record(10.02, 5000, 999, 1e6) +
                                   record(10.04, 400, 1e6, 1e6)));
    read("scan.001", "scan.002\n\n");
    EXPECT_NEAR(store.cts[0], 400.0f, 0.01f);
    // Point 1: 400 counts on a monitor of 2,000,000.
    EXPECT_NEAR(store.cts[1], 200.0f, 0.01f);
    EXPECT_NEAR(store.sig[1], 10.0f, 0.001f);
}

TEST_F(SuperReaderTest, DeadTimeCorrectionOfAHundredThousandCountsInOneSecond) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 100000.0, 1.0e6, 1000.0)));
    read("scan.001");
    // f = 1 - 100000 * 3e-6 / 1 = 0.7.
    const double expected = 100000.0 / (1.0 - 100000.0 * kTau / 1.0);
    EXPECT_NEAR(expected, 142857.14, 0.01);
    EXPECT_NEAR(store.cts[1], expected, 0.05);
    EXPECT_NEAR(store.sig[1], std::sqrt(expected), 0.001);
}

TEST_F(SuperReaderTest, CountingTimeBelowTenMillisecondsIsNotCorrected) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 2, 400.0) + "10.0400 500 1000000 5\n"));
    read("scan.001");
    EXPECT_TRUE(contains(transcript, "Cannot make dead time correction:\n10.0400 500 1000000 5\n"));
    EXPECT_EQ(store.cts[2], 500.0f);
}

TEST_F(SuperReaderTest, FactorNotPositiveIsNotCorrected) {
    // 400,000 counts in 1 s: 1 - 400000 * 3e-6 = -0.2.
    writeFile("scan.001",
              scanFile(records(10.0, 0.02, 2, 400.0) + "10.0400 400000 1000000 1000\n"));
    read("scan.001");
    EXPECT_TRUE(contains(transcript,
                         "Cannot make dead time correction.  tau, cts, tim = 0.000003, "
                         "400000.000000, 1.000000\n"));
    EXPECT_EQ(store.cts[2], 400000.0f);
}

// ---- The end of the merge ----

// 10.06 after 10.02 is two steps on: the step stays 0.02 and point 2 gets no record.
TEST_F(SuperReaderTest, PointNeverReachedGetsZeroAndUnitSigma) {
    writeFile("scan.001", scanFile(record(10.0, 400, 1e6, 1e6) + record(10.02, 400, 1e6, 1e6) +
                                   record(10.06, 400, 1e6, 1e6)));
    read("scan.001");
    EXPECT_NEAR(store.tthstep, 0.02, 1e-12);
    EXPECT_EQ(store.ilast, 3);
    EXPECT_NEAR(store.cts[3], 400.0f, 0.01f);
    EXPECT_EQ(store.cts[2], 0.0f);
    EXPECT_EQ(store.sig[2], 1.0f);
    EXPECT_TRUE(contains(transcript,
                         "HELP.  i, cts, mon = 2 0.000000 0.000000\n"
                         "HELP. i, cts, mon = 2 0.000000 0.000000\n"));
    for (int i = 0; i <= store.ilast; ++i) {
        EXPECT_TRUE(std::isfinite(store.cts[i]));
        EXPECT_TRUE(std::isfinite(store.sig[i]));
    }
}

TEST_F(SuperReaderTest, EntriesPastThePatternHoldTheUnsetValue) {
    writeFile("scan.001", scanFile(records(10.0, 0.02, 3, 400.0)));
    read("scan.001");
    EXPECT_EQ(store.cts[3], kUnset);
    EXPECT_EQ(store.sig[3], kUnset);
    EXPECT_EQ(store.cts[MAXBUF - 1], kUnset);
}

TEST_F(SuperReaderTest, PointBeyondCapacityEndsTheWholeRead) {
    // Step 0.01 from 10.00: 200.00 is point 19000, the last; 200.01 would be point 19001.
    writeFile("scan.001", scanFile(record(10.0, 400, 1e6, 1e6) + record(10.01, 400, 1e6, 1e6) +
                                   record(200.0, 400, 1e6, 1e6) + record(200.01, 400, 1e6, 1e6) +
                                   record(10.02, 400, 1e6, 1e6)));
    EXPECT_EQ(read("scan.001", "scan.002\n\n"), 0);
    EXPECT_TRUE(contains(transcript, "Too long.  i = 19001.  Aborting file.\n"));
    EXPECT_FALSE(contains(transcript, "Enter SUPER data file number"));
    EXPECT_FALSE(contains(transcript, "End of Input"));
    EXPECT_EQ(store.ilast, 19000);
    EXPECT_NEAR(store.cts[19000], 400.0f, 0.01f);
    EXPECT_EQ(store.cts[2], 0.0f);  // the record after the abort was not read
}

}  // namespace
