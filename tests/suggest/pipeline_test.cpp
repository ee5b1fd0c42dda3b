// The whole pipeline on a pattern of known truth: xrdsuggest's positions, fitted by
// xrdfit --cdt, land on the true peaks.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batch/fit_main.h"
#include "suggest/suggest_main.h"
#include "suggest/synthetic_pattern.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

struct FittedPeak {
    double tth;
    std::string status;
};

// The tth and status columns of an xrdfit table.
std::vector<FittedPeak> fittedPeaks(const std::string& table) {
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);  // header
    std::vector<FittedPeak> peaks;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t')) fields.push_back(cell);
        peaks.push_back({std::stod(fields.at(3)), fields.at(13)});
    }
    return peaks;
}

TEST(SuggestPipeline, FitsTheSuggestedPeaksOntoTheTruth) {
    TempDir dir;
    const SyntheticPattern pattern = syntheticPattern(1);
    writeXy(*pattern.store, "series.xy");
    std::ostringstream out, err;
    ASSERT_EQ(suggestMain({"series.xy"}, out, err), 0) << err.str();
    std::ostringstream table, fitErr;
    fitMain({"--cdt", "series.cdt", "--jobs", "1", "series.xy"}, table, fitErr, {});

    const std::vector<FittedPeak> fitted = fittedPeaks(table.str());
    for (const TruePeak& truth : pattern.peaks) {
        // Weaker peaks land within their statistical errors, which exceed 0.005 degrees.
        if (truth.sigmas < 20) continue;
        const FittedPeak* nearest = nullptr;
        for (const FittedPeak& peak : fitted)
            if (!nearest ||
                std::fabs(peak.tth - truth.position) < std::fabs(nearest->tth - truth.position))
                nearest = &peak;
        ASSERT_NE(nearest, nullptr);
        EXPECT_EQ(nearest->status, "ok") << "peak at " << truth.position;
        EXPECT_LT(std::fabs(nearest->tth - truth.position), 0.005)
            << "peak at " << truth.position << " (" << truth.sigmas << " sigma) fitted at "
            << nearest->tth;
    }
}

TEST(SuggestPipeline, ACdtFileThatCannotServeIsAUsageErrorNamingItsLine) {
    TempDir dir;
    writeXy(*syntheticPattern(1).store, "series.xy");
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {" 20.0000\n# a comment\n 21.x\n", "bad.cdt:3: '21.x' is not a peak position"},
        {" 20.0000\n-5\n",
         "bad.cdt:2: the peak position -5 does not lie between 0 and 180 degrees"},
        {" 8e57\n", "bad.cdt:1: the peak position 8e57 does not lie between 0 and 180 degrees"},
    };
    for (const auto& c : cases) {
        writeFile("bad.cdt", c.text);
        std::ostringstream table, err;
        EXPECT_EQ(fitMain({"--cdt", "bad.cdt", "series.xy"}, table, err, {}), 2);
        EXPECT_EQ(err.str(), std::string("xrdfit: ") + c.error + "\nTry 'xrdfit --help'.\n");
        EXPECT_EQ(table.str(), "");
    }

    writeFile("good.cdt", " 20.0000\n");
    std::ostringstream unread, unreadErr;
    EXPECT_EQ(fitMain({"--cdt", "good.cdt", "gone.xy"}, unread, unreadErr, {}), 2);
    EXPECT_EQ(unreadErr.str(),
              "xrdfit: no pattern can be read to measure the peak widths that "
              "group the positions\nTry 'xrdfit --help'.\n");

    std::ostringstream both, bothErr;
    EXPECT_EQ(fitMain({"--cdt", "good.cdt", "--plan", "good.cdt", "series.xy"}, both, bothErr, {}),
              2);
}

}  // namespace

// --from and --block reach the readers of both programs, and a bad value is a usage error.
TEST(SuggestPipeline, ReadOptionsReachBothPrograms) {
    TempDir dir;
    writeImportSamples();
    std::filesystem::copy_file("quartz.raw", "renamed.bin");
    writeFile("second.txt", "61.5 62.5 62.0\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* said;  // in the messages
    };
    // The sample's peaks are single lines although the file names Kα2, as behind a Kα1
    // monochromator.
    const std::vector<Case> suggestCases = {
        {{"--block", "2", "--no-ka2", "quartz.raw"}, 0,
         "quartz.raw: radiation: alpha1 1.540600 A, single lines (stated by the file; Kalpha2 "
         "left out by --no-ka2)\n"},
        {{"--from", "bruker_raw", "--block=2", "--no-ka2", "renamed.bin"}, 0, ""},
        {{"--block", "3", "quartz.raw"}, 1, "quartz.raw: "},
        {{"--block", "0", "quartz.raw"}, 2, "--block needs a whole number from 1 to 1000000"},
        {{"--from", "nope", "quartz.raw"}, 2, "unknown format 'nope' for --from"},
    };
    for (const Case& c : suggestCases) {
        std::ostringstream out, err;
        EXPECT_EQ(suggestMain(c.args, out, err), c.status) << err.str();
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
        const std::string cdt = std::filesystem::path(c.args.back()).stem().string() + ".cdt";
        if (c.status == 0) {
            EXPECT_NE(readFile(cdt).find("62.0000"), std::string::npos);
        }
        std::filesystem::remove(cdt);
    }
    const std::vector<Case> fitCases = {
        {{"--plan", "second.txt", "--block", "2", "--no-ka2", "quartz.raw"},
         0,
         "quartz.raw: radiation: alpha1 1.540600 A, single lines (stated by the file; Kalpha2 "
         "left out by --no-ka2)\n"},
        {{"--plan", "second.txt", "--from", "bruker_raw", "--block=2", "--no-ka2", "renamed.bin"},
         0,
         ""},
        {{"--plan", "second.txt", "quartz.raw"}, 1, "1 of 1 fits failed"},
        {{"--plan", "second.txt", "--block", "x", "quartz.raw"}, 2, "--block needs a whole"},
        {{"--plan", "second.txt", "--max-iter", "0", "quartz.raw"},
         2,
         "--max-iter needs a whole number from 1 to 10000, not '0'"},
        {{"--plan", "second.txt", "--max-iter", "10001", "quartz.raw"}, 2, "--max-iter needs"},
    };
    for (const Case& c : fitCases) {
        std::ostringstream table, err;
        EXPECT_EQ(fitMain(c.args, table, err, {}), c.status) << err.str();
        EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
        const std::vector<FittedPeak> fitted = fittedPeaks(table.str());
        if (c.status == 0) {
            ASSERT_EQ(fitted.size(), 1u);
            EXPECT_NEAR(fitted[0].tth, 62.0, 0.02);  // a symmetric peak, fitted with W/R 0.06
        }
    }
}
