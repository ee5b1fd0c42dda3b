#pragma once
// The peak list for indexing programs (STEM.dsp): one line per peak, ascending two-theta,
// "2theta d height" with d in Å from the Kα1 wavelength.

#include <optional>
#include <string>
#include <vector>

#include "suggest/peak_search.h"

// Replaces the file whole. The message naming the file when it cannot be written (an
// existing file is then left as it was); nothing when it was written.
std::optional<std::string> writeSpacingFile(const std::string& path,
                                            const std::vector<FoundPeak>& peaks, double lambda1);
