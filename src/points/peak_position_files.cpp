#include "points/peak_position_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "pattern/safe_file.h"

namespace {

constexpr float kLastWrittenTth = 350.0f;  // positions above it are dropped by a save

// The positions a save writes, in ascending order; equal values keep their list order.
std::vector<float> positionsToWrite(const PointList& list) {
    std::vector<float> tth;
    for (int i = 0; i <= list.last; ++i)
        if (list.x[i] <= kLastWrittenTth) tth.push_back(list.x[i]);
    std::stable_sort(tth.begin(), tth.end());
    return tth;
}

}  // namespace

std::optional<std::string> writePeakPositionFile(const std::string& name, const PointList& list) {
    SafeFile file = SafeFile::replacing(name);
    if (file.file())
        for (const float position : positionsToWrite(list))
            std::fprintf(file.file(), "%8.4f\n", position);
    if (file.commit()) return std::nullopt;
    return file.failure();
}

bool positionOnLine(const std::string& line, float& tth) {
    if (!line.empty() && line[0] == '#') return false;
    return std::sscanf(line.c_str(), "%f %*f %*f %*f %*f %*f", &tth) == 1 && std::isfinite(tth);
}
