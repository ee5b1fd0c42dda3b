// What a series run promises beyond single fits: the same table for any number of threads,
// and in a sequential run each pattern starting from the last good fit before it.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "drifting_series.h"
#include "support/temp_dir.h"
#include "xrdfit_harness.h"

namespace {

constexpr int kPatterns = 7;

class SeriesTest : public ::testing::Test {
  protected:
    SeriesTest() : names_(writeDriftingSeries(".", kPatterns)) {
        writeFile("plan.txt", driftingPlan());
        names_.insert(names_.begin() + 3, "absent.xy");  // a gap in the series
    }

    XrdfitRun run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--plan", "plan.txt"});
        args.insert(args.end(), names_.begin(), names_.end());
        return runXrdfit(args);
    }

    TempDir dir_;
    std::vector<std::string> names_;
};

TEST_F(SeriesTest, TableIsTheSameByteForByteForAnyNumberOfThreads) {
    for (const std::vector<std::string>& mode :
         {std::vector<std::string>{}, {"--sequential"}, {"--common", "--wor", "-0.05"}}) {
        const XrdfitRun one = run([&] {
            auto args = mode;
            args.push_back("--jobs=1");
            return args;
        }());
        for (const char* jobs : {"--jobs=2", "--jobs=3"}) {
            auto args = mode;
            args.push_back(jobs);
            const XrdfitRun many = run(args);
            EXPECT_EQ(many.status, 1);  // the gap
            EXPECT_EQ(many.out, one.out) << jobs;
            EXPECT_EQ(many.err, one.err) << jobs;
        }
        EXPECT_EQ(parseTable(one.out).size(), (kPatterns + 1) * 6u);
    }
}

// The start value of the first peak's position in each fit of region 1, from the engine's
// setup reports, in pattern order.
std::vector<std::string> firstPositionStarts(const std::string& reports) {
    std::vector<std::string> starts;
    std::istringstream lines(reports);
    std::string line;
    bool inRegion1 = false;
    while (std::getline(lines, line)) {
        if (line.rfind("xrdfit: ", 0) == 0)
            inRegion1 = line.size() > 9 && line.compare(line.size() - 9, 9, " region 1") == 0;
        const std::size_t name = line.find("1st pk position  1    0  ");
        if (inRegion1 && name != std::string::npos) starts.push_back(line.substr(line.size() - 12));
    }
    return starts;
}

std::string asStartValue(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%12.5e", value);
    return text;
}

TEST_F(SeriesTest, SequentialRunStartsEachPatternFromTheLastGoodFit) {
    const XrdfitRun run = this->run({"--sequential", "--verbose", "--jobs", "2"});
    const std::vector<TableRow> rows = parseTable(run.out);
    const std::vector<std::string> starts = firstPositionStarts(run.err);
    // The gap is not fitted; every other pattern reports its start.
    ASSERT_EQ(starts.size(), static_cast<std::size_t>(kPatterns));

    EXPECT_EQ(starts[0], asStartValue(21.61));  // the plan's, on the pattern's grid
    std::size_t fitted = 1;
    for (std::size_t k = 1; k < names_.size(); ++k) {
        if (names_[k] == "absent.xy") continue;
        // Row of region 1, peak 1 of the last readable pattern before this one.
        std::size_t before = k - 1;
        if (names_[before] == "absent.xy") --before;
        const TableRow& previous = rows[before * 6];
        ASSERT_EQ(previous.at("status"), "ok");
        EXPECT_EQ(starts[fitted], asStartValue(number(previous, "tth"))) << names_[k];
        ++fitted;
    }
}

}  // namespace
