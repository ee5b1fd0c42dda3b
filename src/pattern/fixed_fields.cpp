#include "pattern/fixed_fields.h"

#include <cmath>
#include <limits>

bool roundedCount(float cts, long& count) {
    const double rounded = std::trunc(cts + 0.5);
    using Limits = std::numeric_limits<long>;
    // The lowest long is a power of two and so exact as a double; the highest is not.
    const double limit = -static_cast<double>(Limits::min());
    if (rounded >= -limit && rounded < limit) {
        count = static_cast<long>(rounded);
        return true;
    }
    count = std::isnan(rounded) ? 0 : (rounded > 0 ? Limits::max() : Limits::min());
    return false;
}

// A failed write (negative result) is caught by the caller's check of the whole file.
void FieldWriter::real(const char* format, double value, int room) {
    if (std::fprintf(out_, format, value) > room) ++overflows_;
}

void FieldWriter::count(const char* format, float cts, int room) {
    long count = 0;
    const bool exact = roundedCount(cts, count);
    // The field pads the count to its width, so its own length tells whether it fits.
    const int length = std::snprintf(nullptr, 0, "%ld", count);
    std::fprintf(out_, format, count);
    if (length > room || !exact) ++overflows_;
}
