#include "points/background_files.h"

#include <cmath>
#include <cstdio>

PointFileKind pointFileKind(const std::string& name, std::size_t extensionPos) {
    if (extensionPos >= name.size()) return PointFileKind::Unknown;
    switch (name[extensionPos]) {
        case 'f':
        case 'F':
            return PointFileKind::Fbg;
        case 'g':
        case 'G':
            return PointFileKind::Gbg;
        default:
            return PointFileKind::Unknown;
    }
}

SafeFile writePointFile(const std::string& name, const PointList& list, PointFileKind kind) {
    const char* const lineFormat =
        kind == PointFileKind::Gbg ? "I\t%f\t%f\t0.0\n" : "%f\t%f\t0.0\n";
    SafeFile file = SafeFile::replacing(name);
    if (file.file())
        for (int i = 0; i <= list.last; ++i)
            std::fprintf(file.file(), lineFormat, list.x[i], list.y[i]);
    return file;
}

std::optional<std::string> writeBackgroundFiles(const PointList& list,
                                                const DataFileName& dataFile) {
    SafeFile fbg = writePointFile(dataFile.withExtension("fbg"), list, PointFileKind::Fbg);
    SafeFile gbg = writePointFile(dataFile.withExtension("gbg"), list, PointFileKind::Gbg);
    if (SafeFile::commitTogether(fbg, gbg)) return std::nullopt;
    return fbg.failure().empty() ? gbg.failure() : fbg.failure();
}

bool parsePointLine(const std::string& line, PointFileKind kind, float& x, float& y) {
    long ignored = 0;
    bool parsed = false;
    if (kind == PointFileKind::Fbg) {
        parsed = std::sscanf(line.c_str(), "%f %f %ld", &x, &y, &ignored) >= 2;
    } else {
        char letter = 0;
        parsed = std::sscanf(line.c_str(), "%c %f %f %ld", &letter, &x, &y, &ignored) >= 3;
    }
    return parsed && std::isfinite(x) && std::isfinite(y);
}
