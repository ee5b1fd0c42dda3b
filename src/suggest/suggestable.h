#pragma once
// Whether the suggestions can be placed in a pattern at all.

#include <string>

#include "pattern/pattern_store.h"

// Why nothing can be suggested for the pattern: an angle or count that is not a number, or
// angles off every grid of one step (positions and points are placed by the step); empty
// when suggestions can be made.
std::string unsuggestableReason(const PatternStore& store);
