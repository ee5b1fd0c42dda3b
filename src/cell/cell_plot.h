#pragma once
// The picture of a refined cell (--plot FILE.png): the pattern, or the observed lines as
// sticks when no pattern was read, with the cell's calculated lines as tick marks below and
// the unindexed lines marked, drawn through the graphics seam into a PNG file.

#include <string>

#include "cell/cell_refinement.h"
#include "view/graphics.h"

// False when the picture was not written.
bool plotCell(Graphics& gfx, const std::string& path, const std::string& title, const LineSet& set,
              const CellRefinement& refined);
