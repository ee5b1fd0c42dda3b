// The grouping of peak positions into the regions xrdfit --cdt fits.

#include "suggest/cdt_regions.h"

#include <gtest/gtest.h>

namespace {

TEST(CdtRegions, GroupsOverlappingPeaksAndKeepsTheEndsOffTheNeighbours) {
    const double fwhm = 0.1;
    // A lone peak, a pair 0.3 apart given in reverse, and a chain of eleven peaks 0.2 apart.
    std::vector<PeakPlace> places{{20.0, fwhm}, {30.3, fwhm}, {30.0, fwhm}};
    for (int k = 0; k < 11; ++k) places.push_back({40.0 + 0.2 * k, fwhm});
    const std::vector<PeakRegion> regions = regionsFromPositions(places);

    ASSERT_EQ(regions.size(), 4u);
    EXPECT_EQ(regions[0].peaks, std::vector<double>{20.0});
    EXPECT_NEAR(regions[0].low, 19.7, 1e-9);
    EXPECT_NEAR(regions[0].high, 20.3, 1e-9);

    EXPECT_EQ(regions[1].peaks, (std::vector<double>{30.0, 30.3}));
    EXPECT_NEAR(regions[1].low, 29.7, 1e-9);
    EXPECT_NEAR(regions[1].high, 30.6, 1e-9);

    // A fit holds nine peaks: the chain splits, and the ends at the split stop halfway
    // between the neighbouring peaks instead of lying on them.
    ASSERT_EQ(regions[2].peaks.size(), 9u);
    ASSERT_EQ(regions[3].peaks.size(), 2u);
    EXPECT_NEAR(regions[2].low, 39.7, 1e-9);
    EXPECT_NEAR(regions[2].high, 41.7, 1e-9);
    EXPECT_NEAR(regions[3].low, 41.7, 1e-9);
    EXPECT_NEAR(regions[3].high, 42.3, 1e-9);

    // Peaks just as far apart as the grouping distance are fitted apart.
    EXPECT_EQ(regionsFromPositions({{50.0, fwhm}, {50.0 + kGroupFwhms * fwhm + 1e-9, fwhm}}).size(),
              2u);
}

// Each peak's own width sizes its margin and its reach to a neighbour: a broad peak takes a
// narrow one 1 degree away into its fit, two narrow ones as far apart stay apart.
TEST(CdtRegions, SizesEachEndByItsOwnPeaksWidth) {
    const std::vector<PeakRegion> regions =
        regionsFromPositions({{30.0, 0.1}, {40.0, 1.5}, {41.0, 0.1}, {60.0, 0.1}, {61.0, 0.1}});
    ASSERT_EQ(regions.size(), 4u);
    EXPECT_NEAR(regions[0].low, 29.7, 1e-9);
    EXPECT_NEAR(regions[0].high, 30.3, 1e-9);
    EXPECT_EQ(regions[1].peaks, (std::vector<double>{40.0, 41.0}));
    EXPECT_NEAR(regions[1].low, 35.5, 1e-9);  // 3 of the broad peak's 1.5
    EXPECT_NEAR(regions[1].high, 41.3, 1e-9);
    EXPECT_NEAR(regions[2].high, 60.3, 1e-9);
    EXPECT_NEAR(regions[3].low, 60.7, 1e-9);
}

TEST(CdtRegions, APositionTakesTheWidthOfTheFoundPeakThere) {
    std::vector<FoundPeak> found(3);
    const double places[][2] = {{20.0, 0.1}, {40.0, 1.5}, {60.0, 0.3}};
    for (int k = 0; k < 3; ++k) {
        found[k].tth = places[k][0];
        found[k].fwhm = places[k][1];
    }
    struct Case {
        double tth, fwhm;
    };
    const Case cases[] = {
        {20.05, 0.1},  // on a narrow peak
        {41.4, 1.5},   // within the broad one's width
        {50.0, 0.3},   // no peak there: the median width
        {20.2, 0.3},   // beyond the narrow peak's own width
    };
    for (const Case& c : cases) EXPECT_EQ(fwhmForPosition(c.tth, found), c.fwhm) << c.tth;
}

}  // namespace
