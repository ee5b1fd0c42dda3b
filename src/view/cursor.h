#pragma once
// Cursor reads: block until a click ('A' left, 'D' right) or a key. The system never moves
// the cursor itself.

#include "view/graphics.h"
#include "view/view_state.h"

class Console;

inline constexpr int kBandPlain = 0;      // plain cursor
inline constexpr int kBandLine = 1;       // a line from the anchor to the cursor
inline constexpr int kBandRectangle = 2;  // a rectangle with one corner at the anchor
inline constexpr int kBandVertical = 6;   // a vertical line through the cursor

// Reads the cursor in the given band mode into `at` and `key`. False when the device gives
// no cursor input (a file device named where the screen was expected): `key` is then 'n'.
bool readCursor(Graphics& gfx, int bandMode, const CursorPos& anchor, CursorPos& at, char& key);

// A mode that cannot read its cursor would wait forever: it says so and ends the run.
void reportLostCursor(Console& console);
