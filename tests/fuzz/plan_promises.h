#pragma once
// What every plan source promises, checked by the plan fuzz targets: a read either fails
// with an error that names the file, or gives regions a series fit can use.

#include <string>

#include "fit/region.h"

// An error: non-empty, naming the file, with no plan. A plan: at least one region, each with
// finite ends low < high and 1 to 9 finite peaks ascending strictly between them, and every
// start value it carries finite.
void requirePlanRead(const PlanRead& read, const std::string& name);
