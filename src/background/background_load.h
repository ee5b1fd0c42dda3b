#pragma once
// Loading background points from an FBG or GBG file named on the console; they join the
// points in memory through the insertion rule.

#include "pattern/pattern_store.h"
#include "points/point_list.h"
#include "view/view_state.h"

class Console;

enum class LoadResult {
    Cancelled,  // blank name: nothing changes, no new page
    Done,       // loaded, or refused with a console line: a new page is due
};

LoadResult loadBackgroundPoints(Console& console, PointList& list, const PatternStore& pattern,
                                ViewState& view);
