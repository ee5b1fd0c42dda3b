#pragma once
// Converts the text lines of the processed formats with their scanf formats. The number of
// values converted decides whether a line is valid.

#include <array>
#include <string>

// Data files are read through a 100-character line buffer: a line holds at most 99
// characters, and the rest of a longer line arrives as the next line.
inline constexpr int kDataLineBufferSize = 100;

// Ten fixed 8-character fields: the data lines of .dat and .gda files.
inline constexpr const char* kTenFieldsOf8 = "%8f%8f%8f%8f%8f%8f%8f%8f%8f%8f";

// Room for the widest data line (ten values).
using LineValues = std::array<float, 10>;

// Converts a data line with a format of at most ten float conversions. Returns how many
// values were converted; 0 for a line of white space, and 0 as well when a converted value
// is not a finite number, so that "nan", "inf" or an overflowing number is refused like a
// line without numbers instead of entering the pattern.
int convertValues(const std::string& line, const char* format, LineValues& values);

// Converts a "%lf %lf %lf" header line (.wyr, .dat) with the same counting rules.
int convertHeader(const std::string& line, std::array<double, 3>& values);
