#pragma once
// One scan as an instrument file or a text file gives it, before it becomes the pattern:
// angles, intensities and, when the file has them, their esds.

#include <optional>
#include <string>
#include <vector>

struct ImportedScan {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> esd;     // empty: the file gives none
    std::string xName;           // the file's name for the x axis; empty when it names none
    std::optional<double> step;  // the angle step the file states (a header, a start and end)
    std::string wavelength;      // what the file states about the radiation; empty when nothing
    bool countRate = false;      // y is counts per second, to be multiplied by countingTime
    double countingTime = 0.0;
};
