#include "batch/fit_block_comment.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "import/radiation_choice.h"

namespace {

constexpr const char* kKalpha1Lines = "; Kalpha1 lines";
constexpr const char* kRadiation = "radiation: alpha1 ";

// The doublet a comment names, as describeRadiation wrote it.
std::optional<Radiation> namedDoublet(const std::string& comment, const std::string& fitFile) {
    const std::size_t at = comment.find(kRadiation);
    if (at == std::string::npos) return std::nullopt;
    Radiation radiation;
    double lambda2 = 0.0;
    if (std::sscanf(comment.c_str() + at, "radiation: alpha1 %lf A, alpha2 %lf A, ratio %lf",
                    &radiation.lambda1, &lambda2, &radiation.ratio) != 3)
        return std::nullopt;
    radiation.lambda2 = lambda2;
    radiation.source = "named by the blocks of " + fitFile;
    if (wavelengthsProblem(radiation)) return std::nullopt;
    return radiation;
}

}  // namespace

std::string blockComment(const std::string& pattern, int regionNumber, const RegionFit& fit) {
    std::string line = pattern + ", region " + std::to_string(regionNumber);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
    if (!fit.radiation) return line;
    line += "; " + describeRadiation(fit.radiation);
    return fit.radiation->lambda2 ? line + kKalpha1Lines : line;
}

BlocksRadiation readBlocksRadiation(const std::string& fitFile) {
    BlocksRadiation said;
    std::ifstream in(fitFile);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] != '#' || line.find(kKalpha1Lines) == std::string::npos)
            continue;
        said.kalpha1Lines = true;
        said.radiation = namedDoublet(line, fitFile);
        if (said.radiation) break;
    }
    return said;
}
