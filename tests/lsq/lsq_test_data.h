#pragma once
// Building blocks for the engine's tests: a console on strings, parameter vectors with
// peaks, and ROI data generated from the model itself.

#include <sstream>
#include <string>

#include "console/console.h"
#include "lsq/lsq_state.h"

struct StringConsole {
    std::istringstream in;
    std::ostringstream out;
    Console console{in, out};

    std::string text() const { return out.str(); }
};

struct PeakValues {
    double position;
    double intensity;
    double fwhm;
};

// A vector with names and ad defaults from the table, everything held at 0, eta 0.5.
void resetParameters(LsqState& lsq);

// Puts peak j (1..9) into the vector: position and intensity refined, FWHM refined too in
// individual-FWHM mode.
void setPeak(LsqState& lsq, int j, const PeakValues& peak);

// n ROI points from tthStart in steps of tthStep, weight 1.
void setRoi(LsqState& lsq, float tthStart, float tthStep, int n);

// Observed counts = the model at the current parameters, with weights 1/sqrt(counts)
// as for counting statistics.
void generateObserved(LsqState& lsq);

// Number of times `part` occurs in `text`.
int countOf(const std::string& text, const std::string& part);
