#include "suggest/spacing_file.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "pattern/safe_file.h"

std::optional<std::string> writeSpacingFile(const std::string& path,
                                            const std::vector<FoundPeak>& peaks, double lambda1) {
    SafeFile file = SafeFile::replacing(path);
    if (file.file())
        for (const FoundPeak& peak : peaks) {
            const double d = lambda1 / (2 * std::sin(peak.tth / 2 * std::numbers::pi / 180.0));
            std::fprintf(file.file(), "%9.4f %10.5f %12.1f\n", peak.tth, d, peak.height);
        }
    if (file.commit()) return std::nullopt;
    return file.failure();
}
