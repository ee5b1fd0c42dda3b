#pragma once
// What the UXD text says that the xylib reader of UXD files does not keep, and a fault of
// that reader it must be kept from.

#include <string>

// True when the range's data keyword says counts per second (_CPS, _2THETACPS).
bool uxdRangeIsRate(const std::string& text, int range);

// True when every data keyword (_COUNTS, _CPS, _2THETACOUNTS, ...) follows a _DRIVE line of
// its own. xylib 1.6 files a range twice when two data sections share a _DRIVE, and then
// frees it twice: such a file must not reach it.
bool uxdRangesAreSeparate(const std::string& text);
