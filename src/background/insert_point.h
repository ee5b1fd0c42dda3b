#pragma once
// The insertion rule of the background list: every point added, picked or loaded, goes in
// at its place by two-theta, so the list stays strictly ascending.

#include "points/point_list.h"

class Console;

enum class InsertResult {
    Inserted,  // placed before a point of higher two-theta
    Appended,  // placed after every point
    SameTth,   // a point with exactly this two-theta is already there: nothing added
    ListFull,  // no room left: refused with a console line
};

InsertResult insertPoint(Console& console, PointList& list, float x, float y);

// Removes entry `index`; the later entries move down and the vacated slot becomes 0.0.
void removePoint(PointList& list, int index);
