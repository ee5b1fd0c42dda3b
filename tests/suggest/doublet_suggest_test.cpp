// xrdsuggest on a lab pattern of rock salt under Cu Kα1/Kα2: with the doublet known the
// peak list holds each reflection once, at its Kα1 line, narrow or merged, and the spacings
// file gives their d; with one wavelength the separate companions stay in the list.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "batch/rock_salt_pattern.h"
#include "suggest/suggest_main.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::vector<double>> rowsOf(const std::string& text) {
    std::vector<std::vector<double>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<double> row;
        for (double value = 0.0; fields >> value;) row.push_back(value);
        rows.push_back(row);
    }
    return rows;
}

// Two-theta of the Cu Kα2 line of a Kα1 line at `tth`.
double kalpha2Position(double tth) {
    const double radians = std::numbers::pi / 180.0;
    return 2 * std::asin(1.5444140 / 1.5405929 * std::sin(tth / 2 * radians)) / radians;
}

struct SuggestCase {
    const char* what;
    double widthFactor;
    std::vector<std::string> args;
    bool doublet;  // Kα2 known: one position per reflection
    // Of a position, degrees: merged lines leave the Kα1 line a shoulder, and half the
    // doublet's split (the centroid's place) must still be told from it.
    double tolerance;
};

}  // namespace

TEST(DoubletSuggest, ListsKalpha1LinesAndTheirSpacings) {
    const SuggestCase cases[] = {
        {"narrow, --anode Cu", 1.0, {"--anode", "Cu", "nacl.xy"}, true, 0.02},
        {"narrow, UXD", 1.0, {"nacl.uxd"}, true, 0.02},
        {"merged, --anode Cu", 3.0, {"--anode", "Cu", "nacl.xy"}, true, 0.05},
        {"narrow, one wavelength", 1.0, {"--wavelength", "1.5405929", "nacl.xy"}, false, 0.01},
    };
    for (const SuggestCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::vector<Reflection> reflections = writeRockSaltFiles(c.widthFactor);
        std::vector<std::string> args{"--no-background"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::ostringstream out, err;
        ASSERT_EQ(suggestMain(args, out, err), 0) << err.str();
        const auto positions = rowsOf(readFile("nacl.cdt"));
        const auto spacings = rowsOf(readFile("nacl.dsp"));
        ASSERT_EQ(spacings.size(), positions.size());
        if (!c.doublet) {
            EXPECT_GT(positions.size(), reflections.size() + 3) << "companions listed";
            continue;
        }
        EXPECT_NE(err.str().find("Kalpha2 companions left out"), std::string::npos) << err.str();
        // Every reflection once, at its Kα1 line; nothing at a Kα2 line; at most one finding
        // that is neither per 50 degrees of pattern.
        std::vector<bool> listed(positions.size(), false);
        for (const Reflection& truth : reflections) {
            SCOPED_TRACE(::testing::Message() << truth.h << truth.k << truth.l);
            std::size_t nearest = 0;
            for (std::size_t p = 0; p < positions.size(); ++p)
                if (std::fabs(positions[p][0] - truth.kalpha1.position) <
                    std::fabs(positions[nearest][0] - truth.kalpha1.position))
                    nearest = p;
            ASSERT_FALSE(positions.empty());
            EXPECT_NEAR(positions[nearest][0], truth.kalpha1.position, c.tolerance);
            EXPECT_FALSE(listed[nearest]) << "two reflections at " << positions[nearest][0];
            listed[nearest] = true;
            // Merged lines may stand closer than half a width: a companion listed is one
            // nearer its Kα2 line than its Kα1 line.
            const double companion = kalpha2Position(truth.kalpha1.position);
            for (const auto& row : positions) {
                const double off = std::fabs(row[0] - companion);
                EXPECT_FALSE(off < truth.kalpha1.fwhm / 2 &&
                             off < std::fabs(row[0] - truth.kalpha1.position))
                    << "a companion listed at " << row[0];
            }
        }
        EXPECT_LE(std::count(listed.begin(), listed.end(), false), 2) << readFile("nacl.cdt");
        for (std::size_t r = 0; r < positions.size(); ++r) {
            ASSERT_EQ(spacings[r].size(), 3u);
            EXPECT_NEAR(spacings[r][0], positions[r][0], 1e-4);
            // d from Cu Kα1 at the position listed
            const double theta = spacings[r][0] / 2 * std::numbers::pi / 180.0;
            EXPECT_NEAR(spacings[r][1], 1.5405929 / (2 * std::sin(theta)), 1e-5);
            EXPECT_GT(spacings[r][2], 0.0);
        }
    }
}

// The spacings file is the second of the positions' pair: when it cannot be written the
// message gives the reason, the status says so, and the positions stand.
TEST(DoubletSuggest, ASpacingsFileThatCannotBeWrittenIsNamedWithItsReason) {
    TempDir dir;
    writeRockSaltFiles(1.0);
    std::filesystem::create_directory("nacl.dsp");
    std::ostringstream out, err;
    EXPECT_EQ(suggestMain({"--no-background", "--force", "--anode", "Cu", "nacl.xy"}, out, err), 1);
    EXPECT_NE(err.str().find("nacl.dsp: cannot be written: "), std::string::npos) << err.str();
    EXPECT_NE(out.str().find("spacings not written"), std::string::npos) << out.str();
    EXPECT_FALSE(readFile("nacl.cdt").empty());
    EXPECT_TRUE(std::filesystem::is_directory("nacl.dsp"));
}
