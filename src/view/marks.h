#pragma once
// Marks drawn over a page: a cursor position with its coordinates, and the outline of a
// chosen region.

#include "view/graphics.h"
#include "view/view_state.h"

// A marker at (x, y) with the label "(x, y)" starting at the point.
void drawPositionMark(Graphics& gfx, float x, float y);

// The outline of the rectangle between two corners, drawn whole even where it reaches
// beyond the box.
void drawRoiRectangle(Graphics& gfx, const CursorPos& corner1, const CursorPos& corner2,
                      int colour);
