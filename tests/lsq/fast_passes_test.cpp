// Chi-square and the normal equations through the fast path and the reference path: the
// same sums, derivatives and point models to the bit, and the vector left the same.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "lsq/normal_equations.h"
#include "lsq_test_data.h"
#include "same_bits.h"

namespace {

// Two overlapping peaks on a slope, every kind of parameter refined, the start a little
// off the values that generated the counts so that residuals are not zero.
LsqState twoPeaks(char fwhmMode) {
    LsqState lsq;
    lsq.fwhmMode = fwhmMode;
    resetParameters(lsq);
    ParamVector& p = lsq.params;
    p[kWor].b = 0.05;
    p[kLowBkgnd].b = 20.0;
    p[kHighBkgnd].b = 30.0;
    setPeak(lsq, 1, {30.0, 50.0, 0.1});
    setPeak(lsq, 2, {30.25, 30.0, 0.12});
    p[kCfwhm].b = 0.11;
    setRoi(lsq, 29.6f, 0.02f, 50);
    generateObserved(lsq);
    p[kWor].fit = p[kEta].fit = p[kLowBkgnd].fit = p[kHighBkgnd].fit = 1;
    p[kCfwhm].fit = lsq.individualFwhm() ? 0 : 1;
    p[peakPosition(1)].b = 30.01;
    p[peakFwhm(2)].b = 0.11;
    p[kCfwhm].b = 0.105;
    p[kEta].b = 0.4;
    p[kWor].b = 0.055;
    return lsq;
}

// Runs `pass` on a copy through each path, the fast one also on three threads, which it
// would not use by itself for so few points, and expects the same bits everywhere.
template <class Pass>
void expectSamePass(const LsqState& start, Pass&& pass) {
    LsqState reference = start;
    reference.referencePath = true;
    pass(reference);
    for (const int workers : {0, 3}) {
        SCOPED_TRACE(workers);
        LsqState fast = start;
        fast.referencePath = false;
        fast.workers = workers;
        pass(fast);
        expectSameBits(fast, reference);
    }
}

void expectSameChisq(const LsqState& start) {
    std::vector<double> phi;  // the reference's first
    expectSamePass(start, [&](LsqState& lsq) { phi.push_back(chisq(lsq)); });
    ASSERT_EQ(phi.size(), 3u);
    EXPECT_GT(phi[0], 0.0);
    EXPECT_EQ(phi[1], phi[0]);
    EXPECT_EQ(phi[2], phi[0]);
}

void expectSameDerivatives(const LsqState& start) {
    expectSamePass(start, [](LsqState& lsq) {
        StringConsole out;
        lsq_derivatives(lsq, out.console);
        EXPECT_EQ(out.text(), "!\b");
    });
}

}  // namespace

TEST(FastChisq, SameSumModelsAndVector) {
    for (const char mode : {'f', 'g'}) {
        SCOPED_TRACE(mode);
        expectSameChisq(twoPeaks(mode));
    }
    LsqState etaAbove = twoPeaks('f');
    etaAbove.params[kEta].b = 1.3;
    expectSameChisq(etaAbove);
    expectSamePass(etaAbove, [](LsqState& lsq) {
        chisq(lsq);
        EXPECT_EQ(lsq.params[kEta].b, 1.0);
    });
}

TEST(FastDerivatives, EveryKindOfParameterInEitherWidthModel) {
    for (const char mode : {'f', 'g'}) {
        SCOPED_TRACE(mode);
        expectSameDerivatives(twoPeaks(mode));
    }
}

// The table passes must follow whatever the vector says, not only what a fit run sets:
// parameters differentiated numerically that the model could differentiate, and refined
// widths that no present peak uses.
TEST(FastDerivatives, UnusualRefinementFlags) {
    LsqState numericLinear = twoPeaks('f');
    numericLinear.params[kEta].ad = 0;
    numericLinear.params[peakIntensity(2)].ad = 0;
    numericLinear.params[kHighBkgnd].ad = 0;
    expectSameDerivatives(numericLinear);

    LsqState unusedWidths = twoPeaks('g');
    unusedWidths.params[peakFwhm(1)].fit = 1;  // common mode ignores it
    unusedWidths.params[peakFwhm(3)].fit = 1;  // there is no third peak
    unusedWidths.params[peakFwhm(3)].b = 0.2;
    expectSameDerivatives(unusedWidths);

    LsqState secondPeakOff = twoPeaks('f');
    secondPeakOff.params[peakPosition(1)].fit = 0;  // ends the peak list at once
    expectSameDerivatives(secondPeakOff);
}

TEST(FastDerivatives, AwkwardValues) {
    LsqState etaBelow = twoPeaks('f');
    etaBelow.params[kEta].b = -0.3;
    expectSameDerivatives(etaBelow);

    LsqState zeroWidth = twoPeaks('f');
    zeroWidth.params[peakFwhm(2)].b = 0.0;  // the step gives it a width of 0.00005
    expectSameDerivatives(zeroWidth);

    LsqState zeroWor = twoPeaks('f');
    zeroWor.params[kWor].b = 0.0;  // symmetric, and asymmetric after the step
    expectSameDerivatives(zeroWor);

    LsqState farPoints = twoPeaks('f');
    farPoints.data[0].x = INFINITY;
    farPoints.data[1].x = -INFINITY;
    farPoints.data[3].x = 1e30f;
    expectSameDerivatives(farPoints);
}

TEST(FastPasses, RoiOfOnePointAndOfNone) {
    LsqState one = twoPeaks('f');
    one.data.resize(1);
    expectSameChisq(one);
    expectSameDerivatives(one);

    LsqState none = twoPeaks('f');
    none.data.clear();
    none.params[kEta].b = 1.5;  // no point, no evaluation, nothing pulled back
    expectSamePass(none, [](LsqState& lsq) {
        EXPECT_EQ(chisq(lsq), 0.0);
        EXPECT_EQ(lsq.params[kEta].b, 1.5);
    });
    expectSameDerivatives(none);
}

// A pass reuses the profiles of peaks whose shape the pass before left unchanged; one
// after another, each must still see its own points, W/R and widths.
TEST(FastPasses, NothingStaleFromThePassBefore) {
    const LsqState first = twoPeaks('f');
    LsqState movedPoint = first;
    movedPoint.data[7].x += 0.01f;
    LsqState otherWor = first;
    otherWor.params[kWor].b = 0.06;
    LsqState secondPeakMoved = first;
    secondPeakMoved.params[peakPosition(2)].b += 0.003;
    LsqState fewerPoints = first;
    fewerPoints.data.pop_back();
    for (const LsqState* next : {&movedPoint, &otherWor, &secondPeakMoved, &fewerPoints}) {
        LsqState before = first;
        chisq(before);  // the fast path, on this thread
        expectSameChisq(*next);
        LsqState again = first;
        chisq(again);
        expectSameDerivatives(*next);
    }
}
