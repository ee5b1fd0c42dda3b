#include "lsq/param_names.h"

#include <gtest/gtest.h>

#include <string>

TEST(ParamNames, FixedRowsComeFirst) {
    EXPECT_STREQ(kParamNames[kCfwhm].name, "cfwhm");
    EXPECT_STREQ(kParamNames[kEta].name, "eta");
    EXPECT_STREQ(kParamNames[kWor].name, "w/r");
    EXPECT_STREQ(kParamNames[kLowBkgnd].name, "low bkgnd");
    EXPECT_STREQ(kParamNames[kHighBkgnd].name, "high bkgnd");
}

TEST(ParamNames, EveryPeakHasOrdinalPositionIntensityAndFwhmRows) {
    const char* ordinals[] = {"1st", "2nd", "3rd", "4th", "5th",
                              "6th", "7th", "8th", "9th", "10th"};
    for (int j = 1; j <= 10; ++j) {
        const std::string ordinal = ordinals[j - 1];
        EXPECT_EQ(kParamNames[peakPosition(j)].name, ordinal + " pk position");
        EXPECT_EQ(kParamNames[peakIntensity(j)].name, ordinal + " pk intensity");
        EXPECT_EQ(kParamNames[peakFwhm(j)].name, ordinal + " pk FWHM");
    }
    EXPECT_EQ(peakFwhm(10), kParamNameRows - 1);
}

TEST(ParamNames, ModelDifferentiatesEtaBackgroundAndIntensitiesOnly) {
    for (int k = 0; k < kParamNameRows; ++k) {
        const bool linearOrEta =
            k == kEta || k == kLowBkgnd || k == kHighBkgnd || (k >= 6 && k % 3 == 0);
        EXPECT_EQ(kParamNames[k].ad, linearOrEta ? 1 : 0) << "row " << k;
    }
}

TEST(ParamNames, CopyFillsTheWholeVectorFromTheFirst32Rows) {
    ParamVector params{};
    params[7].b = 2.5;
    copyNameTable(params);
    for (int k = 0; k < kNmax; ++k) {
        EXPECT_EQ(params[k].name, kParamNames[k].name);
        EXPECT_EQ(params[k].ad, kParamNames[k].ad);
    }
    EXPECT_STREQ(params[kNmax - 1].name, "9th pk FWHM");
    EXPECT_EQ(params[7].b, 2.5);  // values are the fit run's business
}
