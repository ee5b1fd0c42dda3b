#include "python/float_values.h"

#include <charconv>

double asRead(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double shortest = value;  // a NaN or an infinity is itself
    std::from_chars(text, written.ptr, shortest);
    return shortest;
}
