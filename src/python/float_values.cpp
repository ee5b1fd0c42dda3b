#include "python/float_values.h"

#include <charconv>

double asRead(float value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double shortest = value;  // a NaN or an infinity is itself
    std::from_chars(text, written.ptr, shortest);
    return shortest;
}

pybind11::array_t<double> doubles(const std::vector<double>& values) {
    return pybind11::array_t<double>(static_cast<pybind11::ssize_t>(values.size()), values.data());
}

pybind11::array_t<double> doubles(const std::vector<float>& values) {
    std::vector<double> read;
    for (const float value : values) read.push_back(asRead(value));
    return doubles(read);
}
