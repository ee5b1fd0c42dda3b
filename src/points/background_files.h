#pragma once
// The background point files: FullProf's .fbg ("tth cts 0.0" a line) and GSAS's .gbg
// ("I tth cts 0.0"), as xrdpick saves and loads them and xrdsuggest writes them.

#include <optional>
#include <string>

#include "pattern/data_file_name.h"
#include "pattern/safe_file.h"
#include "points/point_list.h"

enum class PointFileKind { Fbg, Gbg, Unknown };

// The kind is named by the first letter of the extension that starts at `extensionPos`.
PointFileKind pointFileKind(const std::string& name, std::size_t extensionPos);

// One file of the list's points in the kind's lines, written but not yet committed.
SafeFile writePointFile(const std::string& name, const PointList& list, PointFileKind kind);

// Both files of a data file, as one result: both are replaced, or neither (a failure of the
// second puts the first back). The message naming the file that failed; nothing when both
// were written.
std::optional<std::string> writeBackgroundFiles(const PointList& list,
                                                const DataFileName& dataFile);

// The point of one line of a file of the kind; false for a line that holds no two finite
// numbers where the kind puts them. The last column is not used.
bool parsePointLine(const std::string& line, PointFileKind kind, float& x, float& y);
