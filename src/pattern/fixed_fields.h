#pragma once
// Writes pattern values into the fixed-width fields of the processed formats and counts the
// values whose text does not fit: such a value runs into its neighbour (or has no faithful
// text at all), so the file will not read back correctly and the user must be told.

#include <cstdio>

// trunc(cts + 0.5) as a long integer, the count that the integer formats write. False when
// cts has no such count (not a number, or beyond the range of a long); the nearest long,
// or 0, then stands in.
bool roundedCount(float cts, long& count);

class FieldWriter {
  public:
    explicit FieldWriter(std::FILE* out) : out_(out) {}

    // Writes value with a "%W.Pf" format; room (at least W) is the longest text of the value
    // that still reads back.
    void real(const char* format, double value, int room);

    // Writes trunc(cts + 0.5) with a "%Wld" format; room is the longest text of the count
    // that still reads back.
    void count(const char* format, float cts, int room);

    int overflows() const { return overflows_; }

  private:
    std::FILE* out_;
    int overflows_ = 0;
};
