#pragma once
// The yes/no question of the interactive modes, drawn in the plot and answered through the
// cursor: 'y' or 'Y' is yes, every other key or click is no.

#include "view/graphics.h"
#include "view/view_state.h"

bool askYesNo(Graphics& gfx, ViewState& view, const char* question);
