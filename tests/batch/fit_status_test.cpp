// Every row's status says what its fit achieved, and the exit status follows the rows: on
// flat data, at the iteration limit, on an irregular grid, and for regions that a .cdt or
// *.fit file places past the end of the pattern.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>

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
        if (ok) EXPECT_NEAR(number(rows[0], "tth"), c.truePosition, 0.004);
        if (*c.said == '\0') {  // nothing said but the radiation
            EXPECT_EQ(run.err,
                      "xrdfit: pattern.xy: radiation: none known (--anode or --wavelength names "
                      "it)\n");
        } else {
            EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        }
    }
}

}  // namespace
