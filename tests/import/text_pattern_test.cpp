// General text patterns (.xy files that are not of the .xy format) through the load step:
// byte-order marks, separators, trailing comments, which line may name the x axis, and the
// message that names the line a file could not be read from.

#include <gtest/gtest.h>

#include <string>

#include "loaded_pattern.h"
#include "support/temp_dir.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kPoints = "10.00 100\n10.02 110\n10.04 120\n";

struct TextCase {
    const char* what;
    std::string content;
    std::string message;  // a part of the transcript
    bool loads;
};

}  // namespace

TEST(TextPattern, ReadsWhatALabExportHoldsAndNamesTheLineItCannotRead) {
    const TextCase cases[] = {
        {"BOM, two columns", kBom + kPoints, "3 data points read.\n", true},
        {"BOM, three columns", kBom + "10.00 100 10\n10.02 110 11\n10.04 120 12\n",
         "Read as three columns", true},
        {"BOM before a header", kBom + "2theta counts\n" + kPoints, "3 data points read", true},
        {"energy comment", "# Energy: 17.48 keV\n" + kPoints, "3 data points read", true},
        {"phi comment", "# Phi scan exported\n" + kPoints, "3 data points read", true},
        {"two-word comment", "# Phi scan\n" + kPoints, "3 data points read", true},
        {"comment over three columns",
         "# Phi scan exported\n10.00 100 10\n10.02 110 11\n10.04 120 12\n", "3 data points read",
         true},
        {"header, then a comment", "2theta counts\n# Energy: 17.48 keV\n" + kPoints,
         "3 data points read", true},
        {"2theta header", "2theta counts\n" + kPoints, "3 data points read", true},
        {"units in brackets", "# 2Theta (deg)  Intensity [cts]\n" + kPoints, "3 data points", true},
        {"comma header", "Energy,Counts\n10.00,100\n10.02,110\n10.04,120\n",
         "The x axis of this file is energy, not 2theta", false},
        {"d-spacing header", "# d-spacing intensity esd\n5.0 100 10\n4.9 110 11\n4.8 120 12\n",
         "The x axis of this file is d-spacing, not 2theta", false},
        {"omega header", "Omega (deg)   Intensity (cps)\n" + kPoints,
         "The x axis of this file is the Omega drive", false},
        {"naming header above a comment", "# d I\n# measured 2026\n" + kPoints,
         "The x axis of this file is d-spacing", false},
        {"comma separated", "10.00,100\n10.02,110\n10.04,120\n", "3 data points read", true},
        {"comma and blank", "10.00, 100, 10\n10.02, 110, 11\n10.04, 120, 12\n",
         "Read as three columns", true},
        {"trailing comma", "10.00,100,\n10.02,110,\n10.04,120,\n", "Read as two columns", true},
        {"trailing comment", "10.00 100 # start\n10.02 110\n10.04 120 # peak\n",
         "3 data points read", true},
        {"decimal commas", "20,00 123\n20,02 124\n20,04 125\n",
         "Not a text pattern: line 1 is not a line of numbers (\"20,00 123\").\n", false},
        {"semicolons", "2theta;counts\n20.00;123\n20.02;124\n",
         "Not a text pattern: line 2 is not a line of numbers (\"20.00;123\").\n", false},
        {"words after data", kPoints + "end of scan\n",
         "line 4 is not a line of numbers (\"end of scan\")", false},
        {"long line quoted short", std::string(60, '7') + ";1\n",
         "line 1 is not a line of numbers (\"" + std::string(40, '7') + "...\")", false},
        {"only comments", "# nothing\n! here\n", "Not a text pattern: no data lines.\n", false},
        {"too long", std::string(2000, '1') + "\n", "line 1 is too long", false},
        {"four values", "10.00,100,10,1\n", "line 1 holds 4 values, not 2 or 3", false},
        {"comma fields of one line", kPoints + "10.06,130,13\n",
         "line 4 holds 3 values, the first data line 2", false},
    };
    TempDir dir;
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("pattern.xy", c.content);
        const Loaded loaded = load("pattern.xy");
        EXPECT_EQ(loaded.ok, c.loads) << loaded.transcript;
        EXPECT_TRUE(has(loaded.transcript, c.message)) << loaded.transcript;
        if (!c.loads) {
            EXPECT_FALSE(has(loaded.transcript, "data points read")) << loaded.transcript;
            continue;
        }
        ASSERT_EQ(loaded.store->ilast, 2);
        EXPECT_FLOAT_EQ(loaded.store->tth[0], 10.0f);
        EXPECT_FLOAT_EQ(loaded.store->cts[0], 100.0f);
        EXPECT_FLOAT_EQ(loaded.store->cts[2], 120.0f);
        EXPECT_FLOAT_EQ(loaded.store->tth[2], 10.04f);
    }
}
