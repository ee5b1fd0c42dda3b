#pragma once
// Opens a pattern file for reading. Only a regular file is read: a FIFO or a device would
// hold the read until someone writes to it (for ever, in a batch), and a directory would read
// as a file of no points.

#include <cstdio>
#include <string>

struct PatternFileOpening {
    std::FILE* file = nullptr;  // the opened file, for the caller to close
    std::string refusal;        // what the name is instead of a pattern file ("a directory")
    int error = 0;              // the system's error number when the name could not be opened
};

// The file opened for reading, or why not: a refusal when the name is no regular file, else
// the error number.
PatternFileOpening openPatternFile(const std::string& name);

// "NAME: a directory, not a pattern file" or "NAME: cannot open: REASON" for a failed opening.
std::string openingFailure(const std::string& name, const PatternFileOpening& opening);
