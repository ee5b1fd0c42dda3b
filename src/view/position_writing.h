#pragma once
// The cursor-position writing mode: every left click leaves a mark with its coordinates,
// until 'w', 'W' or a right click ends it (the marks go with the next page).

#include <optional>

#include "view/graphics.h"
#include "view/view_state.h"

// Returns the quit key when the user quits from it ('q', 'Q', 'x' or 'X'); nothing when
// the mode ends (or the cursor fails) and a new page is due.
std::optional<char> runPositionWriting(Graphics& gfx, ViewState& view);
