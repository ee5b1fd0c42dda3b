// The two plan sources: plan files and xrdpick *.fit files, with their errors.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "batch/cdt_plan.h"
#include "batch/fit_file_plan.h"
#include "batch/plan_file.h"
#include "batch/plan_text.h"

namespace {

PlanRead plan(const std::string& text) {
    std::istringstream in(text);
    return readPlan(in, "p.txt");
}

PlanRead blocks(const std::string& text) {
    std::istringstream in(text);
    return readFitBlocks(in, "a.fit");
}

TEST(PlanFile, ReadsRegionsSkippingCommentsAndBlankLines) {
    const PlanRead read = plan(
        "# heating run\n"
        "\n"
        "20.5 24 21.6 22.2   # two peaks\n"
        "  \t\n"
        "30 31.5 30.7 wor=-0.05\n");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.plan.size(), 2u);
    const Region& first = read.plan[0];
    EXPECT_EQ(first.low, 20.5);
    EXPECT_EQ(first.high, 24.0);
    EXPECT_EQ(first.positions, (std::vector<double>{21.6, 22.2}));
    EXPECT_FALSE(first.wor);
    EXPECT_FALSE(first.start);
    EXPECT_EQ(read.plan[1].wor, -0.05);
}

TEST(PlanFile, FirstBadLineIsNamedAndNoRegionKept) {
    const std::string good = "20 24 22\n";
    const struct {
        std::string line;
        std::string error;
    } cases[] = {
        {"20 24", "p.txt:2: a region needs LOW HIGH and at least one peak position"},
        {"20 40 21 22 23 24 25 26 27 28 29 30", "p.txt:2: a region holds at most 9 peaks"},
        {"20 24 25", "p.txt:2: the peaks must ascend strictly between LOW and HIGH"},
        {"20 24 22 21", "p.txt:2: the peaks must ascend strictly between LOW and HIGH"},
        {"24 20 22", "p.txt:2: the peaks must ascend strictly between LOW and HIGH"},
        {"20 24 22,5", "p.txt:2: '22,5' is not a number"},
        {"20 24 nan", "p.txt:2: 'nan' is not a number"},
        {"20 24 22 wor=", "p.txt:2: 'wor=' is not a W/R (wor=NUMBER)"},
    };
    for (const auto& c : cases) {
        const PlanRead read = plan(good + c.line + "\n" + good);
        EXPECT_EQ(read.error, c.error) << c.line;
        EXPECT_TRUE(read.plan.empty()) << c.line;
    }
    EXPECT_EQ(plan("# nothing\n\n").error, "p.txt: no region in the plan");
    EXPECT_EQ(readPlanSource("no/such/plan.txt", readPlan).error,
              "no/such/plan.txt: cannot be opened");
}

TEST(FitFilePlan, EachBlockIsARegionWithItsFitAsStartValues) {
    const PlanRead read = blocks(
        "#   tth      Iint       FWHM      eta      w/r     chi^2\n"
        "22.300000 80.000000 0.200000 0.450000 0.070000 1.200000\n"
        "21.900000 50.000000 0.100000 0.450000 0.070000 1.200000\n"
        "#--------------------------------------------------------#\n"
        "30.000000 10.000000 0.050000 0.300000 0.060000 0.900000\n");  // no separator yet
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.plan.size(), 2u);
    const Region& first = read.plan[0];
    // Peaks in ascending order; the ends 4 FWHMs beyond the outer peaks' reach.
    EXPECT_EQ(first.positions, (std::vector<double>{21.9, 22.3}));
    EXPECT_DOUBLE_EQ(first.low, 21.9 - 4 * 0.1);
    EXPECT_DOUBLE_EQ(first.high, 22.3 + 4 * 0.2);
    EXPECT_EQ(first.wor, 0.07);
    ASSERT_TRUE(first.start);
    EXPECT_EQ(first.start->eta, 0.45);
    EXPECT_FALSE(first.start->wor);
    ASSERT_EQ(first.start->peaks.size(), 2u);
    EXPECT_EQ(first.start->peaks[0].intensity, 50.0);
    EXPECT_EQ(first.start->peaks[1].fwhm, 0.2);
    EXPECT_DOUBLE_EQ(read.plan[1].low, 29.8);
}

TEST(FitFilePlan, FirstBadLineIsNamed) {
    const std::string header = "#   tth      Iint       FWHM      eta      w/r     chi^2\n";
    const std::string line = "22.3 80 0.2 0.45 0.07 1.2\n";
    std::string tenPeaks;
    for (int j = 0; j < 10; ++j) tenPeaks += std::to_string(20 + j) + " 80 0.2 0.45 0.07 1.2\n";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {header + line + "22.5 80 0.2 0.45 0.07\n",
         "a.fit:3: a fit line holds six numbers: tth Iint FWHM eta w/r chi^2"},
        {header + line + "22.5 80 0.2 0.45 0.07 1 7\n",
         "a.fit:3: a fit line holds six numbers: tth Iint FWHM eta w/r chi^2"},
        {header + "22.5 80 0.2 0.45 0.07 -nan\n", "a.fit:2: '-nan' is not a number"},
        {header + "22.5 80 0 0.45 0.07 1\n", "a.fit:2: the FWHM must be positive"},
        {header + "22.5 80 1e-7 0.45 0.07 1\n",
         "a.fit:2: the FWHM must be at least 0.000001 degrees"},
        {header + "2.7e105 80 0.2 0.45 0.07 1\n",
         "a.fit:2: the peak position must lie between 0 and 180 degrees"},
        {header + line + "0 80 0.2 0.45 0.07 1\n",
         "a.fit:3: the peak position must lie between 0 and 180 degrees"},
        {header + "180 80 0.2 0.45 0.07 1\n",
         "a.fit:2: the peak position must lie between 0 and 180 degrees"},
        {header + tenPeaks, "a.fit:11: a block holds at most 9 peaks"},
        {header + line + line + "#---#\n", "a.fit:2: two peaks of the block share one position"},
        {header, "a.fit: no fit block in the file"},
    };
    for (const auto& c : cases) {
        const PlanRead read = blocks(c.text);
        EXPECT_EQ(read.error, c.error) << c.text;
        EXPECT_TRUE(read.plan.empty());
    }
}

// A position beyond the pattern's span would take its neighbour inside into a region that
// is not fitted: with the span known, the parts below, inside and above group apart.
TEST(CdtPlan, PositionsBeyondThePatternGroupApartFromThoseInside) {
    FoundPeak found{};
    found.tth = 20.1;
    found.fwhm = 0.1;
    const PatternSpan span{20.0, 30.0};
    const struct {
        std::string cdt;
        std::optional<PatternSpan> span;
        std::vector<std::vector<double>> regions;
    } cases[] = {
        {"19.9\n20.1\n30.0\n", std::nullopt, {{19.9, 20.1}, {30.0}}},
        {"19.9\n20.1\n30.0\n", span, {{19.9}, {20.1}, {30.0}}},
        {"29.9\n30.1\n# a comment\n", span, {{29.9}, {30.1}}},
        {"19.7\n19.9\n20.1\n20.3\n", span, {{19.7, 19.9}, {20.1, 20.3}}},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.cdt);
        const PlanRead read = readCdtPlan(in, "a.cdt", {found}, c.span);
        ASSERT_EQ(read.error, "") << c.cdt;
        std::vector<std::vector<double>> regions;
        for (const Region& region : read.plan) regions.push_back(region.positions);
        EXPECT_EQ(regions, c.regions) << c.cdt;
    }
}

}  // namespace
