// xrdsuggest as a user runs it: the files it writes, its summary lines, its exit status.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "suggest/suggest_main.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

struct SuggestRun {
    int status = -1;
    std::string out;
    std::string err;
};

SuggestRun runSuggest(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    SuggestRun run;
    run.status = suggestMain(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string example(const std::string& file) {
    return std::string(XRDPICK_EXAMPLES) + "/" + file;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<double> truePositions() {
    std::ifstream truth(example("truth.txt"));
    std::vector<double> positions;
    std::string word;
    while (truth >> word) {
        if (word != "peak") continue;
        double position = 0.0;
        truth >> position;
        positions.push_back(position);
    }
    return positions;
}

// The points of a background file, each line checked against the save's format.
std::vector<std::pair<double, double>> backgroundPoints(const std::string& name,
                                                        const char* format) {
    std::ifstream file(name);
    std::vector<std::pair<double, double>> points;
    std::string line;
    while (std::getline(file, line)) {
        float tth = 0.0f, cts = 0.0f;
        char rebuilt[64];
        EXPECT_EQ(std::sscanf(line.c_str(), format, &tth, &cts), 2) << line;
        std::snprintf(rebuilt, sizeof rebuilt, format, tth, cts);
        EXPECT_EQ(line, rebuilt);
        points.emplace_back(tth, cts);
    }
    return points;
}

class SuggestProgram : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(SuggestProgram, SuggestsEveryPeakAndTheBackgroundOfTheShippedExample) {
    const SuggestRun run = runSuggest({example("quartz.xy")});
    ASSERT_EQ(run.status, 0) << run.err;

    std::ifstream cdt("quartz.cdt");
    std::vector<double> found;
    std::string line;
    while (std::getline(cdt, line)) {
        ASSERT_EQ(line.size(), 8u) << line;  // "%8.4f"
        found.push_back(std::stod(line));
    }
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
    for (const double truth : truePositions()) {
        double miss = 1e9;
        for (const double position : found) miss = std::min(miss, std::fabs(position - truth));
        EXPECT_LT(miss, 0.05) << "true peak at " << truth;
    }

    const auto fbg = backgroundPoints("quartz.fbg", "%f\t%f\t0.0");
    const auto gbg = backgroundPoints("quartz.gbg", "I\t%f\t%f\t0.0");
    EXPECT_EQ(fbg, gbg);
    ASSERT_GE(fbg.size(), 2u);
    EXPECT_LT(fbg.front().first, 10.5);
    EXPECT_GT(fbg.back().first, 79.5);
    for (const auto& [tth, cts] : fbg) {
        const double truth = 250.0 - tth;  // the example's straight background
        EXPECT_LT(std::fabs(cts - truth), 3.0 * std::sqrt(truth)) << "point at " << tth;
    }
    EXPECT_EQ(run.out, example("quartz.xy") + ": " + std::to_string(fbg.size()) +
                           " background points in quartz.fbg and quartz.gbg, " +
                           std::to_string(found.size()) + " peaks in quartz.cdt\n");
}

TEST_F(SuggestProgram, ReplacesNothingUnaskedAndWritesWhereItIsTold) {
    ASSERT_EQ(runSuggest({"--no-peaks", example("quartz.xy")}).status, 0);
    EXPECT_FALSE(std::filesystem::exists("quartz.cdt"));
    std::ofstream("quartz.fbg") << "my own points\n";

    const SuggestRun again = runSuggest({example("quartz.xy")});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(
        contains(again.err, "quartz.fbg: exists already; not replaced (--force replaces it)"));
    EXPECT_TRUE(contains(again.out, ": background points not written, 10 peaks in quartz.cdt\n"));
    EXPECT_EQ(readFile("quartz.fbg"), "my own points\n");

    std::filesystem::create_directory("out");
    const SuggestRun elsewhere =
        runSuggest({"--outdir", "out", "--points=12", example("quartz.xy")});
    EXPECT_EQ(elsewhere.status, 0) << elsewhere.err;
    EXPECT_EQ(backgroundPoints("out/quartz.fbg", "%f\t%f\t0.0").size(), 12u);
    EXPECT_EQ(runSuggest({"--force", example("quartz.xy")}).status, 0);
    EXPECT_NE(readFile("quartz.fbg"), "my own points\n");
}

TEST_F(SuggestProgram, BadPatternsGetAMessageOrNothingSuggestedAndNeverACrash) {
    auto write = [](const std::string& name, auto counts) {
        std::ofstream file(name);
        for (int i = 0; i < 1000; ++i)
            file << 10.0 + 0.02 * i << ' ' << counts(i) << ' '
                 << std::sqrt(std::max(counts(i), 1.0)) << '\n';
    };
    std::ofstream("empty.xy").close();
    write("flat.xy", [](int) { return 100.0; });
    write("zero.xy", [](int) { return 0.0; });
    write("spike.xy", [](int i) { return i == 500 ? 1e6 : 100.0 + (i * 37 % 11) - 5; });
    {
        std::ofstream irregular("irregular.xy");  // step 0.02, then 0.03 from 30 degrees
        for (int i = 0; i < 800; ++i)
            irregular << (i < 500 ? 20.0 + 0.02 * i : 30.0 + 0.03 * (i - 500)) << " 100 10\n";
    }

    const SuggestRun run =
        runSuggest({"empty.xy", "flat.xy", "zero.xy", "spike.xy", "gone.xy", "irregular.xy"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "empty.xy: Too small data points!!! Check the file..."));
    EXPECT_TRUE(contains(run.err, "gone.xy: cannot open: No such file or directory"));
    EXPECT_TRUE(contains(
        run.err, "irregular.xy: the angles lie on no grid of one step: point 502 (30.0300)"));
    EXPECT_FALSE(std::filesystem::exists("irregular.fbg"));
    EXPECT_TRUE(contains(run.out, " background points in flat.fbg and flat.gbg, no peaks\n"));
    EXPECT_TRUE(contains(run.out, " background points in zero.fbg and zero.gbg, no peaks\n"));
    EXPECT_TRUE(contains(run.out, " background points in spike.fbg and spike.gbg, no peaks\n"));
    for (const auto& [name, level] : {std::pair{"flat.fbg", 100.0}, std::pair{"zero.fbg", 0.0}}) {
        const auto points = backgroundPoints(name, "%f\t%f\t0.0");
        ASSERT_FALSE(points.empty()) << name;
        EXPECT_EQ(points.front().first, 10.0f);
        EXPECT_EQ(points.back().first, 29.98f);
        for (std::size_t k = 0; k < points.size(); ++k) {
            EXPECT_EQ(points[k].second, level) << name;
            // Spread over the whole pattern, even where a straight line would do.
            if (k > 0) {
                EXPECT_LE(points[k].first - points[k - 1].first, 2.0 + 1e-4) << name;
            }
        }
    }
    EXPECT_TRUE(
        contains(run.err, "spike.xy: a one-point spike at 20.0000 is not taken for a peak"));
    EXPECT_FALSE(std::filesystem::exists("spike.cdt"));
    for (const auto& [tth, cts] : backgroundPoints("spike.fbg", "%f\t%f\t0.0"))
        EXPECT_LT(std::fabs(cts - 100.0), 10.0) << "point at " << tth;

    const SuggestRun usage = runSuggest({"--points", "201", "flat.xy"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.err,
              "xrdsuggest: --points takes a whole number from 2 to 200, not '201'\n"
              "Try 'xrdsuggest --help'.\n");
}

// What must not be written is refused with a message naming the file, and what fails part
// way leaves the files that were there: the two background files are one result.
TEST_F(SuggestProgram, RefusedOrFailedOutputsLeaveEveryFileAsItWas) {
    namespace fs = std::filesystem;
    fs::create_directory("in");
    fs::copy_file(example("quartz.xy"), "in/quartz.xy");
    const std::string input = readFile("in/quartz.xy");
    fs::create_directory("sizes");
    ASSERT_EQ(runSuggest({"--outdir", "sizes", "--no-peaks", "in/quartz.xy"}).status, 0);
    const auto fbgSize = fs::file_size("sizes/quartz.fbg");
    ASSERT_LT(fbgSize, fs::file_size("sizes/quartz.gbg"));

    struct Case {
        const char* what;
        std::function<void()> setUp;
        std::vector<std::string> args;
        std::uintmax_t sizeLimit;  // 0: none
        int status;
        std::string message;
    };
    const std::vector<Case> cases{
        {"an --outdir that is missing",
         nullptr,
         {"--outdir", "missing", "in/quartz.xy"},
         0,
         2,
         "xrdsuggest: --outdir 'missing' is not an existing directory\n"
         "Try 'xrdsuggest --help'.\n"},
        {"an --outdir that is a file",
         [] { writeFile("plain", ""); },
         {"--outdir", "plain", "in/quartz.xy"},
         0,
         2,
         "xrdsuggest: --outdir 'plain' is not an existing directory\n"
         "Try 'xrdsuggest --help'.\n"},
        {"a .gbg file that is a hard link to the input",
         [] {
             fs::remove("quartz.gbg");
             fs::create_hard_link("in/quartz.xy", "quartz.gbg");
         },
         {"--force", "--no-peaks", "in/quartz.xy"},
         0,
         1,
         "quartz.gbg: is an input of this run; not replaced\n"},
        {"a .cdt file that is a link to the input",
         [] {
             fs::remove("quartz.cdt");
             fs::create_symlink("in/quartz.xy", "quartz.cdt");
         },
         {"--force", "--no-background", "in/quartz.xy"},
         0,
         1,
         "quartz.cdt: is an input of this run; not replaced\n"},
        {"a .gbg file beyond the size limit",
         nullptr,
         {"--force", "--no-peaks", "in/quartz.xy"},
         fbgSize,
         1,
         "quartz.gbg: cannot be written: File too large\n"},
        {"a .cdt file beyond the size limit",
         nullptr,
         {"--force", "--no-background", "in/quartz.xy"},
         20,
         1,
         "quartz.cdt: cannot be written: File too large\n"},
    };
    for (const Case& row : cases) {
        for (const char* name : {"quartz.fbg", "quartz.gbg", "quartz.cdt"})
            writeFile(name, std::string("earlier ") + name + "\n");
        if (row.setUp) row.setUp();
        const std::vector<std::string> before = entriesOf(".");
        SuggestRun run;
        {
            std::optional<FileSizeLimit> limit;
            if (row.sizeLimit > 0) limit.emplace(row.sizeLimit);
            run = runSuggest(row.args);
        }
        EXPECT_EQ(run.status, row.status) << row.what;
        EXPECT_TRUE(contains(run.err, row.message)) << row.what << ":\n" << run.err;
        EXPECT_EQ(readFile("in/quartz.xy"), input) << row.what;
        for (const char* name : {"quartz.fbg", "quartz.gbg", "quartz.cdt"}) {
            if (!fs::equivalent(name, "in/quartz.xy")) {
                EXPECT_EQ(readFile(name), std::string("earlier ") + name + "\n") << row.what;
            }
        }
        EXPECT_EQ(entriesOf("."), before) << row.what;
        for (const char* name : {"quartz.fbg", "quartz.gbg", "quartz.cdt", "plain"})
            fs::remove(name);
    }
}

}  // namespace
