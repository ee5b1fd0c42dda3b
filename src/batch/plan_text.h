#pragma once
// Helpers shared by the plan sources: strict number fields and error texts that name the
// file and the line.

#include <fstream>
#include <optional>
#include <string>

#include "batch/region.h"

// A whole field as a finite number; none for anything else ("12x", "nan", "").
std::optional<double> parseNumber(const std::string& field);

// "NAME:LINE: WHAT"
std::string lineError(const std::string& name, int line, const std::string& what);

// Opens `path` for reading into `in`; false after setting an error in `read`.
bool openPlanSource(const std::string& path, std::ifstream& in, PlanRead& read);
