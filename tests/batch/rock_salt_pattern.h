#pragma once
// A lab pattern with a known answer: rock salt (a = 5.6402 Å) under Cu Kα1/Kα2, every
// reflection a Kα1 line and its companion placed by the Bragg law, widened by the
// dispersion, at half the intensity; Caglioti widths, an asymmetric profile, a sloping
// background and counting noise.

#include <string>
#include <vector>

#include "drifting_series.h"

inline constexpr double kRockSaltA = 5.6402;
inline constexpr double kRockSaltWor = 0.05;

struct Reflection {
    int h, k, l;
    TruePeak kalpha1;
};

// The reflections from 25 to 120 degrees; `widthFactor` scales every FWHM.
std::vector<Reflection> rockSaltReflections(double widthFactor);

// The counts at 25 to 125 degrees in steps of 0.01 with the reflections' doublets, noisy
// by a fixed seed.
struct LabPattern {
    std::vector<double> tth;
    std::vector<double> cts;
};
LabPattern rockSaltPattern(const std::vector<Reflection>& reflections);

// As two columns (2theta, counts), and as a UXD file that states the radiation.
void writeTwoColumns(const std::string& path, const LabPattern& pattern);
void writeUxd(const std::string& path, const LabPattern& pattern);

// The pattern of these reflections as nacl.xy (two columns) and nacl.uxd (stating Cu Kα1
// and Kα2) in the current directory; returns the reflections.
std::vector<Reflection> writeRockSaltFiles(double widthFactor);

// A plan of one region per reflection, the start position 0.02 degrees off the truth.
std::string rockSaltPlan(const std::vector<Reflection>& reflections, double widthFactor);
