// Whole runs of xrdfit on a drifting series generated from the fit model.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "batch/fit_main.h"
#include "drifting_series.h"
#include "support/file_size_limit.h"
#include "support/not_regular_files.h"
#include "support/temp_dir.h"
#include "xrdfit_harness.h"

namespace {

constexpr int kPatterns = 6;

// Every peak of every pattern recovered from the table, rows in pattern order.
void expectRecovered(const std::vector<TableRow>& rows, const std::vector<std::string>& names) {
    ASSERT_EQ(rows.size(), names.size() * kSeriesRegions * kPeaksPerRegion);
    std::size_t r = 0;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::vector<TruePeak> truth =
            driftingPeaks(driftSteps(static_cast<int>(k), kPatterns));
        for (int region = 1; region <= kSeriesRegions; ++region) {
            for (int peak = 1; peak <= kPeaksPerRegion; ++peak, ++r) {
                const TableRow& row = rows[r];
                const TruePeak& want = truth[(region - 1) * kPeaksPerRegion + peak - 1];
                SCOPED_TRACE(names[k] + " region " + std::to_string(region) + " peak " +
                             std::to_string(peak));
                EXPECT_EQ(row.at("pattern"), names[k]);
                EXPECT_EQ(row.at("region"), std::to_string(region));
                EXPECT_EQ(row.at("peak"), std::to_string(peak));
                EXPECT_EQ(row.at("status"), "ok");
                EXPECT_NEAR(number(row, "tth"), want.position, 2e-4);
                EXPECT_NEAR(number(row, "fwhm"), want.fwhm, 0.005 * want.fwhm);
                EXPECT_NEAR(number(row, "intensity"), want.intensity, 0.005 * want.intensity);
                EXPECT_NEAR(number(row, "eta"), 0.4, 0.01);
                EXPECT_GT(number(row, "tth_se"), 0.0);
                EXPECT_LT(number(row, "tth_se"), 0.01);
            }
        }
    }
}

class XrdfitRunTest : public ::testing::Test {
  protected:
    XrdfitRunTest() : names_(writeDriftingSeries(".", kPatterns)) {
        writeFile("plan.txt", driftingPlan());
    }

    std::vector<std::string> withPatterns(std::vector<std::string> args) const {
        args.insert(args.end(), names_.begin(), names_.end());
        return args;
    }

    TempDir dir_;
    std::vector<std::string> names_;
};

TEST_F(XrdfitRunTest, SequentialAndParallelRunsRecoverEveryPeak) {
    for (const char* mode : {"--sequential", "--jobs=2"}) {
        SCOPED_TRACE(mode);
        const XrdfitRun run = runXrdfit(withPatterns({"--plan", "plan.txt", mode}));
        EXPECT_EQ(run.status, 0) << run.err;
        // The series says its radiation and the W/R it measured once, for its first pattern.
        EXPECT_EQ(run.err, "xrdfit: " + names_[0] +
                               ": radiation: none known (--anode or --wavelength names it)\n"
                               "xrdfit: " +
                               names_[0] + ": W/R 0.060, estimated from the pattern's regions\n");
        expectRecovered(parseTable(run.out), names_);
    }
}

// Only a regular file is read: a FIFO would hold the run for ever.
TEST_F(XrdfitRunTest, UnreadablePatternFailsAloneAndOthersAreFitted) {
    std::vector<NotRegularFile> cases = makeNotRegularFiles("folder.xy", "pipe.xy");
    cases.push_back({"absent.xy", "absent.xy: cannot be opened"});
    for (const auto& c : cases) {
        std::vector<std::string> args = withPatterns({"--plan", "plan.txt", "--jobs", "2"});
        args.insert(args.begin() + 6, c.name);  // between the second and third pattern
        const XrdfitRun run = runXrdfit(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.refusal + "\n"), std::string::npos) << run.err;

        std::vector<TableRow> rows = parseTable(run.out);
        ASSERT_EQ(rows.size(), (kPatterns + 1) * kSeriesRegions * kPeaksPerRegion);
        const auto firstMissing = rows.begin() + 2 * kSeriesRegions * kPeaksPerRegion;
        for (auto row = firstMissing; row != firstMissing + kSeriesRegions * kPeaksPerRegion;
             ++row) {
            EXPECT_EQ(row->at("pattern"), c.name);
            EXPECT_EQ(row->at("status"), "unreadable");
            EXPECT_TRUE(std::isnan(number(*row, "tth")));
        }
        rows.erase(firstMissing, firstMissing + kSeriesRegions * kPeaksPerRegion);
        expectRecovered(rows, names_);
    }
}

TEST_F(XrdfitRunTest, RegionOutsideAPatternFailsThatFitOnly) {
    writeFile("wide.txt", driftingPlan() + "27.0 29.0 28.2\n");  // past the patterns' end
    const XrdfitRun run =
        runXrdfit({"--plan", "wide.txt", "--plots", "plots", "--fit", "a.fit", names_[0]});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("1 of 3 fits failed"), std::string::npos) << run.err;
    const std::vector<TableRow> rows = parseTable(run.out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[6].at("status"), "outside");
    for (int r = 0; r < 6; ++r) EXPECT_EQ(rows[r].at("status"), "ok");
    // Nothing to show or keep of the region that was not fitted.
    EXPECT_TRUE(fileExists("plots/series_000.xy_region2.png"));
    EXPECT_FALSE(fileExists("plots/series_000.xy_region3.png"));
    const std::string blocks = readFile("a.fit");
    // The header and 2 blocks of a comment, three peaks and a separator.
    EXPECT_EQ(std::count(blocks.begin(), blocks.end(), '\n'), 1 + 2 * 5);
}

TEST_F(XrdfitRunTest, BadPlanLineIsUsageErrorNamingItsLineAndNothingIsFitted) {
    writeFile("bad.txt", "# ends and peaks\n20.5 23.995 21.61\n24.5 27.995 25.3q\n");
    const XrdfitRun run = runXrdfit(withPatterns({"--plan", "bad.txt", "--fit", "out.fit"}));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("bad.txt:3: '25.3q' is not a number"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fileExists("out.fit"));
}

TEST_F(XrdfitRunTest, FitFileAndPlotsGetOneBlockAndOnePicturePerFit) {
    const XrdfitRun run =
        runXrdfit(withPatterns({"--plan", "plan.txt", "--fit", "series.fit", "--plots", "plots",
                                "--table", "series.tsv", "--jobs", "2"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::vector<TableRow> rows = parseTable(readFile("series.tsv"));
    ASSERT_EQ(rows.size(), kPatterns * kSeriesRegions * kPeaksPerRegion);

    // The blocks follow the table's order, each line as the table's row says.
    const std::string fit = readFile("series.fit");
    std::istringstream lines(fit);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "#   tth      Iint       FWHM      eta      w/r     chi^2");
    int separators = 0;
    std::size_t r = 0;
    while (std::getline(lines, line)) {
        if (line == "#--------------------------------------------------------#") {
            ++separators;
            continue;
        }
        ASSERT_LT(r, rows.size());
        // Each block opens with a comment that names its pattern and region.
        if (line[0] == '#') {
            EXPECT_EQ(line, "# " + rows[r].at("pattern") + ", region " + rows[r].at("region"));
            continue;
        }
        EXPECT_EQ(line.substr(0, line.find(' ')), rows[r].at("tth"));
        ++r;
    }
    EXPECT_EQ(separators, kPatterns * kSeriesRegions);
    EXPECT_EQ(r, rows.size());

    int pictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator("plots")) {
        EXPECT_EQ(entry.path().extension(), ".png");
        EXPECT_GT(entry.file_size(), 1000u);
        ++pictures;
    }
    EXPECT_EQ(pictures, kPatterns * kSeriesRegions);
    EXPECT_TRUE(fileExists("plots/series_003.xy_region2.png"));
}

TEST_F(XrdfitRunTest, XrdpickFitFileServesAsThePlan) {
    // The first pattern's fits, as xrdpick writes accepted fits, plan the whole series.
    ASSERT_EQ(runXrdfit({"--plan", "plan.txt", "--fit", "first.fit", names_[0]}).status, 0);
    const XrdfitRun run = runXrdfit(withPatterns({"--from-fit", "first.fit", "--sequential"}));
    EXPECT_EQ(run.status, 0) << run.err;
    expectRecovered(parseTable(run.out), names_);
}

}  // namespace

// The table is replaced whole at the end: a run that cannot write all of it says so and
// leaves the table of the run before.
TEST_F(XrdfitRunTest, ATableThatCannotBeWrittenWholeLeavesTheOldOne) {
    const std::vector<std::string> args = withPatterns({"--plan", "plan.txt", "--table", "t.tsv"});
    ASSERT_EQ(runXrdfit(args).status, 0);
    const std::string old = readFile("t.tsv");
    writeFile("plan.txt", driftingPlan() + driftingPlan());  // twice the rows
    XrdfitRun run;
    {
        const FileSizeLimit limit(old.size() + 10);
        run = runXrdfit(args);
    }
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("xrdfit: t.tsv: cannot be written: File too large\n"), std::string::npos)
        << run.err;
    EXPECT_EQ(readFile("t.tsv"), old);
    for (const auto& entry : std::filesystem::directory_iterator("."))
        EXPECT_NE(entry.path().filename().string().rfind(".t.tsv", 0), 0u) << entry.path();
}

// Table rows on the terminal that shows the progress line start at its left, never behind
// the progress text; the line shows again after them.
TEST_F(XrdfitRunTest, RowsOnTheProgressLinesTerminalReplaceIt) {
    std::ostringstream terminal;
    const int status =
        fitMain(withPatterns({"--plan", "plan.txt"}), terminal, terminal, Terminals{true, true});
    EXPECT_EQ(status, 0);
    const std::string shown = terminal.str();
    std::size_t progress = 0, rows = 0, start = 0;
    while (start < shown.size()) {
        const std::size_t end = std::min(shown.find_first_of("\r\n", start), shown.size());
        const std::string piece = shown.substr(start, end - start);
        if (piece.find("patterns,") != std::string::npos) {
            ++progress;
            EXPECT_EQ(piece.find('\t'), std::string::npos) << piece;
        }
        if (piece.compare(0, 9, "./series_") == 0) ++rows;
        start = end + 1;
    }
    EXPECT_GE(progress, 2u);
    EXPECT_EQ(rows, static_cast<std::size_t>(kPatterns * kSeriesRegions * kPeaksPerRegion));
}
