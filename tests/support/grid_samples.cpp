#include "support/grid_samples.h"

#include <cmath>
#include <cstdio>

std::vector<std::string> roundedAngles(double first, double step, double last, int decimals) {
    std::vector<std::string> angles;
    const int count = static_cast<int>(std::floor((last - first) / step + 1e-9)) + 1;
    for (int i = 0; i < count; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", decimals, first + i * step);
        angles.emplace_back(text);
    }
    return angles;
}

std::vector<std::string> twoSteps() {
    std::vector<std::string> angles = roundedAngles(10.0, 0.02, 30.0, 2);
    for (const std::string& angle : roundedAngles(30.03, 0.03, 40.0, 2)) angles.push_back(angle);
    return angles;
}

std::string patternLines(const std::vector<std::string>& angles, const std::string& countsAndSig) {
    std::string text;
    for (const std::string& angle : angles) text += angle + " " + countsAndSig + "\n";
    return text;
}
