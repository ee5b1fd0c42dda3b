#pragma once
// Start widths read off the pattern for the fits that run without a person. The width of
// the net area over the summed heights, which the interactive fit starts from, takes in the
// whole asymmetric tail, about 2.6 times the FWHM for a narrow peak at low angle: a fit
// spends its first iterations collapsing it and its next ones climbing back.

#include <optional>

#include "fit/fit_selection.h"
#include "lsq/fit_param.h"
#include "lsq/kalpha2.h"
#include "pattern/pattern_store.h"

// Peak j's (from 1) FWHM read off the pattern: twice its half width where the counts fall to
// half the picked point's height above the start values' background line, on the
// high-angle side, which the asymmetric tail does not reach. With a Kα2 companion, which
// widens that side by up to the two lines' separation, the separation is taken off, down to
// the half width itself where the lines stand apart. Where that side does not fall to half
// before halfway to the next peak or the region's end, the low-angle side's half width
// doubled. None where the peak stands no higher than the line or neither side falls to half.
std::optional<double> halfMaximumWidth(const PatternStore& pattern, const FitSelection& selection,
                                       const ParamVector& params, int j,
                                       const std::optional<Kalpha2>& kalpha2);

// Sets each peak's FWHM start (or the common FWHM's, their mean) to its width read off the
// pattern, at least one step; a peak with none keeps the start it has.
void startAtHalfMaximum(ParamVector& params, const PatternStore& pattern,
                        const FitSelection& selection, bool commonFwhm,
                        const std::optional<Kalpha2>& kalpha2);
