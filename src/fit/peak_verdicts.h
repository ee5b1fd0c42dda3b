#pragma once
// Whether the data hold a fitted peak, and what a careful reader should look at in it.

#include <optional>

#include "fit/region_fit.h"
#include "lsq/kalpha2.h"

// A significant peak stands at least this many standard errors of its intensity.
inline constexpr double kSignificance = 3.0;

// The region's two ends and the pattern's step, in degrees.
struct RegionSpan {
    double low;
    double high;
    double step;
};

// Ok, or the first test the peak fails: Diverged (a value not finite, a FWHM not
// positive, outside the region), NoPeak, NotSignificant, TooNarrow.
FitStatus peakVerdict(const FittedPeak& peak, const PeakErrors& se, const RegionSpan& span);

// How far a failed verdict is from ok, to drop the worst first: 0 for Ok.
int verdictWeight(FitStatus verdict);

// The peak's own flags: near an end, a Kα2 companion beyond the high end.
unsigned peakFlags(const FittedPeak& peak, const RegionSpan& span,
                   const std::optional<Kalpha2>& kalpha2);
