#pragma once
// Plan files: one region a line, "LOW HIGH P1 [P2 ... P9] [wor=W]", angles in degrees: the
// two background ends, then the start positions of the peaks. '#' starts a comment, blank
// lines are skipped.

#include <istream>
#include <string>

#include "fit/region.h"

// Reads every line; the first line that cannot be read makes the error, which names the
// file (as `name`) and the line number.
PlanRead readPlan(std::istream& in, const std::string& name);

// Why a region cannot be fitted: fewer than one or more than nine peaks, or peaks that do not
// ascend strictly between LOW and HIGH; empty when it can.
std::string regionProblem(const Region& region);
