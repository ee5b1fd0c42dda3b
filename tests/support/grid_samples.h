#pragma once
// Angle columns as diffractometer exports write them: a true step, rounded to a few
// decimals, and an irregular scan whose spacing changes half way.

#include <string>
#include <vector>

// Angles from `first` in `step`s (negative for a scan down) as far as `last`, each written
// with `decimals` decimals.
std::vector<std::string> roundedAngles(double first, double step, double last, int decimals);

// 0.02 from 10 to 30, then 0.03 up to 40, to 2 decimals: the spacing changes after point
// 1001 (30.00), and point 1002 (30.03) is the first off the grid of 0.02.
std::vector<std::string> twoSteps();

// Lines of "angle cts sig" (or "angle cts" when sig is empty) for every angle.
std::string patternLines(const std::vector<std::string>& angles, const std::string& countsAndSig);
