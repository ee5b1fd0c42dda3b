#pragma once
// A general text pattern: lines of two (2theta, counts) or three (2theta, counts, esd)
// numbers, separated by blanks or by commas, a '#' comment after them allowed, after
// comments and a header.

#include <cstdio>
#include <optional>
#include <string>

#include "import/imported_scan.h"

struct TextScan {
    std::optional<ImportedScan> scan;  // nothing when the file is not such a pattern
    int columns = 0;
    std::string error;  // why not, naming the line
};

// Skips a byte-order mark, blank lines, lines that begin with '#', '!', ';' or '*', a
// /* ... */ block before the data, and header lines before the first data line (one that
// names the columns names the x axis: column_header.h). After it every line must hold the
// same number of values as the first data line.
TextScan readTextScan(std::FILE* file);
