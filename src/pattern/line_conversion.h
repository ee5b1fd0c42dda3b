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

// The largest magnitude a pattern value (angle, intensity, third value, grid scalar) may
// have. No pattern comes near it, and beyond it the plot's float arithmetic (the margins and
// the width of the full-scale window) overflows to infinity.
inline constexpr float kLargestValue = 1.0e30f;

// True for a finite value of at most kLargestValue in magnitude.
bool isPatternValue(double value);

// Converts a data line with a format of at most ten float conversions. Returns how many
// values were converted; 0 for a line of white space, and 0 as well when a converted value
// is not a pattern value, so that "nan", "inf" or a huge number is refused like a line
// without numbers instead of entering the pattern.
int convertValues(const std::string& line, const char* format, LineValues& values);

// Converts a "%lf %lf %lf" header line (.wyr, .dat) with the same counting rules, so that a
// grid far beyond any angle cannot fill the pattern with infinite angles.
int convertHeader(const std::string& line, std::array<double, 3>& values);
