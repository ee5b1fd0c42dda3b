#pragma once
// The background under a powder pattern by SNIP, the statistics-sensitive non-linear
// iterative peak-clipping of C.G. Ryan et al., Nucl. Instrum. Meth. B 34 (1988) 396, with the
// decreasing clipping window of M. Morhac et al., Nucl. Instrum. Meth. A 401 (1997) 113.

#include <vector>

#include "suggest/pattern_samples.h"

// The background at every point. The counts are smoothed over one peak width and clipped on
// the LLS scale log(log(sqrt(y + 1) + 1) + 1), on which counting noise is about even from
// the weakest to the strongest stretch; the clipping window runs from `window` points down
// to 1, so that every feature up to about twice `window` wide is clipped away while broader
// curvature (an amorphous hump, a falling low-angle background) stays.
std::vector<double> snipBackground(const PatternSamples& samples, double fwhmPoints, int window);

// The clipping window for peaks of the given width: a peak with its tails spans about three
// FWHMs on either side.
int snipWindow(double fwhmPoints);
