#pragma once
// The .wyr, .dat and .gda files give the angles only as tthmin and tthstep, and the fit
// windows place themselves by that grid: a pattern is converted on a uniform grid or not at
// all.

#include <string>

#include "convert/convert_context.h"
#include "pattern/pattern_store.h"

class Console;

// Puts the pattern on the grid of `step` as regridPattern does, and says so; false after
// regridPattern's message.
bool regridAndReport(PatternStore& store, double step, Console& console);

// With --regrid STEP, puts the pattern on the grid of that step; without, refuses a pattern
// with an angle off its grid, naming the point and the way out. False after the message.
bool onUniformGrid(const ConvertContext& context, PatternStore& store, const std::string& name);
