#pragma once
// The background points over the pattern: a marker at each, joined by a line in list order.

#include "view/graphics.h"
#include "points/point_list.h"

void drawBackgroundOverlay(Graphics& gfx, const PointList& list);
