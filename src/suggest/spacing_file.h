#pragma once
// The peak list for indexing programs (STEM.dsp): one line per peak, ascending two-theta,
// "2theta d height" with d in Å from the Kα1 wavelength.

#include <string>
#include <vector>

#include "suggest/peak_search.h"

// Replaces the file whole; false when it cannot be written.
bool writeSpacingFile(const std::string& path, const std::vector<FoundPeak>& peaks, double lambda1);
