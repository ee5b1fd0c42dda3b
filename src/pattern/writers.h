#pragma once
// The four processed-format writers, offered one after the other at the end of a run.

#include <cstddef>
#include <string>

#include "pattern/pattern_store.h"

class Console;

// The longest GSAS title that still reads back: the title line must fit the 100-character
// line buffer of the .gda reader, line end included.
inline constexpr std::size_t kGdaTitleMax = 98;

// Added to a format's code when its file was created but could not be written whole (a full
// disk, a file size limit); an existing file of that name is then left as it was.
inline constexpr int kIncompleteWrite = -10;

// Added to a format's code when a value does not fit its fixed field (a count of 10^7 or more
// in .wyr, .dat or .gda): the file would read back wrong, so it is not written and an existing
// file of that name is left as it was.
inline constexpr int kUnfaithfulWrite = -20;

// Asks for a file name for each format in the fixed order XRS82, Wyriet, PROFIN, GSAS and
// writes the pattern; an empty answer skips a format. Returns 0 when every format was
// written or skipped, -2 .. -5 when the file of that format could not be created, and that
// code plus kIncompleteWrite when it could not be written whole, or plus kUnfaithfulWrite
// when a value does not fit its field (the formats after it are then not offered).
int writeAllFormats(Console& console, const PatternStore& store);

// Writes the pattern in one format ('x', 'w', 'd' or 'g', as the format codes of the data
// file name) to the named file, with the same messages as the dialogue; title (one line of at
// most kGdaTitleMax characters) serves the GSAS format only. Returns 0 when written, the
// code writeAllFormats gives when the file cannot be created or fully written, and -1 for
// any other format code.
int writePatternFile(Console& console, const PatternStore& store, char format,
                     const std::string& name, const std::string& title);
