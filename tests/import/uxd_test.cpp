// Bruker UXD files through the load step and through the UXD reader itself: the layouts the
// diffractometer software writes, ranges, count rates, the stated step, the radiation line,
// and malformed files, which must be refused by a message that names the line.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "import/uxd_scan.h"
#include "loaded_pattern.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

// Five lines.
const std::string kHead =
    "; written for the UXD tests\n_FILEVERSION=1\n_WL1=1.540600\n_WL2=1.544390\n_ANODE='Cu'\n";
// Four lines each.
const std::string kRange =
    "_DRIVE='COUPLED'\n_STEPTIME=1.000000\n_STEPSIZE=0.020000\n_START=10.0\n";
const std::string kRange2 =
    "_DRIVE='COUPLED'\n_STEPTIME=1.000000\n_STEPSIZE=0.050000\n_START=20.0\n";
const std::string kPairs = "10.00 100\n10.02 110\n10.04 120\n10.06 130\n";

struct UxdCase {
    const char* what;
    std::string content;
    int range;
    std::string message;  // a part of the transcript
    // For a file that loads: the first and last point and the step the file states.
    double firstTth = 10.0, lastTth = 10.06, firstCts = 100.0, lastCts = 130.0;
    std::optional<double> step = 0.02;
};

}  // namespace

TEST(Uxd, ReadsTheLayoutsDiffractometersWrite) {
    const UxdCase cases[] = {
        {"one column per range", kHead + kRange + "_COUNTS\n100 110 120 130\n", 1,
         "Radiation: anode Cu, alpha1 1.540600, alpha2 1.544390.\n4 data points read.\n"},
        {"byte-order mark", "\xEF\xBB\xBF" + kHead + kRange + "_COUNTS\n100 110 120 130\n", 1,
         "4 data points read.\n"},
        {"vertical tab before _CPS",
         kHead + "_DRIVE='COUPLED'\n_STEPTIME=2\n_STEPSIZE=0.02\n_START=10\n\v_CPS\n50 55 60 65\n",
         1, "4 data points read.\n"},
        {"a second data section behind a vertical tab",
         kHead + "_DRIVE='COUPLED'\n_STEPTIME=2\n_STEPSIZE=0.02\n_START=10\n_COUNTS\n1 2 3\n" +
             "\v_CPS\n50 55 60 65\n",
         2, "This file holds 2 ranges: range 2 is read"},
        {"blanks around '='",
         kHead + "_DRIVE = 'COUPLED'\n_STEPTIME = 1\n_STEPSIZE = 0.02\n_START = 10\n_COUNTS\n" +
             "100 110 120 130\n",
         1, "4 data points read.\n"},
        {"one per line, commas, comments",
         kHead + kRange + "_COUNTS ; counts follow\n100\n110,120\n  130 ; last\n", 1,
         "4 data points read.\n"},
        {"angle-intensity pairs", kHead + kRange + "_2THETACOUNTS\n" + kPairs, 1,
         "4 data points read.\n"},
        {"pairs as rates, the file's step time",
         kHead + "_STEPTIME=2\n_DRIVE\n_STEPSIZE=0.02\n_2THETACPS\n10.00 50\n10.02 55\n" +
             "10.04 60\n10.06 65\n",
         1, "4 data points read.\n"},
        {"the range's step time before the file's",
         kHead + "_STEPTIME=4\n_DRIVE\n_STEPTIME=2\n_STEPSIZE=0.02\n_START=10\n_CPS\n" +
             "50 55 60 65\n",
         1, "4 data points read.\n"},
        {"descending pairs",
         kHead + kRange + "_2THETACOUNTS\n10.06 130\n10.04 120\n10.02 110\n" + "10.00 100\n", 1,
         "4 data points read.\n", 10.06, 10.0, 130.0, 100.0, -0.02},
        {"negative step size",
         kHead + "_DRIVE\n_STEPSIZE=-0.02\n_START=10.06\n_COUNTS\n130 120 110 100\n", 1,
         "4 data points read.\n", 10.06, 10.0, 130.0, 100.0, -0.02},
        {"pairs with no step size", kHead + "_DRIVE\n_2THETACOUNTS\n" + kPairs, 1,
         "4 data points read.\n", 10.0, 10.06, 100.0, 130.0, std::nullopt},
        {"second range", kHead + kRange + "_COUNTS\n1 2 3 4\n" + kRange2 + "_COUNTS\n5 6 7\n", 2,
         "This file holds 2 ranges: range 2 is read (xrdconvert --block N reads another).\n"
         "Radiation: anode Cu, alpha1 1.540600, alpha2 1.544390.\n3 data points read.\n",
         20.0, 20.1, 5.0, 7.0, 0.05},
        {"first range",
         kHead + kRange + "_COUNTS\n100 110 120 130\n" + kRange2 + "_COUNTS\n5 6 7\n", 1,
         "This file holds 2 ranges: range 1 is read"},
        {"two data sections after one _DRIVE",
         kHead + kRange + "_COUNTS\n1 2 3\n_2THETACOUNTS\n" + kPairs, 2, "4 data points read.\n"},
        {"a peak list passed over",
         kHead + "_2THETA-I\n12.00 900\n12.50 300\n" + kRange + "_COUNTS\n100 110 120 130\n", 1,
         "4 data points read.\n"},
        {"range keys after the data",
         kHead + "_DRIVE\n_START=10\n_STEPSIZE=0.02\n_CPS\n" + "50 55 60 65\n_STEPTIME=2\n", 1,
         "4 data points read.\n"},
    };
    TempDir dir;
    for (const UxdCase& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("scan.uxd", c.content);
        const Loaded loaded = load("scan.uxd", {"", c.range, 1});
        ASSERT_TRUE(loaded.ok) << loaded.transcript;
        EXPECT_TRUE(has(loaded.transcript, c.message)) << loaded.transcript;
        const PatternStore& store = *loaded.store;
        EXPECT_NEAR(store.tth[0], c.firstTth, 1e-5);
        EXPECT_NEAR(store.tth[store.ilast], c.lastTth, 1e-5);
        EXPECT_EQ(store.cts[0], static_cast<float>(c.firstCts));
        EXPECT_EQ(store.cts[store.ilast], static_cast<float>(c.lastCts));
        const InstrumentScan read = readUxdScan(c.content, c.range);
        ASSERT_TRUE(read.scan) << read.error;
        EXPECT_EQ(read.scan->step, c.step);
    }
}

TEST(Uxd, RefusesMalformedFilesNamingTheLine) {
    const struct {
        const char* what;
        std::string content;
        int range;
        std::string message;
    } cases[] = {
        {"words in the data", kHead + kRange + "_COUNTS\n100 110\nhello\n", 1,
         "Cannot read this file as Bruker Diffrac-AT UXD: line 12: \"hello\" is not a "
         "line of numbers.\n"},
        {"a number glued to a word", kHead + kRange + "_COUNTS\n100 110x\n", 1,
         "line 11: \"100 110x\" is not a line of numbers"},
        {"numbers before a data keyword", kHead + "_DRIVE\n100 110\n", 1,
         "line 7: \"100 110\" is neither a _KEY=value line nor in a data section (_COUNTS, _CPS, "
         "_2THETACOUNTS, ...).\n"},
        {"numbers after a new _DRIVE", kHead + kRange + "_COUNTS\n1 2 3\n_DRIVE\n4 5\n", 1,
         "line 13: \"4 5\" is neither a _KEY=value line"},
        {"text outside the keys", kHead + "hello\n", 1, "line 6: \"hello\" is neither"},
        {"binary bytes", std::string("\x01\x02\xff\x00\x7f", 5), 1, "line 1: \""},
        {"a zero byte in the data",
         kHead + kRange + "_COUNTS\n100 110" + std::string(1, '\0') + "7\n", 1,
         "line 11: \"100 110?7\" is not a line of numbers"},
        {"_START not a number", kHead + "_DRIVE\n_START=abc\n", 1,
         "line 7: _START is not a number (\"abc\").\n"},
        {"_STEPSIZE empty", kHead + "_DRIVE\n_STEPSIZE=\n", 1,
         "line 7: _STEPSIZE is not a number (\"\").\n"},
        {"odd pairs", kHead + kRange + "_2THETACOUNTS\n10.00 100 10.02\n", 1,
         "line 11: 3 values, but the lines of _2THETACOUNTS hold angle-intensity pairs.\n"},
        {"no data section", kHead + kRange, 1,
         "no data section (_COUNTS, _CPS, _2THETACOUNTS, ...).\n"},
        {"empty file", "", 1, "no data section"},
        {"range 3 of 2", kHead + kRange + "_COUNTS\n1 2 3\n" + kRange2 + "_COUNTS\n4 5 6\n", 3,
         "the file holds 2 range(s): there is no range 3.\n"},
        {"range 0", kHead + kRange + "_COUNTS\n1 2 3\n", 0,
         "the file holds 1 range(s): there is no range 0.\n"},
        {"rates without a step time", kHead + "_DRIVE\n_STEPSIZE=0.02\n_CPS\n1 2 3\n", 1,
         "This file gives counts per second without a counting time.\n"},
        {"intensities without a step size", kHead + "_DRIVE\n_START=10\n_COUNTS\n1 2 3\n", 1,
         "Cannot read this file as Bruker Diffrac-AT UXD: range 1 states no step (_STEPSIZE) to "
         "place its counts.\n"},
        {"a step size of 0", kHead + "_DRIVE\n_STEPSIZE=0\n_COUNTS\n1 2 3\n", 1,
         "range 1 states no step (_STEPSIZE) to place its counts.\n"},
        {"an empty range", kHead + kRange + "_COUNTS\n1 2 3\n" + kRange2 + "_COUNTS\n", 2,
         "Cannot read this file as Bruker Diffrac-AT UXD: range 2 holds no points.\n"},
        {"an empty range of pairs", kHead + kRange + "_2THETACOUNTS\n", 1,
         "range 1 holds no points.\n"},
        {"not a number", kHead + kRange + "_COUNTS\n1 nan 3\n", 1,
         "This file holds a value that is not a number"},
        {"too few points", kHead + kRange + "_COUNTS\n1 2\n", 1, "Too small data points"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("bad.uxd", c.content);
        const Loaded loaded = load("bad.uxd", {"", c.range, 1});
        EXPECT_FALSE(loaded.ok);
        EXPECT_TRUE(has(loaded.transcript, c.message)) << loaded.transcript;
        EXPECT_FALSE(has(loaded.transcript, "data points read")) << loaded.transcript;
    }
}

TEST(Uxd, ADiffractometerExportStatesItsStepExactly) {
    TempDir dir;
    writeImportSamples();
    const InstrumentScan read = readUxdScan(readFile("rounded.uxd"), 1);
    ASSERT_TRUE(read.scan) << read.error;
    const ImportedScan& scan = *read.scan;
    EXPECT_EQ(scan.step, 0.015592);  // as written, not the mean of rounded angles
    EXPECT_GT(scan.x.size(), 6000u);
    EXPECT_EQ(scan.x.front(), 3.0);
    EXPECT_LE(scan.x.back(), 100.0);
    EXPECT_EQ(scan.wavelength, "anode Cu, alpha1 1.540600, alpha2 1.544390");
    const Loaded loaded = load("rounded.uxd");
    ASSERT_TRUE(loaded.ok) << loaded.transcript;
    EXPECT_EQ(loaded.store->ilast + 1, static_cast<int>(scan.x.size()));
}
