#pragma once
// A small good pattern with two clear peaks, for the targets that need a pattern's peak
// width: written as peaked.xy into the working directory and loaded once.

#include "pattern/pattern_store.h"

inline constexpr const char* kPeakedName = "peaked.xy";

void writePeakedPattern();

// The store as peaked.xy fills it.
const PatternStore& peakedStore();
