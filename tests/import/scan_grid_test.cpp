// The grid of a scan from an instrument or text file: the step the file states, else the
// step of its first and last angle; an irregular scan is named at its first point off.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "console/console.h"
#include "import/import_readers.h"
#include "import/scan_to_pattern.h"
#include "pattern/pattern_checks.h"
#include "support/grid_samples.h"
#include "support/temp_dir.h"

namespace {

struct Filled {
    bool ok = false;
    std::string transcript;
    std::unique_ptr<PatternStore> store = std::make_unique<PatternStore>();
};

// A scan as the UXD, RAW or XRDML reader hands it over: angles as the file writes them,
// and the step its header states.
Filled fillFrom(const std::vector<std::string>& angles, std::optional<double> step, int bin) {
    ImportedScan scan;
    for (const std::string& angle : angles) {
        scan.x.push_back(std::stod(angle));
        scan.y.push_back(100.0);
    }
    scan.step = step;
    Filled filled;
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    filled.ok = fillPatternFromScan(scan, bin, console, *filled.store);
    filled.transcript = out.str();
    return filled;
}

int firstIndexNotItsOwn(const PatternStore& store) {
    for (int i = 0; i <= store.ilast; ++i)
        if (std::lround((store.tth[i] - store.tthmin) / store.tthstep) != i) return i;
    return -1;
}

struct StatedCase {
    const char* what;
    double first, step, last;
    int decimals;
    std::optional<double> stated;
    int bin;
    double expected, tolerance;
};

TEST(ScanGrid, TheStatedStepElseTheFirstAndLastAngleGiveTheGrid) {
    const StatedCase cases[] = {
        // A Bruker export: _STEPSIZE=0.015592, angles to 3 decimals.
        {"stated, 3 decimals", 3.031, 0.015592, 100.0, 3, 0.015592, 1, 0.015592, 1e-12},
        {"stated, binned by 2", 3.031, 0.015592, 100.0, 3, 0.015592, 2, 0.031184, 1e-12},
        {"stated up, scan down", 100.0, -0.015592, 3.0, 3, 0.015592, 1, -0.015592, 1e-12},
        {"no step stated, 2 decimals", 3.0, 0.015592, 100.0, 2, std::nullopt, 1, 0.015592, 1e-6},
        {"no step stated, 3 decimals", 3.031, 0.015592, 100.0, 3, std::nullopt, 1, 0.015592, 2e-7},
        {"a stated step the angles do not follow", 3.0, 0.015592, 100.0, 2, 0.02, 1, 0.015592,
         1e-6},
        {"plain 0.02", 10.0, 0.02, 50.0, 2, std::nullopt, 1, 0.02, 1e-9},
    };
    for (const StatedCase& c : cases) {
        const Filled filled =
            fillFrom(roundedAngles(c.first, c.step, c.last, c.decimals), c.stated, c.bin);
        ASSERT_TRUE(filled.ok) << c.what << "\n" << filled.transcript;
        EXPECT_NEAR(filled.store->tthstep, c.expected, c.tolerance) << c.what;
        EXPECT_EQ(firstOffGrid(*filled.store), -1) << c.what;
        EXPECT_EQ(firstIndexNotItsOwn(*filled.store), -1) << c.what;
        EXPECT_EQ(filled.transcript.find("Please"), std::string::npos) << c.what;
    }
}

TEST(ScanGrid, AnIrregularScanWarnsAtItsFirstPointOffTheGrid) {
    for (const std::optional<double> stated : {std::optional<double>{}, std::optional{0.02}}) {
        const Filled filled = fillFrom(twoSteps(), stated, 1);
        ASSERT_TRUE(filled.ok) << filled.transcript;
        EXPECT_EQ(filled.transcript,
                  "Please, check the steps: they are not uniform (point 1002 at 30.03 lies off "
                  "the grid of tthstep 0.0200 from the first spacing).\n1334 data points read.\n");
        EXPECT_EQ(firstOffGrid(*filled.store), 1001);
    }
}

// A two-column text file with a true step of 0.015592 written to 2 decimals, 3 to 100.
TEST(ScanGrid, ATwoDecimalTextFileKeepsItsTrueStep) {
    TempDir dir;
    const std::vector<std::string> angles = roundedAngles(3.0, 0.015592, 100.0, 2);
    writeFile("scan.txt", "2theta counts\n" + patternLines(angles, "150"));
    std::FILE* file = std::fopen("scan.txt", "r");
    ASSERT_NE(file, nullptr);
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    auto store = std::make_unique<PatternStore>();
    const bool ok = readTextPattern(file, 1, console, *store);
    std::fclose(file);
    ASSERT_TRUE(ok) << out.str();
    EXPECT_EQ(store->ilast + 1, static_cast<int>(angles.size()));
    EXPECT_NEAR(store->tthstep, 0.015592, 1e-6);
    EXPECT_EQ(firstIndexNotItsOwn(*store), -1);
    EXPECT_EQ(out.str().find("Please"), std::string::npos) << out.str();
}

}  // namespace
