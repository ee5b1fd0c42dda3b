// The grouping of peak positions into the regions xrdfit --cdt fits.

#include "suggest/cdt_regions.h"

#include <gtest/gtest.h>

namespace {

TEST(CdtRegions, GroupsOverlappingPeaksAndKeepsTheEndsOffTheNeighbours) {
    const double fwhm = 0.1;
    // A lone peak, a pair 0.3 apart given in reverse, and a chain of eleven peaks 0.2 apart.
    std::vector<double> positions{20.0, 30.3, 30.0};
    for (int k = 0; k < 11; ++k) positions.push_back(40.0 + 0.2 * k);
    const std::vector<PeakRegion> regions = regionsFromPositions(positions, fwhm);

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
    EXPECT_EQ(regionsFromPositions({50.0, 50.0 + kGroupFwhms * fwhm + 1e-9}, fwhm).size(), 2u);
}

}  // namespace
