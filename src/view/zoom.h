#pragma once
// Zooming the window to the region of interest between the two chosen corners.

#include "view/view_state.h"

// Sets the window to the rectangle spanned by corner1 and corner2, in either corner order,
// and shows the points. A region of zero width or height cannot be drawn: it is refused
// (false) and the window is left as it was.
bool zoomToRoi(ViewState& view);
