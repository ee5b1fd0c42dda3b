#pragma once
// Helpers shared by the plan sources: strict number fields and error texts that name the
// file and the line.

#include <istream>
#include <optional>
#include <string>

#include "fit/region.h"

// A whole field as a finite number; none for anything else ("12x", "nan", "").
std::optional<double> parseNumber(const std::string& field);

// A peak position a plan places a region around: a two-theta angle, above 0 and below 180
// degrees, where a region's ends of a few FWHMs either side stay apart from it.
bool isTwoTheta(double position);
// The narrowest FWHM a plan takes, degrees: far below any measured peak, and wide enough
// for the region's ends to differ from the position.
inline constexpr double kNarrowestFwhm = 1e-6;

// "NAME:LINE: WHAT"
std::string lineError(const std::string& name, int line, const std::string& what);

// A plan source's reader: `name` is the file name its errors give.
using PlanReader = PlanRead (*)(std::istream& in, const std::string& name);

// Reads the file at `path` with `reader`; an unopenable file is an error too.
PlanRead readPlanSource(const std::string& path, PlanReader reader);
