// Every row's status says what its fit achieved, and the exit status follows the rows: on
// flat data, at the iteration limit, on an irregular grid, and for regions that a .cdt or
// *.fit file places past the end of the pattern.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>

#include "drifting_series.h"
#include "support/temp_dir.h"
#include "xrdfit_harness.h"

namespace {

// 20 to 30 degrees in steps of 0.01; the lines as `format` prints tth, counts, sig.
void writeModel(const std::string& path, const ModelPattern& model, const char* format) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    for (const auto& [tth, cts] : modelPoints(model))
        std::fprintf(file, format, tth, cts, std::sqrt(std::max(cts, 1.0f)));
    std::fclose(file);
}

ModelPattern onePeak(double position, double fwhm) {
    ModelPattern model;
    model.peaks = {{position, 400.0, fwhm}};
    return model;
}

struct StatusCase {
    const char* name;
    std::function<void()> writeInputs;  // pattern.xy and whatever the arguments name
    std::vector<std::string> args;      // before the pattern
    const char* status;                 // of every row
    double truePosition;                // of an ok row's peak; 0 when not ok
    const char* said;                   // on standard error; "" for nothing
};

TEST(FitStatus, EveryRowSaysWhatItsFitAchieved) {
    const char* const xy = "%.4f %.4f %.4f\n";
    const std::vector<StatusCase> cases = {
        {"flat data",
         [&] { writeModel("pattern.xy", ModelPattern{}, xy); },
         {"--plan", "plan.txt"},
         "no-peak",
         0,
         "1 of 1 fits failed"},
        {"all zero, two columns",
         [&] {
             ModelPattern zero;
             zero.lowBackground = zero.highBackground = 0.0;
             writeModel("pattern.xy", zero, "%.4f %.0f\n");
         },
         {"--plan", "plan.txt"},
         "no-peak",
         0,
         "1 of 1 fits failed"},
        {"a good peak",
         [&] { writeModel("pattern.xy", onePeak(22.0, 0.1), xy); },
         {"--plan", "plan.txt"},
         "ok",
         22.0,
         ""},
        {"stopped at the limit",
         [&] { writeModel("pattern.xy", onePeak(22.03, 0.1), xy); },
         {"--plan", "plan.txt", "--max-iter", "1"},
         "iteration-limit",
         0,
         "1 of 1 fits failed"},
        {"a limit raised",
         [&] { writeModel("pattern.xy", onePeak(22.03, 0.1), xy); },
         {"--plan", "plan.txt", "--max-iter", "100"},
         "ok",
         22.03,
         ""},
        {"irregular grid",
         [&] {
             std::FILE* file = std::fopen("pattern.xy", "w");
             for (int i = 0; i < 800; ++i) {
                 const double tth = i < 500 ? 20.0 + 0.02 * i : 30.0 + 0.03 * (i - 500);
                 std::fprintf(file, "%.4f 100.0 10.0\n", tth);
             }
             std::fclose(file);
         },
         {"--plan", "plan.txt"},
         "irregular-grid",
         0,
         "pattern.xy: the angles lie on no grid of one step: point 502 (30.0300)"},
        {".cdt peak 0.2 degrees inside the end",
         [&] {
             writeModel("pattern.xy", onePeak(29.8, 0.1), xy);
             writeFile("edge.cdt", " 29.8000\n");
         },
         {"--cdt", "edge.cdt"},
         "ok",
         29.8,
         ""},
        {"*.fit block whose broad peak reaches past the end",
         [&] {
             writeModel("pattern.xy", onePeak(29.5, 0.3), xy);
             writeFile("edge.fit", "29.5 400.0 0.3 0.4 0.06 1.0\n#" + std::string(56, '-') + "#\n");
         },
         {"--from-fit", "edge.fit"},
         "ok",
         29.5,
         ""},
        {".cdt peak on the last point",
         [&] {
             writeModel("pattern.xy", onePeak(29.8, 0.1), xy);
             writeFile("end.cdt", " 29.8000\n 30.0000\n");
         },
         {"--cdt", "end.cdt"},
         "too-few-points",
         0,
         "pattern.xy: region 1: the peak at 30.0000 lies on an end of its region"},
        {"a region of two points",
         [&] {
             writeModel("pattern.xy", onePeak(22.0, 0.1), xy);
             writeFile("two.txt", "21.00 21.01 21.005\n");
         },
         {"--plan", "two.txt"},
         "too-few-points",
         0,
         "pattern.xy: region 1: 2 points from 21.0000 to 21.0100 are too few for a peak"},
        {".cdt peak past the end",
         [&] {
             writeModel("pattern.xy", onePeak(29.8, 0.1), xy);
             writeFile("past.cdt", " 30.5000\n");
         },
         {"--cdt", "past.cdt"},
         "outside",
         0,
         "1 of 1 fits failed"},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile("plan.txt", "21.0 23.0 22.0\n");
        c.writeInputs();
        std::vector<std::string> args = c.args;
        args.push_back("pattern.xy");
        const XrdfitRun run = runXrdfit(args);
        const std::vector<TableRow> rows = parseTable(run.out);
        ASSERT_FALSE(rows.empty()) << run.err;
        for (const TableRow& row : rows) EXPECT_EQ(row.at("status"), c.status) << run.out;
        const bool ok = std::string(c.status) == "ok";
        EXPECT_EQ(run.status, ok ? 0 : 1) << run.err;
        if (ok) {
            EXPECT_NEAR(number(rows[0], "tth"), c.truePosition, 0.004);
        }
        // The iterations run, not the limit plus one.
        if (std::string(c.status) == "iteration-limit") {
            EXPECT_EQ(rows[0].at("iterations"), "1");
        }
        if (*c.said == '\0') {  // nothing said but the radiation and the W/R measured
            const std::string radiation =
                "xrdfit: pattern.xy: radiation: none known (--anode or --wavelength names it)\n";
            EXPECT_THAT(
                run.err,
                ::testing::AnyOf(radiation, radiation + "xrdfit: pattern.xy: W/R 0.060, "
                                                        "estimated from the pattern's regions\n"));
        } else {
            EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        }
    }
}

// The same model with Gaussian counting noise of a fixed seed.
void writeNoisy(const std::string& path, const ModelPattern& model, unsigned seed) {
    std::mt19937 draws(seed);
    std::normal_distribution<double> unit(0.0, 1.0);
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    for (const auto& [tth, cts] : modelPoints(model)) {
        const double sig = std::sqrt(std::max(cts, 1.0f));
        std::fprintf(file, "%.4f %.4f %.4f\n", tth, cts + sig * unit(draws), sig);
    }
    std::fclose(file);
}

// Each peak has its own verdict: a peak the data do not hold is dropped and its region
// fitted again without it, the good peaks keep ok; the flags name what to look at.
TEST(FitStatus, EachPeakHasItsOwnVerdictAndFlags) {
    ModelPattern flat;
    ModelPattern clear = onePeak(22.0, 0.1);
    ModelPattern symmetric = clear;
    symmetric.wor = 0.0;
    ModelPattern gaussian = clear;
    gaussian.eta = 0.0;
    const struct {
        const char* name;
        ModelPattern model;
        const char* plan;
        std::vector<std::string> args;
        std::vector<const char*> statuses;  // row by row; "!ok" for any but ok
        std::vector<const char*> flags;     // a flag each row must hold, or ""
    } cases[] = {
        {"pure noise", flat, "21.0 23.0 22.0\n", {}, {"!ok"}, {""}},
        {"a second start beside a clear peak",
         clear,
         "21.0 23.0 21.9 22.0\n",
         {"--wor", "0.06"},
         {"not-significant", "ok"},
         {"", ""}},
        {"a noise start far from a clear peak",
         clear,
         "21.0 23.0 21.3 22.0\n",
         {"--wor", "0.06"},
         {"!ok", "ok"},
         {"", ""}},
        // Fitted with a tail a little longer than the data's, which leans eta past 0.
        {"eta on its bound, W/R assumed",
         gaussian,
         "21.0 23.0 22.0\n",
         {"--wor", "0.065"},
         {"ok"},
         {"eta-at-bound"}},
        {"a peak near its region's end",
         clear,
         "21.9 23.0 22.0\n",
         {"--wor", "0.06"},
         {"ok"},
         {"near-end"}},
        {"Kalpha2 beyond the region",  // at 22.055
         clear,
         "21.0 22.03 22.0\n",
         {"--wor", "0.06", "--anode", "Cu"},
         {"!ok"},
         {"ka2-outside"}},
        {"a symmetric peak with W/R refined from 0.06",
         symmetric,
         "21.0 23.0 22.0\n",
         {"--wor", "-0.06"},
         {"ok"},
         {""}},
        {"two peaks fitted as one",
         [] {
             ModelPattern two;
             two.peaks = {{21.9, 400.0, 0.1}, {22.05, 400.0, 0.1}};
             return two;
         }(),
         "21.0 23.0 22.0\n",
         {"--wor", "0.06"},
         {"ok"},
         {"high-chi2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        // eta ends on its bound only where no noise leans it off.
        if (c.model.eta == 0.0)
            writeModel("pattern.xy", c.model, "%.4f %.4f %.4f\n");
        else
            writeNoisy("pattern.xy", c.model, 7);
        writeFile("plan.txt", c.plan);
        std::vector<std::string> args{"--plan", "plan.txt", "--fit", "kept.fit"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("pattern.xy");
        const XrdfitRun run = runXrdfit(args);
        const std::vector<TableRow> rows = parseTable(run.out);
        ASSERT_EQ(rows.size(), c.statuses.size()) << run.err;
        // The *.fit block holds the ok peaks only: a dropped one is no result.
        const std::string blocks = readFile("kept.fit");
        const auto okRows = std::count_if(
            rows.begin(), rows.end(), [](const TableRow& row) { return row.at("status") == "ok"; });
        EXPECT_EQ(std::count(blocks.begin(), blocks.end(), '\n') - 1, okRows > 0 ? okRows + 2 : 0)
            << blocks;  // the header, and a comment and a separator around the peak lines
        bool allOk = true;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (std::string(c.statuses[r]) == "!ok")
                EXPECT_NE(rows[r].at("status"), "ok") << run.out;
            else
                EXPECT_EQ(rows[r].at("status"), c.statuses[r]) << run.out;
            EXPECT_NE(rows[r].at("flags").find(c.flags[r]), std::string::npos) << run.out;
            allOk = allOk && std::string(c.statuses[r]) == "ok";
            if (std::string(c.statuses[r]) != "ok") continue;
            // An ok peak of a one-peak model is where the model put it, within its errors.
            if (c.model.peaks.size() == 1) {
                EXPECT_LT(std::fabs(number(rows[r], "tth") - c.model.peaks[0].position),
                          std::max(0.005, 3 * number(rows[r], "tth_se")));
            }
        }
        EXPECT_EQ(run.status, allOk ? 0 : 1) << run.err;
    }
}

// A UXD file of the model, its angles printed with `decimals` as an export may print them.
void writeUxd(const std::string& path, const ModelPattern& model, int decimals) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fprintf(file,
                 "_FILEVERSION=1\n_DRIVE='COUPLED'\n_STEPTIME=1\n_STEPSIZE=%.4f\n"
                 "_START=%.5f\n_2THETACOUNTS\n",
                 model.step, model.first);
    for (const auto& [tth, cts] : modelPoints(model))
        std::fprintf(file, "%.*f %.0f\n", decimals, tth, cts);
    std::fclose(file);
}

// One pattern, one set of angles: the same counts with their angles printed in full or
// rounded to 0.01 degrees (an instrument's text export of a 0.0156-degree scan) fit alike.
TEST(FitStatus, AnglesRoundedByTheFileAreFittedOnItsGrid) {
    ModelPattern model;
    model.first = 20.00123;
    model.step = 0.0156;
    model.points = 641;
    model.peaks = {{23.0, 300.0, 0.08}, {23.2, 150.0, 0.08}, {26.0, 200.0, 0.07}};
    std::vector<std::vector<TableRow>> tables;
    for (const int decimals : {6, 3, 2}) {
        SCOPED_TRACE(decimals);
        TempDir dir;
        writeUxd("pattern.uxd", model, decimals);
        writeFile("plan.txt", "22.4 23.8 23.0 23.2\n25.5 26.5 26.0\n");
        const XrdfitRun run = runXrdfit({"--plan", "plan.txt", "--wor", "0.06", "pattern.uxd"});
        tables.push_back(parseTable(run.out));
        ASSERT_EQ(tables.back().size(), 3u) << run.err;
    }
    for (std::size_t t = 1; t < tables.size(); ++t) {
        for (std::size_t r = 0; r < 3; ++r) {
            EXPECT_EQ(tables[t][r].at("status"), tables[0][r].at("status")) << t << " " << r;
            EXPECT_NEAR(number(tables[t][r], "tth"), number(tables[0][r], "tth"), 0.0005)
                << t << " " << r;
        }
    }
}

}  // namespace
