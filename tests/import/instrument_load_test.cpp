// Instrument files and text patterns through the load step's real path: the same model scan
// from every format, ranges, count rates, bins, and the bad files with their messages.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "loaded_pattern.h"
#include "open/format_recognition.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

// The model of make_samples.py at point i.
double modelCounts(int i) {
    const double tth = 10.0 + i * 0.02;
    return std::round(100 + 900 * std::exp(-std::pow((tth - 12.0) / 0.08, 2)));
}

class InstrumentLoad : public ::testing::Test {
  protected:
    void SetUp() override { writeImportSamples(); }
    TempDir dir;
};

void expectModelScan(const Loaded& loaded, const std::string& name, double countFactor = 1.0) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(loaded.ok) << loaded.transcript;
    const PatternStore& store = *loaded.store;
    EXPECT_TRUE(has(loaded.transcript, "201 data points read.\n")) << loaded.transcript;
    ASSERT_EQ(store.ilast, 200);
    EXPECT_NEAR(store.tthmin, 10.0, 1e-6);
    EXPECT_NEAR(store.tthstep, 0.02, 1e-9);
    EXPECT_NEAR(store.tthmax, 14.0, 1e-5);
    for (int i = 0; i <= store.ilast; ++i) {
        EXPECT_NEAR(store.tth[i], 10.0 + i * 0.02, 1e-4) << i;
        EXPECT_EQ(store.cts[i], static_cast<float>(modelCounts(i) * countFactor)) << i;
    }
    EXPECT_EQ(store.tth[201], kUnset);
}

}  // namespace

TEST_F(InstrumentLoad, EveryFormatGivesTheSameScanWithSigFromTheCounts) {
    std::rename("quartz.xrdml", "QUARTZ.XrdML");  // the case of an instrument extension is free
    for (const std::string name :
         {"quartz.raw", "QUARTZ.XrdML", "counts.xrdml", "quartz.uxd", "quartz.csv", "two.xy"}) {
        const Loaded loaded = load(name);
        expectModelScan(loaded, name);
        if (!loaded.ok) continue;
        EXPECT_EQ(loaded.file.format, name == "two.xy" ? 't' : 'v');
        EXPECT_FLOAT_EQ(loaded.store->sig[130], std::sqrt(loaded.store->cts[130]));
    }
    const Loaded raw = load("quartz.raw");
    EXPECT_TRUE(has(raw.transcript, "This file holds 2 ranges: range 1 is read"));
    EXPECT_TRUE(
        has(raw.transcript, "Radiation: anode Cu, alpha1 1.5406, alpha2 1.54439, ratio 0.5.\n"));
    EXPECT_TRUE(has(load("two.xy").transcript,
                    "Read as two columns: 2theta, counts; sig = sqrt(counts).\n"));
    // Saving background points renames the data file and puts its own extension back.
    DataFileName renamed = load("QUARTZ.XrdML").file;
    renamed.name = renamed.withExtension("fbg");
    renamed.restoreExtension();
    EXPECT_EQ(renamed.name, "QUARTZ.XrdML");
}

TEST_F(InstrumentLoad, RangesRatesAndEsdsBecomeCountsAndSig) {
    const Loaded second = load("quartz.raw", {"", 2, 1});
    ASSERT_TRUE(second.ok) << second.transcript;
    EXPECT_NEAR(second.store->tthmin, 60.0, 1e-6);
    EXPECT_EQ(second.store->cts[0], modelCounts(0) + 50);

    expectModelScan(load("rate.uxd"), "rate.uxd");  // a quarter of the counts per second, 4 s
    expectModelScan(load("rate.xrdml"), "rate.xrdml");

    const Loaded three = load("three.xy");
    ASSERT_TRUE(three.ok) << three.transcript;
    EXPECT_TRUE(has(three.transcript, "Read as three columns: 2theta, counts, esd; sig = esd.\n"));
    EXPECT_NEAR(three.store->sig[0], 15.0, 0.005);  // 1.5 sqrt(100), as written
}

TEST_F(InstrumentLoad, BadFilesAreRefusedInOneClearLine) {
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"cut.raw", "Cannot read this file as Siemens/Bruker RAW, ver. 3: unexpected eof"},
        {"step0.raw", "The step between angles is 0 at point 2 (10): not a scan.\n"},
        {"v4.raw", "a Bruker RAW file of version 4 (RAW4.00), which xylib"},
        {"nocounts.xrdml", "the scan holds no counts"},
        {"mixed.xy", "line 13 holds 3 values, the first data line 2.\nError in *.xy file\n"},
        {"nan.xy", "This file holds a value that is not a number (NaN, infinite or huge).\n"},
        {"dspacing.xy", "The x axis of this file is d-spacing, not 2theta"},
        {"long.xy",
         "This pattern holds 19002 points, more than the 19001 the program holds: sum "
         "neighbours with xrdconvert --bin 2.\n"},
    };
    for (const auto& bad : cases) {
        const Loaded loaded = load(bad.name);
        EXPECT_FALSE(loaded.ok) << bad.name;
        EXPECT_TRUE(has(loaded.transcript, bad.message)) << bad.name << ":\n" << loaded.transcript;
        EXPECT_FALSE(has(loaded.transcript, "data points read")) << bad.name;
    }
}

TEST_F(InstrumentLoad, BinningSumsNeighboursAndDropsAShortLastGroup) {
    const Loaded whole = load("quartz.uxd");
    const Loaded binned = load("quartz.uxd", {"", 1, 3});
    ASSERT_TRUE(binned.ok) << binned.transcript;
    EXPECT_TRUE(has(binned.transcript, "Binned by 3: 67 points from 201.\n"));
    EXPECT_FALSE(has(binned.transcript, "dropped"));
    const PatternStore& a = *whole.store;
    const PatternStore& b = *binned.store;
    ASSERT_EQ(b.ilast, 66);
    for (const int g : {0, 38, 66}) {
        EXPECT_NEAR(b.tth[g], (a.tth[3 * g] + a.tth[3 * g + 1] + a.tth[3 * g + 2]) / 3, 1e-4);
        EXPECT_EQ(b.cts[g], a.cts[3 * g] + a.cts[3 * g + 1] + a.cts[3 * g + 2]);
        EXPECT_FLOAT_EQ(b.sig[g], std::sqrt(b.cts[g]));  // sqrt(counts) added in quadrature
    }
    EXPECT_NEAR(b.tthstep, 0.06, 1e-9);
    const Loaded tooLong = load("long.xrdml");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_TRUE(has(tooLong.transcript, "This pattern holds 25000 points, more than the 19001"));
    const Loaded halved = load("long.xrdml", {"", 1, 2});
    ASSERT_TRUE(halved.ok) << halved.transcript;
    EXPECT_EQ(halved.store->ilast, 12499);
    EXPECT_NEAR(halved.store->tthstep, 0.008, 1e-9);
    const Loaded four = load("quartz.uxd", {"", 1, 4});
    EXPECT_TRUE(has(four.transcript,
                    "Binned by 4: 50 points from 201.\nThe last 1 point(s), too few for a group "
                    "of 4, are dropped.\n"));
}

TEST(InstrumentExtensions, AreMatchedInAnyCaseWhileTheProcessedOnesKeepTheirRule) {
    const struct {
        const char* name;
        char format;
    } cases[] = {{"BT86.RAW", 'v'},  {"dir.v2/scan.XrDmL", 'v'},
                 {"a.uxd", 'v'},     {"a.Csv", 'v'},
                 {"a.dat", 'd'},     {"a.DAT", 'd'},
                 {"a.Dat", 0},       {"a.txt", 0},
                 {"a.xrdml.gz", 0},  {"a.xye", 'x'},
                 {"a.b.xrdml", 'v'}, {"BT86.v2.RAW", 'v'}};
    for (const auto& c : cases)
        EXPECT_EQ(recogniseFormat(DataFileName{c.name}), c.format) << c.name;
}
