#pragma once
// One pattern, one set of angles: a file that writes its angles rounded coarser than its
// step (a text export printing 0.001 degrees of a 0.0156-degree scan) has them fitted on
// its grid, so that the same counts read from files that round differently fit alike.

#include "pattern/pattern_store.h"

// Angles that lie on the grid but farther from it than 1 % of a step (more than the
// rounding of a file that prints enough decimals) are replaced by the grid's own: the step
// as chosen, the origin that fits the angles best by least squares; tthmin and tthmax
// follow. Angles off the grid, or on it to that tolerance, stay as read.
void snapToGrid(PatternStore& store);
