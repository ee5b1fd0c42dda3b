// Every processed format written by the writers and read back by its reader gives the same
// pattern, within the precision of the format's fields.

#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

#include "console/console.h"
#include "pattern/pattern_store.h"
#include "pattern/readers.h"
#include "pattern/writers.h"
#include "support/temp_dir.h"

namespace {

constexpr int kPoints = 5000;

using Reader = bool (*)(std::FILE*, Console&, PatternStore&);

// A quartz-like scan: 5000 points from 5 degrees in steps of 0.02, a sloping background,
// a few Gaussian peaks up to some 40,000 counts, Poisson-like noise and sig = sqrt(cts).
std::unique_ptr<PatternStore> realisticPattern() {
    auto store = std::make_unique<PatternStore>();
    store->ilast = kPoints - 1;
    store->tthmin = 5.0;
    store->tthstep = 0.02;
    store->tthmax = 5.0 + store->ilast * 0.02;
    const double peaks[][2] = {{20.86, 9000.0}, {26.64, 40000.0}, {36.54, 3500.0},
                               {50.14, 6000.0}, {59.96, 4200.0},  {68.14, 2500.0}};
    std::mt19937 random(20240607);
    std::normal_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i <= store->ilast; ++i) {
        const double tth = store->tthmin + i * store->tthstep;
        double cts = 300.0 - 1.5 * tth;
        for (const auto& peak : peaks) {
            const double offset = (tth - peak[0]) / 0.05;
            cts += peak[1] * std::exp(-0.5 * offset * offset);
        }
        cts += std::sqrt(cts) * unit(random);
        store->tth[i] = static_cast<float>(tth);
        store->cts[i] = static_cast<float>(cts);
        store->sig[i] = static_cast<float>(std::sqrt(cts));
    }
    return store;
}

class RoundTrip : public ::testing::Test {
  protected:
    void SetUp() override {
        std::istringstream in("rt.xy\nrt.wyr\nrt.dat\nrt.gda\nRound trip of a quartz scan\n");
        std::ostringstream out;
        Console console(in, out);
        ASSERT_EQ(writeAllFormats(console, *original), 0);
        ASSERT_EQ(out.str().find("Warning"), std::string::npos) << out.str();
    }

    // Reads one written file into a fresh store; what the reader printed goes to transcript.
    const PatternStore& readBack(Reader reader, const char* name) {
        std::FILE* file = std::fopen(name, "r");
        if (!file) throw std::runtime_error(std::string("cannot open ") + name);
        std::istringstream in;
        std::ostringstream out;
        Console console(in, out);
        loaded = reader(file, console, *copy);
        std::fclose(file);
        transcript = out.str();
        return *copy;
    }

    // The reader's last word: a count line means no consistency warning came before it.
    void expectCleanLoad() {
        EXPECT_TRUE(loaded);
        const std::string countLine = std::to_string(kPoints) + " data points read.\n";
        ASSERT_GE(transcript.size(), countLine.size());
        EXPECT_EQ(transcript.substr(transcript.size() - countLine.size()), countLine);
    }

    void expectSameGrid(const PatternStore& back, double angleTolerance) {
        ASSERT_EQ(back.ilast, original->ilast);
        EXPECT_NEAR(back.tthmin, original->tthmin, angleTolerance);
        EXPECT_NEAR(back.tthstep, original->tthstep, 1e-9);
        EXPECT_NEAR(back.tthmax, original->tthmax, angleTolerance);
        for (int i = 0; i <= back.ilast; ++i)
            ASSERT_NEAR(back.tth[i], original->tth[i], angleTolerance) << "point " << i;
    }

    // Within half the last written decimal (unit), plus the float rounding of the value.
    void expectSameValues(const std::array<float, MAXBUF>& back,
                          const std::array<float, MAXBUF>& written, float unit) {
        for (int i = 0; i <= original->ilast; ++i) {
            const float tolerance = unit / 2 + std::fabs(written[i]) * FLT_EPSILON;
            ASSERT_NEAR(back[i], written[i], tolerance) << "point " << i;
        }
    }

    TempDir dir;
    std::unique_ptr<PatternStore> original = realisticPattern();
    std::unique_ptr<PatternStore> copy = std::make_unique<PatternStore>();
    bool loaded = false;
    std::string transcript;
};

TEST_F(RoundTrip, XyKeepsAnglesToAThousandthCountsToTheNearestAndSigToATenth) {
    const PatternStore& back = readBack(readXy, "rt.xy");
    expectCleanLoad();
    expectSameGrid(back, 0.0005);
    expectSameValues(back.cts, original->cts, 1.0f);
    expectSameValues(back.sig, original->sig, 0.1f);
}

TEST_F(RoundTrip, WyrKeepsCountsToTheNearestAndLeavesSigUnset) {
    const PatternStore& back = readBack(readWyr, "rt.wyr");
    expectCleanLoad();
    expectSameGrid(back, 0.0005);
    expectSameValues(back.cts, original->cts, 1.0f);
    for (int i = 0; i <= back.ilast; ++i) ASSERT_EQ(back.sig[i], kUnset);
}

TEST_F(RoundTrip, DatKeepsCountsToATenthAndWeightsToAHundredth) {
    const PatternStore& back = readBack(readDat, "rt.dat");
    expectCleanLoad();
    expectSameGrid(back, 0.0005);
    expectSameValues(back.cts, original->cts, 0.1f);
    expectSameValues(back.sig, original->sig, 0.01f);
}

TEST_F(RoundTrip, GdaKeepsCountsAndEsdsToATenthAndTheTitle) {
    const PatternStore& back = readBack(readGda, "rt.gda");
    expectCleanLoad();
    expectSameGrid(back, 0.00005);
    expectSameValues(back.cts, original->cts, 0.1f);
    expectSameValues(back.sig, original->sig, 0.1f);
    EXPECT_EQ(transcript.find("Round trip of a quartz scan"), 0u);
}

}  // namespace
