#pragma once
// How a user steers one fit: start values and parameters held.

#include <pybind11/pybind11.h>

#include <optional>

#include "fit/region.h"
#include "fit/region_fit.h"

// start=: None; a FitResult, whose ok peaks, eta and W/R start the fit as a sequential series
// carries them; or a dict with any of "peaks" (one (tth, intensity, fwhm) or None per peak,
// None: estimated from the data), "eta" and "wor".
std::optional<StartValues> startArgument(const pybind11::object& start, std::size_t peaks);

// hold=: names of the parameters held at their start values: "eta", "wor", "fwhm" (every
// FWHM), "background_low", "background_high", "intensity_N", "fwhm_N" (peak N from 1).
struct Holds {
    FitHolds fit;
    bool wor = false;
};
// With a common FWHM a peak's own FWHM cannot be held: "fwhm" holds the common one.
Holds holdArgument(const pybind11::object& hold, std::size_t peaks, bool commonFwhm);
