// The whole pipeline on a pattern of known truth: xrdsuggest's positions, fitted by
// xrdfit --cdt, land on the true peaks.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "batch/fit_main.h"
#include "suggest/suggest_main.h"
#include "suggest/synthetic_pattern.h"
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
    writeFile("bad.cdt", " 20.0000\n# a comment\n 21.x\n");
    std::ostringstream table, err;
    EXPECT_EQ(fitMain({"--cdt", "bad.cdt", "series.xy"}, table, err, {}), 2);
    EXPECT_EQ(err.str(),
              "xrdfit: bad.cdt:3: '21.x' is not a peak position\nTry 'xrdfit --help'.\n");
    EXPECT_EQ(table.str(), "");

    writeFile("good.cdt", " 20.0000\n");
    std::ostringstream unread, unreadErr;
    EXPECT_EQ(fitMain({"--cdt", "good.cdt", "gone.xy"}, unread, unreadErr, {}), 2);
    EXPECT_EQ(unreadErr.str(),
              "xrdfit: no pattern can be read to measure the peak widths that "
              "group the positions\nTry 'xrdfit --help'.\n");

    std::ostringstream both, bothErr;
    EXPECT_EQ(
        fitMain({"--cdt", "good.cdt", "--plan", "good.cdt", "series.xy"}, both, bothErr, {}), 2);
}

}  // namespace
