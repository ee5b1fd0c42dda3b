#pragma once
// One record line of a raw scan: a detector reading at one angle.

#include <optional>
#include <string>

#include "pattern/scan_columns.h"

class Console;

struct ScanRecord {
    float tth;  // degrees
    float cts;  // raw counts
    float mon;  // monitor counts
    float tim;  // counting time, milliseconds
};

// Converts a record line with "%f %f %f %f %f %f %f %f". A line without a number, with
// fewer numbers than the file has columns, or with a value that is not a finite number
// gives its message and waits for a key; it is then skipped, and nothing of it (nor of an
// earlier line) enters the pattern.
std::optional<ScanRecord> parseScanRecord(const std::string& line, const ScanColumns& columns,
                                          Console& console);

// Prints why a record cannot be used, then the key line, and waits for a key.
void refuseRecord(Console& console, const char* message);
