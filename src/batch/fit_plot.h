#pragma once
// Pictures of a series' fits, as the interactive program's evaluation page shows a fit:
// observed, calculated and difference curves with each peak's position and width marked,
// under a title that names the fit and with a legend in place of the page's instructions,
// drawn into a PNG file per fit. PGPLOT draws on one device at a time for the whole process, so
// every picture is drawn from one thread.

#include <string>

#include "fit/region_fit.h"
#include "pattern/pattern_store.h"
#include "view/graphics.h"

// Opens the PNG device on `path`, draws the fit in a window around its region under
// `title` and closes the device; false when the picture was not written.
bool plotFit(Graphics& gfx, const std::string& path, const std::string& title,
             const PatternStore& pattern, const RegionFit& fit);
