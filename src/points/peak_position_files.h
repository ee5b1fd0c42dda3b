#pragma once
// The peak position file (.cdt): "%8.4f" a line, ascending, as xrdpick saves it and
// xrdsuggest writes it; read back by its first number a line, '#' lines being comments.

#include <optional>
#include <string>

#include "points/point_list.h"

// Writes every position of the list not above 350.0, ascending. The message naming the file
// when it cannot be created or written completely (an existing file is then left as it
// was); nothing when it was written.
std::optional<std::string> writePeakPositionFile(const std::string& name, const PointList& list);

// The first number of a line ("%f", followed by up to five more that are not used); false
// for a comment or a line that does not begin with a finite number.
bool positionOnLine(const std::string& line, float& tth);
