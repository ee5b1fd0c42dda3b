#pragma once
// A general text pattern: lines of two (2theta, counts) or three (2theta, counts, esd)
// numbers, after comments and a header.

#include <cstdio>
#include <optional>
#include <string>

#include "import/imported_scan.h"

struct TextScan {
    std::optional<ImportedScan> scan;  // nothing when the file is not such a pattern
    int columns = 0;
    std::string error;  // why not, naming the line
};

// Skips blank lines, lines that begin with '#', '!', ';' or '*', a /* ... */ block before the
// data, and header lines before the first data line (the last of these may name the x axis).
// After it every line must hold the same number of values as the first data line.
TextScan readTextScan(std::FILE* file);
