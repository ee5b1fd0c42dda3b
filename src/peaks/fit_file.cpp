#include "peaks/fit_file.h"

#include <cstdio>

#include "driver/console.h"

bool prepareFitFile(Console& console, const std::string& name) {
    if (std::FILE* existing = std::fopen(name.c_str(), "r")) {
        std::fclose(existing);
        return true;
    }
    std::FILE* created = std::fopen(name.c_str(), "w");
    if (!created) {
        console.print("Can not open *.fit file to save fitting results.\n");
        return false;
    }
    std::fprintf(created, "#   tth      Iint       FWHM      eta      w/r     chi^2\n");
    std::fclose(created);
    return true;
}

bool appendFitBlock(Console& console, const std::string& name, const FitResult& result) {
    std::FILE* file = std::fopen(name.c_str(), "a");
    if (!file) {
        console.print("Can not open *.fit file to save fitting results!!!\n");
        return false;
    }
    for (int j = 0; j < result.peakCount; ++j) {
        const FittedPeak& peak = result.peaks[j];
        std::fprintf(file, "%f %f %f %f %f %f\n", peak.position, peak.intensity, peak.fwhm,
                     result.eta, result.wor, result.chisq);
    }
    std::fprintf(file, "#--------------------------------------------------------#\n");
    std::fclose(file);
    return true;
}
