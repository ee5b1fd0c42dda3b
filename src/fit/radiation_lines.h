#pragma once
// What a fit takes from the pattern's radiation: the Kα2 companion of every peak, and the
// lattice spacing of a Kα1 line.

#include <optional>

#include "lsq/kalpha2.h"
#include "pattern/radiation.h"

// The companion the engine adds to each peak; none for one wavelength or none known.
std::optional<Kalpha2> companionOf(const std::optional<Radiation>& radiation);

// The spacing d = lambda1 / (2 sin theta) in Å of a line at two-theta `tth` (degrees), and
// its standard error from the position's, d cot theta dtheta; NaN where there is none.
struct Spacing {
    double d;
    double se;
};
Spacing spacingOf(const std::optional<Radiation>& radiation, double tth, double tthSe);
