#include "fit/fit_file.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "console/console.h"
#include "pattern/safe_file.h"

std::optional<std::string> createFitFile(const std::string& name) {
    // A file that is there, readable or not, holds earlier fits: it is never created anew.
    std::error_code error;
    if (std::filesystem::exists(name, error)) return std::nullopt;
    SafeFile created = SafeFile::replacing(name);
    if (created.file())
        std::fprintf(created.file(), "#   tth      Iint       FWHM      eta      w/r     chi^2\n");
    if (created.commit()) return std::nullopt;
    return created.failure();
}

std::optional<std::string> appendFitBlockTo(const std::string& name, const FitResult& result,
                                            const std::string& comment) {
    SafeFile file = SafeFile::appending(name);
    if (file.file()) {
        if (!comment.empty()) std::fprintf(file.file(), "# %s\n", comment.c_str());
        for (int j = 0; j < result.peakCount; ++j) {
            const FittedPeak& peak = result.peaks[j];
            std::fprintf(file.file(), "%f %f %f %f %f %f\n", peak.position, peak.intensity,
                         peak.fwhm, result.eta, result.wor, result.chisq);
        }
        std::fprintf(file.file(), "#--------------------------------------------------------#\n");
    }
    // A block cut short would be read back as fewer peaks: the file keeps only whole blocks.
    if (file.commit()) return std::nullopt;
    return file.failure();
}

bool prepareFitFile(Console& console, const std::string& name) {
    if (!createFitFile(name)) return true;
    console.print("Can not open *.fit file to save fitting results.\n");
    return false;
}

bool appendFitBlock(Console& console, const std::string& name, const FitResult& result) {
    if (!appendFitBlockTo(name, result)) return true;
    console.print("Can not open *.fit file to save fitting results!!!\n");
    return false;
}
