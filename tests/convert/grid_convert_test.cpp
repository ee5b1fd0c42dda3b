// xrdconvert and the angle grid: irregular patterns refused or put on a grid with --regrid,
// --bin and --block on every input, and angles written as the file gave them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/convert_harness.h"
#include "support/grid_samples.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Counts 10 times the angle, sig 10: interpolated counts stay 10 times their angle.
std::string linearXy(const std::vector<std::string>& angles) {
    std::string text;
    for (const std::string& angle : angles) {
        char line[64];
        std::snprintf(line, sizeof line, "%s %.2f 10\n", angle.c_str(), std::stod(angle) * 10);
        text += line;
    }
    return text;
}

class GridConvertTest : public ::testing::Test {
  protected:
    GridConvertTest() { fs::create_directory("out"); }
    TempDir dir;
};

TEST_F(GridConvertTest, AnIrregularPatternIsRefusedNamingItsFirstPointOffTheGrid) {
    writeFile("steps.xy", linearXy(twoSteps()));
    writeFile("text.xy", "2theta counts\n" + patternLines(twoSteps(), "100"));
    for (const std::string name : {"steps.xy", "text.xy"}) {
        const ConvertRun run = runConvert({"--outdir", "out", "--to", "wyr", name});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(
            run.err.find(name + ": the angles lie on no grid of one step: point 1002 (30.0300) "
                                "lies 0.0100 off the grid of step 0.020000 from 10.0000 "
                                "(xrdconvert --regrid STEP puts the pattern on one); nothing "
                                "written.\n"),
            std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(fs::is_empty("out"));
    }
}

TEST_F(GridConvertTest, RegridInterpolatesCountsAndPropagatesSig) {
    writeFile("steps.xy", linearXy(twoSteps()));
    const ConvertRun run =
        runConvert({"--outdir", "out", "--to", "xy", "--regrid", "0.02", "steps.xy"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("steps.xy: regridded to step 0.02: 1500 points from 1334, counts "
                           "interpolated linearly and sig propagated.\n"),
              std::string::npos)
        << run.err;
    const std::vector<std::string> lines = linesOf(readFile("out/steps.xy"));
    ASSERT_EQ(lines.size(), 1500u);
    // Point k at 10 + 0.02 k, the last short of 39.99; 30.04 lies a third of the way from
    // 30.03 to 30.06: sig is 10 sqrt((2/3)^2 + (1/3)^2).
    const struct {
        int k;
        const char* line;
    } rows[] = {{0, "  10.000     100     10.0"},
                {1000, "  30.000     300     10.0"},
                {1002, "  30.040     300      7.5"},
                {1003, "  30.060     301     10.0"},
                {1499, "  39.980     400      7.5"}};
    for (const auto& row : rows) EXPECT_EQ(lines[row.k], row.line) << row.k;
}

TEST_F(GridConvertTest, RegridNeedsAPositiveNumber) {
    writeFile("a.xy", linearXy(roundedAngles(10.0, 0.02, 11.0, 2)));
    for (const std::string step : {"0", "-0.02", "abc", "nan", "inf", "", "0.02x", "1e-400"}) {
        const ConvertRun run = runConvert({"--regrid", step, "a.xy"});
        EXPECT_EQ(run.status, 2) << step;
        EXPECT_NE(run.err.find("xrdconvert: --regrid needs a positive number of degrees, not '" +
                               step + "'\n"),
                  std::string::npos)
            << run.err;
    }
    EXPECT_EQ(runConvert({"--regrid"}).status, 2);
}

TEST_F(GridConvertTest, RegridRefusesAGridTheStoreCannotHoldOrTooShort) {
    writeFile("a.xy", linearXy(roundedAngles(10.0, 0.02, 40.0, 2)));
    const struct {
        const char* step;
        const char* message;
    } rows[] = {
        {"0.0001",
         "a.xy: Cannot regrid to step 0.0001: 300001 points, more than the 19001 the "
         "program holds.\n"},
        {"0.00157886",
         "a.xy: Cannot regrid to step 0.00157886: 19002 points, more than the "
         "19001 the program holds.\n"},
        {"20", "a.xy: Cannot regrid to step 20: 2 point(s), fewer than the 3 a pattern needs.\n"},
    };
    for (const auto& row : rows) {
        const ConvertRun run = runConvert({"--outdir", "out", "--regrid", row.step, "a.xy"});
        EXPECT_EQ(run.status, 1) << row.step;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    }
    // 30 / 0.0015789 gives 19000.6 steps: 19001 points fit.
    const ConvertRun run =
        runConvert({"--outdir", "out", "--to", "xy", "--regrid", "0.0015789", "a.xy"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(linesOf(readFile("out/a.xy")).size(), 19001u);
}

// Eleven points 100, 200, ... counts, sig 10, from 10 degrees in 0.02, in each format.
class BinEveryFormat : public GridConvertTest {
  protected:
    BinEveryFormat() {
        std::string xy;
        for (int i = 0; i < 11; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "%.3f %d 10\n", 10.0 + 0.02 * i, 100 * (i + 1));
            xy += line;
        }
        writeFile("p.xy", xy);
        EXPECT_EQ(runConvert({"p.xy"}).status, 0);  // p.wyr, p.dat, p.gda
    }
};

TEST_F(BinEveryFormat, SumsNeighboursInEveryProcessedFormat) {
    for (const std::string name : {"p.xy", "p.wyr", "p.dat", "p.gda"}) {
        const ConvertRun run =
            runConvert({"--outdir", "out", "--to", "xy,gda", "--bin", "2", name});
        ASSERT_EQ(run.status, 0) << name << run.err;
        EXPECT_NE(run.err.find(name + ": Binned by 2: 5 points from 11.\n" + name +
                               ": The last 1 point(s), too few for a group of 2, are dropped.\n"),
                  std::string::npos)
            << run.err;
        const std::vector<std::string> lines = linesOf(readFile("out/p.xy"));
        ASSERT_EQ(lines.size(), 5u) << name;
        // .wyr holds no sig: it stays unset.
        const std::string sig = name == "p.wyr" ? "  -500.0" : "    14.1";
        EXPECT_EQ(lines[0], "  10.010     300 " + sig) << name;
        EXPECT_EQ(lines[4], "  10.170    1900 " + sig) << name;
        EXPECT_NE(readFile("out/p.gda").find("CONST    1001.00      4.00 0 0 ESD"),
                  std::string::npos)
            << name;
        fs::remove_all("out");
        fs::create_directory("out");
    }
}

TEST_F(BinEveryFormat, ASecondRangeOfASingleRangeFileIsAnError) {
    writeFile("t.xy", "2theta counts\n10 1\n10.02 2\n10.04 3\n");
    for (const std::string name : {"p.xy", "p.wyr", "p.dat", "p.gda", "t.xy"}) {
        const ConvertRun run = runConvert({"--outdir", "out", "--block", "2", name});
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find(name + ": This file holds 1 range: there is no range 2.\n"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(run.out, "") << name;
        EXPECT_EQ(runConvert({"--outdir", "out", "--force", "--block", "1", name}).status, 0)
            << name;
    }
}

TEST_F(GridConvertTest, AnXyFileTooLongForTheStoreNamesTheBinThatFits) {
    std::string xy;
    for (int i = 0; i < 25000; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%.3f 100 10\n", 5.0 + 0.004 * i);
        xy += line;
    }
    writeFile("big.xy", xy);
    ConvertRun run = runConvert({"--outdir", "out", "--to", "xy", "big.xy"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "big.xy: Too many data points!!! Change the MAXBUF...\n"
              "big.xy: This pattern holds 25000 points, more than the 19001 the program holds: "
              "sum neighbours with xrdconvert --bin 2.\n");
    run = runConvert({"--outdir", "out", "--to", "xy", "--bin", "2", "big.xy"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("big.xy: Binned by 2: 12500 points from 25000.\n"), std::string::npos)
        << run.err;
    const std::vector<std::string> lines = linesOf(readFile("out/big.xy"));
    ASSERT_EQ(lines.size(), 12500u);
    EXPECT_EQ(lines[0], "   5.002     200     14.1");
    // Binned, the binned pattern is what counts, and the message names it: two groups of 2
    // more than the store holds need a bin of 3, and so does three times it, in .xy files and
    // in text patterns alike.
    const struct {
        int count;
        const char* file;
        const char* line;
    } binned[] = {
        {19001 * 2 + 2, "big.xy", "10.0 1 1\n"},
        {19001 * 3, "big.xy", "10.0 1 1\n"},
        {40001, "big.xy", "10.0 1 1\n"},
        {40001, "big.xye", "10.0 1\n"},
    };
    for (const auto& c : binned) {
        xy.clear();
        for (int i = 0; i < c.count; ++i) xy += c.line;
        writeFile(c.file, xy);
        run = runConvert({"--outdir", "out", "--to", "xy", "--bin", "2", c.file});
        EXPECT_NE(run.err.find("This pattern holds " + std::to_string(c.count) + " points, " +
                               std::to_string(c.count / 2) +
                               " binned by 2, more than the 19001 the program holds: sum "
                               "neighbours with xrdconvert --bin 3.\n"),
                  std::string::npos)
            << c.count << run.err;
    }
}

// A real step of 0.015592 written to 3 decimals: every angle read comes back as read in .xy,
// and within the file's rounding from the grids of .wyr, .dat and .gda.
TEST_F(GridConvertTest, AnglesComeBackAsTheFileGaveThem) {
    const std::vector<std::string> angles = roundedAngles(3.031, 0.015592, 100.0, 3);
    writeFile("r.xy", patternLines(angles, "100 10"));
    ASSERT_EQ(runConvert({"--outdir", "out", "--to", "xy,wyr,dat,gda", "r.xy"}).status, 0);
    std::vector<std::string> lines = linesOf(readFile("out/r.xy"));
    ASSERT_EQ(lines.size(), angles.size());
    for (std::size_t i = 0; i < angles.size(); ++i)
        ASSERT_EQ(std::stod(lines[i].substr(0, 8)), std::stod(angles[i])) << i;

    for (const std::string name : {"out/r.wyr", "out/r.dat", "out/r.gda"}) {
        fs::create_directory("back");
        const ConvertRun run = runConvert({"--outdir", "back", "--to", "xy", name});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err.find("check"), std::string::npos) << run.err;
        lines = linesOf(readFile("back/r.xy"));
        ASSERT_EQ(lines.size(), angles.size());
        // One unit of the file's last decimal (its grid from rounded ends) and half a unit
        // written.
        for (std::size_t i = 0; i < angles.size(); ++i)
            ASSERT_NEAR(std::stod(lines[i].substr(0, 8)), std::stod(angles[i]), 0.0015)
                << name << " " << i;
        fs::remove_all("back");
    }
}

}  // namespace
