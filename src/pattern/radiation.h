#pragma once
// The radiation a pattern was measured with: the Kα1 wavelength, and for a lab tube without
// a Kα1 monochromator the Kα2 wavelength and its share of the intensity.

#include <optional>
#include <string>

struct Radiation {
    double lambda1 = 0.0;           // Å; positive
    std::optional<double> lambda2;  // Å; none: one wavelength
    double ratio = 0.5;             // Kα2 intensity / Kα1 intensity
    std::string source;             // where it came from, for the one line that says so
};
