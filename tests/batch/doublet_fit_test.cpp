// Doublet fits of a lab pattern with a known answer: rock salt under Cu Kα1/Kα2, read as
// two columns with --anode Cu and as a UXD file that states its radiation, with narrow
// peaks and with peaks three times wider, whose doublets merge into one hump.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "rock_salt_pattern.h"
#include "support/temp_dir.h"
#include "xrdfit_harness.h"

namespace {

struct DoubletCase {
    const char* what;
    double widthFactor;
    std::vector<std::string> args;  // before the plan and pattern
    const char* pattern;
    const char* radiationLine;
    double positionTolerance;  // degrees, or three standard errors
    double latticeTolerance;   // Å
};

}  // namespace

TEST(DoubletFit, RecoversRockSaltPositionsAndLattice) {
    const char* const stated =
        "radiation: alpha1 1.540593 A, alpha2 1.544414 A, ratio 0.5 (stated by the file)";
    const char* const anode =
        "radiation: alpha1 1.540593 A, alpha2 1.544414 A, ratio 0.5 (--anode Cu)";
    const DoubletCase cases[] = {
        {"two columns, --anode Cu",
         1.0,
         {"--anode", "Cu", "--wor", "0.05"},
         "nacl.xy",
         anode,
         0.003,
         0.0005},
        {"UXD stating Cu", 1.0, {"--wor", "0.05"}, "nacl.uxd", stated, 0.003, 0.0005},
        {"merged doublets, --anode Cu",
         3.0,
         {"--anode", "Cu", "--wor", "0.05"},
         "nacl.xy",
         anode,
         0.006,
         0.001},
        {"merged doublets, UXD",
         3.0,
         {"--anode", "Mo", "--wor", "0.05"},
         "nacl.uxd",
         stated,
         0.006,
         0.001},
    };
    for (const DoubletCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::vector<Reflection> reflections = writeRockSaltFiles(c.widthFactor);
        writeFile("plan.txt", rockSaltPlan(reflections, c.widthFactor));
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--plan", "plan.txt", "--fit", "nacl.fit", c.pattern});
        const XrdfitRun run = runXrdfit(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find(c.radiationLine), std::string::npos) << run.err;
        const std::vector<TableRow> rows = parseTable(run.out);
        ASSERT_EQ(rows.size(), reflections.size()) << run.out;
        double weighted = 0.0, weights = 0.0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Reflection& truth = reflections[r];
            SCOPED_TRACE(::testing::Message() << truth.h << truth.k << truth.l);
            EXPECT_EQ(rows[r].at("status"), "ok");
            const double error = std::fabs(number(rows[r], "tth") - truth.kalpha1.position);
            EXPECT_TRUE(error < c.positionTolerance || error < 3 * number(rows[r], "tth_se"))
                << "off by " << error;
            const double a = number(rows[r], "d") *
                             std::sqrt(truth.h * truth.h + truth.k * truth.k + truth.l * truth.l);
            const double aSe = number(rows[r], "d_se") * a / number(rows[r], "d");
            weighted += a / (aSe * aSe);
            weights += 1 / (aSe * aSe);
        }
        EXPECT_NEAR(weighted / weights, kRockSaltA, c.latticeTolerance);
        // Every block of the *.fit file names its pattern and region, the radiation and what
        // its lines are.
        const std::string blocks = readFile("nacl.fit");
        for (std::size_t r = 1; r <= reflections.size(); ++r)
            EXPECT_NE(blocks.find("\n# " + std::string(c.pattern) + ", region " +
                                  std::to_string(r) + "; " + c.radiationLine + "; Kalpha1 lines\n"),
                      std::string::npos)
                << blocks;
    }
}

// Blocks of Kalpha1 lines plan doublets again: a pattern that states no radiation is fitted
// with the one the blocks name; blocks that do not name theirs are refused.
TEST(DoubletFit, FromFitFitsTheDoubletsItsBlocksName) {
    TempDir dir;
    const std::vector<Reflection> reflections = writeRockSaltFiles(1.0);
    writeFile("plan.txt", rockSaltPlan(reflections, 1.0));
    ASSERT_EQ(
        runXrdfit({"--anode", "Cu", "--plan", "plan.txt", "--fit", "nacl.fit", "nacl.xy"}).status,
        0);
    const XrdfitRun run = runXrdfit({"--wor", "0.05", "--from-fit", "nacl.fit", "nacl.xy"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("radiation: alpha1 1.540593 A, alpha2 1.544414 A, ratio 0.5 (named "
                           "by the blocks of nacl.fit)"),
              std::string::npos)
        << run.err;
    const std::vector<TableRow> rows = parseTable(run.out);
    ASSERT_EQ(rows.size(), reflections.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_NEAR(number(rows[r], "tth"), reflections[r].kalpha1.position, 0.003);

    writeFile("unnamed.fit",
              "# nacl.xy, region 1; Kalpha1 lines\n"
              "31.7 100 0.1 0.5 0.05 1\n#-----#\n");
    const XrdfitRun refused = runXrdfit({"--from-fit", "unnamed.fit", "nacl.xy"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err,
              "xrdfit: unnamed.fit: the blocks are Kalpha1 lines of a radiation they do not name; "
              "give it with --anode or --wavelength\nTry 'xrdfit --help'.\n");
}

// --wor auto finds the instrument's W/R from the regions of one peak and holds it for every
// region of the pattern; in a sequential run each pattern starts from the one before.
TEST(DoubletFit, WorAutoFindsTheInstrumentsAsymmetry) {
    const struct {
        const char* what;
        double widthFactor;
        std::vector<std::string> args;
    } cases[] = {
        {"narrow", 1.0, {"--wor", "auto", "--anode", "Cu", "nacl.xy"}},
        {"merged", 3.0, {"--wor", "auto", "--anode", "Cu", "nacl.xy"}},
        {"sequential, two patterns",
         1.0,
         {"--wor=auto", "--sequential", "--anode", "Cu", "nacl.uxd", "nacl.xy"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::vector<Reflection> reflections = writeRockSaltFiles(c.widthFactor);
        writeFile("plan.txt", rockSaltPlan(reflections, c.widthFactor));
        std::vector<std::string> args{"--plan", "plan.txt"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const XrdfitRun run = runXrdfit(args);
        EXPECT_EQ(run.status, 0) << run.err;
        const std::vector<TableRow> rows = parseTable(run.out);
        ASSERT_FALSE(rows.empty()) << run.err;
        for (const TableRow& row : rows) {
            EXPECT_NEAR(number(row, "wor"), kRockSaltWor, 0.01);
            // One W/R for every region of a pattern.
            const auto first = std::find_if(rows.begin(), rows.end(), [&](const TableRow& r) {
                return r.at("pattern") == row.at("pattern");
            });
            EXPECT_EQ(row.at("wor"), first->at("wor"));
            EXPECT_EQ(row.at("status"), "ok");
        }
    }
    // Where the pattern cannot tell, W/R 0 is held, said with the reason, and flagged.
    const struct {
        const char* plan;
        std::vector<std::string> wor;
        const char* why;
    } untold[] = {
        {"25.3 26.3 25.8\n", {"--wor", "auto"}, "no region below 70 degrees fitted well"},
        {"25.3 26.3 25.8\n", {}, "no region below 70 degrees fitted well"},
        {"74.5 76.5 75.3 75.6\n", {"--wor", "auto"}, "no region lies below 70 degrees"},
    };
    for (const auto& c : untold) {
        SCOPED_TRACE(c.plan);
        TempDir dir;
        writeTwoColumns("nacl.xy", rockSaltPattern(rockSaltReflections(1.0)));
        writeFile("plan.txt", c.plan);
        std::vector<std::string> args{"--plan", "plan.txt", "nacl.xy"};
        args.insert(args.end(), c.wor.begin(), c.wor.end());
        const XrdfitRun run = runXrdfit(args);
        EXPECT_NE(run.err.find(std::string("xrdfit: nacl.xy: W/R cannot be estimated: ") + c.why +
                               "; W/R 0 held (flagged wor-assumed)\n"),
                  std::string::npos)
            << run.err;
        for (const TableRow& row : parseTable(run.out)) {
            EXPECT_EQ(number(row, "wor"), 0.0);
            EXPECT_NE(row.at("flags").find("wor-assumed"), std::string::npos);
        }
    }
}

TEST(DoubletFit, RadiationAndWorOptionsOfXrdfit) {
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--wor", "automatic"}, "xrdfit: --wor needs a number or 'auto', not 'automatic'\n"},
        {{"--anode", "Pb"},
         "xrdfit: unknown anode 'Pb' for --anode (use Cu, Co, Fe, Cr, Mo, Ag)\n"},
        {{"--wavelength", "1.54,2"},
         "xrdfit: --wavelength: wavelengths lie from 0.01 to 10 "
         "Angstrom and L2 within 5 % above L1, not '1.54,2'\n"},
        {{"--no-ka2=yes"}, "xrdfit: unknown option '--no-ka2=yes'\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--plan", "plan.txt", "a.xy"};
        args.insert(args.begin(), c.args.begin(), c.args.end());
        const XrdfitRun run = runXrdfit(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err, std::string(c.error) + "Try 'xrdfit --help'.\n");
    }
}
