#pragma once
// The column header of a raw scan file: 14 lines, the last naming the columns. Every file
// of a merge is decoded afresh, so each may order its columns differently.

#include <optional>
#include <string>

class Console;
class LineReader;

inline constexpr int kMaxScanColumns = 8;

// Which column (from 0) holds the angle, counts, monitor and counting time.
struct ScanColumns {
    int count = 0;  // names on the column line, at most 8
    int tth = -1;
    int cts = -1;
    int mon = -1;
    int tim = -1;

    bool complete() const { return tth >= 0 && cts >= 0 && mon >= 0 && tim >= 0; }
};

// Finds the columns by the first three letters of their names ("tth" or "TTH", ...), in any
// order; when two names give the same key, the later one counts.
ScanColumns columnsFromNames(const std::string& columnLine);

// Reads the 14 header lines, echoing lines 11 and 12 (the scan's own description). Empty
// after its messages and a key press when one of the four columns is missing.
std::optional<ScanColumns> decodeScanColumns(LineReader& lines, Console& console);
