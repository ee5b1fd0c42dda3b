#pragma once
// A small .xy pattern that the load targets type at the data-file prompt after an attempt
// that may fail: it must then load exactly as it loads on its own.

#include "pattern/pattern_store.h"

inline constexpr const char* kGoodName = "good.xy";

// Writes good.xy into the working directory and loads it once, for goodStore().
void prepareGoodPattern();

// The store as good.xy alone fills it.
const PatternStore& goodStore();

// Fills every array and scalar with a value no reader writes, so that whatever a load step
// leaves unrefilled shows.
void fillGarbage(PatternStore& store);
