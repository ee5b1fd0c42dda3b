#pragma once
// What an instrument file states about its radiation, gathered from xylib's metadata.

#include <string>

namespace xylib {
class MetaData;
}

// "anode Cu, alpha1 1.5406, alpha2 1.54439, ratio 0.5" from the keys the formats use (the range's
// own keys before the file's); "" when the file states none. Zero values, which some formats write
// for "unknown", are left out, but for the ratio: 0 there states single lines.
std::string statedRadiation(const xylib::MetaData& file, const xylib::MetaData& range);
